#pragma once

#include "common/TwipRect.h"

#include <QRectF>
#include <QString>

#include <string_view>
#include <vector>

class QLabel;

// Where the glyphs of a text in the Japanese bold font put ink, as a label aligned to its top-left
// corner draws them: the drill window fits the judgement mark's box to it. Outlines scale with
// the font size, so one measurement of a text serves every size it is tried at; measuring each
// size anew would load the font a dozen times on the way to the first frame.
class InkMeasure
{
public:
    // The ink's bounds in twips at the given size, relative to the label's top-left corner.
    // Empty for an empty text or a size below one point.
    TwipRect bounds(const QLabel& label, std::u16string_view text, int points,
        double twipsPerPixel) const;

private:
    // The ink in pixels per point of font size, at the resolution of the label's screen.
    QRectF perPoint(const QLabel& label, const QString& text) const;

    struct Measured
    {
        QString text;
        int dpi = 0;
        QRectF perPoint;
    };
    mutable std::vector<Measured> m_measured;
};
