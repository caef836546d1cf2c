#include "common/qt/BgrColour.h"

#include "common/ColourContrast.h"

QColor BgrColour::toQColor(Colour colour)
{
    const int red = static_cast<int>(colour & 0xFFu);
    const int green = static_cast<int>((colour >> 8) & 0xFFu);
    const int blue = static_cast<int>((colour >> 16) & 0xFFu);
    return QColor(red, green, blue);
}

Colour BgrColour::fromQColor(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return static_cast<Colour>(rgb.red()) | (static_cast<Colour>(rgb.green()) << 8)
        | (static_cast<Colour>(rgb.blue()) << 16);
}

QColor BgrColour::readableOn(const QColor& text, const QColor& background)
{
    return toQColor(ColourContrast::Readable(fromQColor(text), fromQColor(background)));
}
