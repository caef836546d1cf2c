#pragma once

#include "common/TwipRect.h"
#include "common/TwipSize.h"

#include <QRect>
#include <QSize>

class QScreen;

// Converts between twips (1/1440 inch), in which the windows' layout is written, and the
// device-independent pixels Qt places widgets in. The ratio comes from the screen's logical
// DPI, so a scaled HiDPI screen gets the same physical layout as a 96-DPI one.
class TwipScale
{
public:
    explicit TwipScale(double logicalDpi = 96.0);
    static TwipScale forScreen(const QScreen* screen);

    double twipsPerPixel() const { return m_twipsPerPixel; }

    int toPixels(std::int32_t twips) const;
    std::int32_t toTwips(int pixels) const;
    QRect toPixels(TwipRect rect) const;
    QSize toPixels(TwipSize size) const;
    TwipSize toTwips(QSize size) const;

private:
    double m_twipsPerPixel;
};
