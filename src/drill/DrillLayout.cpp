#include "drill/DrillLayout.h"

#include <algorithm>
#include <cmath>

namespace {

std::int32_t floorOf(double value)
{
    return static_cast<std::int32_t>(std::floor(value));
}

} // namespace

int DrillLayout::MarkFontSize(TwipSize window)
{
    return floorOf(window.width / 90.0);
}

TwipRect DrillLayout::MarkBox(TwipSize window)
{
    const double w = window.width;
    const double h = window.height;
    return { floorOf(w * 4 / 10), floorOf(h * 71 / 100), floorOf(w / 2), floorOf(h / 2) };
}

TwipRect DrillLayout::CardPictureBox(TwipSize window)
{
    const double w = window.width;
    const double h = window.height;
    return { floorOf(w / 6), floorOf(h / 21), floorOf((w / 3) * 2), floorOf((h / 3) * 2) };
}

DrillLayout::WordLabels DrillLayout::PlaceWordLabels(TwipSize window, std::int16_t wordLength)
{
    const double w = window.width;
    const double h = window.height;
    const int length = std::clamp<int>(wordLength, 0, 10);
    const int columns = std::max(length, 6) + 1;

    WordLabels labels;
    labels.cellSize = floorOf(w / columns);
    // The product is kept in 32 bits: on a screen wider than about 2400 pixels it no longer
    // fits 16.
    const std::int32_t width = labels.cellSize * length;
    labels.label1 = { floorOf((w - width) / 2), floorOf(h - labels.cellSize - h / 21), width,
        labels.cellSize };
    labels.fontSize = floorOf(labels.cellSize / 20.5);
    return labels;
}

Colour DrillLayout::ModelWordColour(bool showModelWord)
{
    return showModelWord ? kModelWordColour : kHiddenWordColour;
}
