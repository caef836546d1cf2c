#include "common/qt/TwipScale.h"

#include <QScreen>

#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackDpi = 96.0;

} // namespace

TwipScale::TwipScale(double logicalDpi)
    // A screen that reports no sensible DPI (a headless or broken driver) is taken as 96 DPI
    // rather than producing a zero or infinite ratio.
    : m_twipsPerPixel(kTwipsPerInch / (logicalDpi > 1.0 ? logicalDpi : kFallbackDpi))
{ }

TwipScale TwipScale::forScreen(const QScreen* screen)
{
    return TwipScale(screen ? screen->logicalDotsPerInch() : kFallbackDpi);
}

// Edges are rounded, not sizes, so that boxes laid edge to edge in twips stay edge to edge in
// pixels.
int TwipScale::toPixels(std::int32_t twips) const
{
    return static_cast<int>(std::lround(twips / m_twipsPerPixel));
}

std::int32_t TwipScale::toTwips(int pixels) const
{
    return static_cast<std::int32_t>(std::lround(pixels * m_twipsPerPixel));
}

QRect TwipScale::toPixels(TwipRect rect) const
{
    const int left = toPixels(rect.left);
    const int top = toPixels(rect.top);
    const int right = toPixels(rect.left + rect.width);
    const int bottom = toPixels(rect.top + rect.height);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

QSize TwipScale::toPixels(TwipSize size) const
{
    return QSize(toPixels(size.width), toPixels(size.height));
}

TwipSize TwipScale::toTwips(QSize size) const
{
    return { toTwips(size.width()), toTwips(size.height()) };
}
