#include "app/qt/BgrColour.h"

QColor BgrColour::toQColor(Colour colour)
{
    const int red = static_cast<int>(colour & 0xFFu);
    const int green = static_cast<int>((colour >> 8) & 0xFFu);
    const int blue = static_cast<int>((colour >> 16) & 0xFFu);
    return QColor(red, green, blue);
}
