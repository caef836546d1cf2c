#include "drill/DrillLayout.h"

#include <gtest/gtest.h>

namespace {

constexpr TwipSize kSmallWindow { 770, 630 };

TEST(DrillLayoutTest, MarkAndPictureBoxesForTheSmallWindow)
{
    EXPECT_EQ(DrillLayout::MarkFontSize(kSmallWindow), 8);
    EXPECT_EQ(DrillLayout::MarkBox(kSmallWindow), (TwipRect { 308, 447, 385, 315 }));
    EXPECT_EQ(DrillLayout::CardPictureBox(kSmallWindow), (TwipRect { 128, 30, 513, 420 }));
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
