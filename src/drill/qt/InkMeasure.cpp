#include "drill/qt/InkMeasure.h"

#include "common/qt/JapaneseFont.h"
#include "common/qt/QtText.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainterPath>

#include <cmath>
#include <cstdint>

TwipRect InkMeasure::bounds(const QLabel& label, std::u16string_view text, int points,
    double twipsPerPixel) const
{
    if (text.empty() || points < 1)
        return {};
    const QRectF unit = perPoint(label, QtText::toQString(text));
    if (unit.isEmpty())
        return {};
    const QRectF ink(unit.topLeft() * points, unit.size() * points);
    const auto left = static_cast<std::int32_t>(std::floor(ink.left() * twipsPerPixel));
    const auto top = static_cast<std::int32_t>(std::floor(ink.top() * twipsPerPixel));
    const auto right = static_cast<std::int32_t>(std::ceil(ink.right() * twipsPerPixel));
    const auto bottom = static_cast<std::int32_t>(std::ceil(ink.bottom() * twipsPerPixel));
    return { left, top, right - left, bottom - top };
}

QRectF InkMeasure::perPoint(const QLabel& label, const QString& text) const
{
    const int dpi = label.logicalDpiY();
    for (const Measured& measured : m_measured) {
        if (measured.text == text && measured.dpi == dpi)
            return measured.perPoint;
    }
    // A label aligned to its top-left corner, without margin or indent, puts the first baseline
    // one ascent below its top. The outline's bounds are the glyphs' exact ink; the edge pixels
    // that antialiasing adds lie within the margin the layout keeps. A large size keeps the
    // rounding of the font's metrics out of the proportion.
    constexpr int kMeasuredPoints = 200;
    const QFont font(JapaneseFont::bold(kMeasuredPoints), &label);
    QPainterPath outline;
    outline.addText(QPointF(0, QFontMetricsF(font, &label).ascent()), font, text);
    const QRectF ink = outline.boundingRect();
    const QRectF unit(ink.topLeft() / kMeasuredPoints, ink.size() / kMeasuredPoints);
    m_measured.push_back({ text, dpi, unit });
    return unit;
}
