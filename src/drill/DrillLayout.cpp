#include "drill/DrillLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Beyond any screen: an em of this size is some 450 inches.
constexpr int kLargestFontSize = 32767;

std::int32_t floorOf(double value)
{
    return static_cast<std::int32_t>(std::floor(value));
}

// Where the marks' ink lies on the window at one font size, for a box at a given top.
struct MarkExtent
{
    std::int32_t lowestBottom = 0; // of the mark that reaches lowest
    std::int32_t highestBottom = 0; // of the mark that ends highest
    std::int32_t right = 0;
};

MarkExtent extentAt(const DrillLayout::MarkInk& ink, const TwipRect& box, int points)
{
    MarkExtent extent { box.top, std::numeric_limits<std::int32_t>::max(), box.left };
    for (const TwipRect& glyph : ink(points)) {
        const std::int32_t bottom = box.top + glyph.top + glyph.height;
        extent.lowestBottom = std::max(extent.lowestBottom, bottom);
        extent.highestBottom = std::min(extent.highestBottom, bottom);
        extent.right = std::max(extent.right, box.left + glyph.left + glyph.width);
    }
    if (extent.highestBottom == std::numeric_limits<std::int32_t>::max())
        extent.highestBottom = box.top;
    return extent;
}

// The largest size in [low, high] for which holds(size) is true, given that it holds for low
// and, once false, stays false for every larger size.
int largestWhere(int low, int high, const std::function<bool(int)>& holds)
{
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (holds(middle))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
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

// Part of the plain layout's mark runs off the bottom of a screen wider than about 4:3, because
// its font follows the width while its top follows the height; on a portrait screen it ends
// above the word line. The mark keeps its box, the font is changed only as much as needed:
// - Its ink must end a hundredth of the height above the bottom edge of the window, or of its
//   inside where a title bar takes part of the height, and within the width of the label's own
//   box, which would cut it.
// - Its ink must reach at least half-way down the word line of the longest word, whose line is
//   the lowest one: there the mark is over the word of every card.
// - When the plain font does both, it stays. When the ink runs too low, the font is the largest
//   size that ends in time. When it stops short of the word line, the font is the smallest size
//   that reaches it; should even the largest size that fits not reach it, that size is taken and
//   the box is lowered until the ink does.
DrillLayout::MarkPlacement DrillLayout::FitMark(
    TwipSize window, TwipSize client, const MarkInk& ink)
{
    MarkPlacement placement { MarkFontSize(window), MarkBox(window) };
    const TwipRect box = placement.box;
    const std::int32_t bottomLimit
        = std::min(window.height, client.height) - floorOf(window.height / 100.0);
    const std::int32_t rightLimit = std::min(box.left + box.width, client.width);
    const WordLabels longest = PlaceWordLabels(window, 10);
    const std::int32_t reach = longest.label1.top + longest.cellSize / 2;

    const auto fits = [&](int points) {
        const MarkExtent extent = extentAt(ink, box, points);
        return extent.lowestBottom <= bottomLimit && extent.right <= rightLimit;
    };
    const auto reaches
        = [&](int points) { return extentAt(ink, box, points).highestBottom >= reach; };

    const int plain = std::max(1, placement.fontSize);
    if (!fits(plain)) {
        placement.fontSize = plain > 1 ? largestWhere(1, plain - 1, fits) : 1;
        return placement;
    }
    if (reaches(plain))
        return placement;

    // Grow: first find a size that no longer fits, then the largest that does.
    int tooLarge = plain * 2;
    while (tooLarge < kLargestFontSize && fits(tooLarge))
        tooLarge = std::min(tooLarge * 2, kLargestFontSize);
    const int largest = largestWhere(plain, tooLarge - 1, fits);
    if (reaches(largest)) {
        // The smallest reaching size: the largest one that does not reach, plus one.
        placement.fontSize
            = largestWhere(plain, largest, [&](int points) { return !reaches(points); }) + 1;
        return placement;
    }
    placement.fontSize = largest;
    const MarkExtent extent = extentAt(ink, box, largest);
    placement.box.top += std::max<std::int32_t>(
        0, std::min(reach - extent.highestBottom, bottomLimit - extent.lowestBottom));
    return placement;
}

// The plain box takes two thirds of the height, while the word line's cells follow the width: on
// a screen wider than about 16:10 the word line rises into the box and covers the lower part of
// the picture. The box then ends a hundredth of the height above the highest word line (that of
// a word of up to six characters); the word line and the mark stay where they are. It is the same
// box for every card, so that a picture read ahead at the box's size is the one shown.
TwipRect DrillLayout::CardPictureBox(TwipSize window)
{
    const double w = window.width;
    const double h = window.height;
    TwipRect box { floorOf(w / 6), floorOf(h / 21), floorOf((w / 3) * 2), floorOf((h / 3) * 2) };
    const std::int32_t wordTop = PlaceWordLabels(window, 0).label1.top;
    if (box.top + box.height > wordTop)
        box.height = std::max<std::int32_t>(0, wordTop - floorOf(h / 100) - box.top);
    return box;
}

TwipRect DrillLayout::FitPicture(TwipRect box, TwipSize picture)
{
    if (picture.width <= 0 || picture.height <= 0 || box.width <= 0 || box.height <= 0)
        return box;
    const std::int64_t pictureWidth = picture.width;
    const std::int64_t pictureHeight = picture.height;
    const std::int64_t boxWidth = box.width;
    const std::int64_t boxHeight = box.height;
    // Rounded to the nearest unit, in whole numbers: a 4:3 picture in a box of 682 x 512 is
    // 682 x 511.5 exactly.
    const auto scaledTo = [](std::int64_t side, std::int64_t numerator, std::int64_t denominator) {
        return static_cast<std::int32_t>(
            std::max<std::int64_t>(1, (side * numerator * 2 + denominator) / (denominator * 2)));
    };
    std::int32_t width = box.width;
    std::int32_t height = box.height;
    if (pictureWidth * boxHeight > pictureHeight * boxWidth)
        height = std::min(box.height, scaledTo(boxWidth, pictureHeight, pictureWidth));
    else
        width = std::min(box.width, scaledTo(boxHeight, pictureWidth, pictureHeight));
    // A picture of the box's own shape fills it: a single line of background beside it would
    // come from rounding alone.
    if (box.width - width <= 1)
        width = box.width;
    if (box.height - height <= 1)
        height = box.height;
    return { box.left + (box.width - width) / 2, box.top + (box.height - height) / 2, width,
        height };
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
