#include "drill/DrillLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr TwipSize kSmallWindow { 770, 630 };

TEST(DrillLayoutTest, MarkAndPictureBoxesForTheSmallWindow)
{
    EXPECT_EQ(DrillLayout::MarkFontSize(kSmallWindow), 8);
    EXPECT_EQ(DrillLayout::MarkBox(kSmallWindow), (TwipRect { 308, 447, 385, 315 }));
    EXPECT_EQ(DrillLayout::CardPictureBox(kSmallWindow), (TwipRect { 128, 30, 513, 420 }));
}

// A full-width glyph inked from a tenth of the em to nine tenths, 20 twips a point.
std::vector<TwipRect> squareMarks(int points)
{
    const std::int32_t em = points * 20;
    return { { em / 10, em / 10, em * 8 / 10, em * 8 / 10 } };
}

TEST(DrillLayoutTest, TheMarkIsFittedOnlyWhereThePlainOneIsNotSeenWholeOverTheWord)
{
    struct Row
    {
        const char* shape;
        TwipSize window;
        int font;
        std::int32_t top;
        std::int32_t titleBar = 0; // taken from the inside's height
    };
    const Row rows[] = {
        // Seen whole and over the word: the plain W / 90 points at 71 % of H.
        { "small 770 x 630", kSmallWindow, 8, 447 },
        { "4:3", { 15360, 11520 }, 170, 8179 },
        { "5:4", { 19200, 15360 }, 213, 10905 },
        // The plain mark would end below the window (16:9, 21:9): the largest font whose ink ends
        // H / 100 above the bottom edge.
        { "16:9", { 20490, 11520 }, 179, 8179 },
        { "21:9", { 38400, 16200 }, 252, 11502 },
        // Portrait: the plain mark ends above the word line; the smallest font that reaches
        // half-way down the longest word's line.
        { "9:16", { 16200, 28800 }, 347, 20448 },
        // So narrow that the largest font fitting the box's width still falls short: the box
        // comes down.
        { "1:5", { 6000, 30000 }, 166, 25310 },
        // A title bar of 30 pixels over a 4:3 window: the largest font whose ink ends in time
        // inside it.
        { "4:3 with a title bar", { 15360, 11520 }, 154, 8179, 450 },
    };
    for (const Row& row : rows) {
        const TwipSize client { row.window.width, row.window.height - row.titleBar };
        const auto mark = DrillLayout::FitMark(row.window, client, squareMarks);
        EXPECT_EQ(mark.fontSize, row.font) << row.shape;
        const TwipRect plain = DrillLayout::MarkBox(row.window);
        EXPECT_EQ(mark.box, (TwipRect { plain.left, row.top, plain.width, plain.height }))
            << row.shape;
    }

    // Of two marks, the one that reaches lower limits the font and the one that ends higher
    // must still reach the word line.
    const auto twoMarks = [](int points) {
        std::vector<TwipRect> marks = squareMarks(points);
        marks.push_back({ 0, 0, points * 20, points * 20 });
        return marks;
    };
    EXPECT_EQ(DrillLayout::FitMark({ 20490, 11520 }, { 20490, 11520 }, twoMarks).fontSize, 161);
    EXPECT_EQ(DrillLayout::FitMark({ 16200, 28800 }, { 16200, 28800 }, twoMarks).fontSize, 347);
}

TEST(DrillLayoutTest, WordLabelsFollowTheWordLength)
{
    struct Row
    {
        std::int16_t length;
        std::int32_t cell, width, top, left;
        int font;
    };
    const Row rows[] = {
        { 0, 110, 0, 490, 385, 5 },
        { 1, 110, 110, 490, 330, 5 },
        { 3, 110, 330, 490, 220, 5 },
        { 6, 110, 660, 490, 55, 5 },
        { 7, 96, 672, 504, 49, 4 },
        { 10, 70, 700, 530, 35, 3 },
    };
    for (const Row& row : rows) {
        const auto labels = DrillLayout::PlaceWordLabels(kSmallWindow, row.length);
        EXPECT_EQ(labels.cellSize, row.cell) << row.length;
        EXPECT_EQ(labels.label1, (TwipRect { row.left, row.top, row.width, row.cell }))
            << row.length;
        EXPECT_EQ(labels.fontSize, row.font) << row.length;
    }
}

TEST(DrillLayoutTest, AVeryWideScreenKeepsTheWordCentred)
{
    // 3840 pixels at 15 twips: the label width passes the 16-bit range.
    const TwipSize wide { 57600, 32400 };
    const auto labels = DrillLayout::PlaceWordLabels(wide, 10);
    EXPECT_EQ(labels.cellSize, 5236);
    EXPECT_EQ(labels.label1.width, 52360);
    EXPECT_EQ(labels.label1.left, 2620);
}

TEST(DrillLayoutTest, ModelWordColour)
{
    EXPECT_EQ(DrillLayout::ModelWordColour(true), 0x00FF8080u);
    EXPECT_EQ(DrillLayout::ModelWordColour(false), 0x00FFFFFFu);
}

} // namespace
