#include "drill/DrillLayout.h"

#include <gtest/gtest.h>

#include <string>
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

bool intersect(const TwipRect& a, const TwipRect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height
        && b.top < a.top + a.height;
}

// The screens schools use, at 15 twips a pixel, and a 4:3 one under a window manager: the picture
// box ends above the word line of every word length and keeps its place; the plain box stays
// where it already does (4:3, 5:4, 16:10, portrait). A picture is drawn as large as fits, with
// its own shape, centred, and a 4:3 picture fills a 4:3 screen's box exactly.
TEST(DrillLayoutTest, ThePictureKeepsItsShapeAboveTheWordLineOnEveryScreen)
{
    struct Row
    {
        const char* screen;
        TwipSize window;
        TwipRect box;
        std::int32_t titleBar = 0;
    };
    const Row rows[] = {
        { "1024x768", { 15360, 11520 }, { 2560, 548, 10240, 7680 } },
        { "1280x1024", { 19200, 15360 }, { 3200, 731, 12800, 10240 } },
        { "1920x1200", { 28800, 18000 }, { 4800, 857, 19200, 12000 } },
        { "1080x1920", { 16200, 28800 }, { 2700, 1371, 10800, 19200 } },
        // Shortened to end H / 100 above the word line of words up to six characters (the line
        // at H - W / 7 - H / 21).
        { "1366x768", { 20490, 11520 }, { 3415, 548, 13660, 7381 } },
        { "1920x1080", { 28800, 16200 }, { 4800, 771, 19200, 10381 } },
        { "2560x1080", { 38400, 16200 }, { 6400, 771, 25600, 9010 } },
        { "3840x2160", { 57600, 32400 }, { 9600, 1542, 38400, 20763 } },
        { "1024x768 with a title bar", { 15360, 11520 }, { 2560, 548, 10240, 7680 }, 450 },
    };
    struct Picture
    {
        const char* shape;
        TwipSize size;
    };
    const Picture pictures[]
        = { { "4:3", { 640, 480 } }, { "16:9", { 1920, 1080 } }, { "portrait 3:4", { 600, 800 } } };

    for (const Row& row : rows) {
        const TwipRect box = DrillLayout::CardPictureBox(row.window);
        EXPECT_EQ(box, row.box) << row.screen;
        EXPECT_LE(box.top + box.height, row.window.height - row.titleBar) << row.screen;
        for (std::int16_t length = 0; length <= 10; ++length) {
            const TwipRect word = DrillLayout::PlaceWordLabels(row.window, length).label1;
            EXPECT_LT(box.top + box.height, word.top) << row.screen << ", length " << length;
            EXPECT_FALSE(intersect(box, word)) << row.screen << ", length " << length;
        }

        for (const Picture& picture : pictures) {
            const std::string which = std::string(row.screen) + ", " + picture.shape;
            const TwipRect drawn = DrillLayout::FitPicture(box, picture.size);
            const double shape = double(picture.size.width) / picture.size.height;
            EXPECT_NEAR(double(drawn.width) / drawn.height / shape, 1.0, 0.01) << which;
            // Inside the box, touching two of its opposite sides, centred.
            EXPECT_GE(drawn.left, box.left) << which;
            EXPECT_GE(drawn.top, box.top) << which;
            EXPECT_TRUE(drawn.width == box.width || drawn.height == box.height) << which;
            EXPECT_NEAR(drawn.left - box.left, box.left + box.width - drawn.left - drawn.width, 1)
                << which;
            EXPECT_NEAR(drawn.top - box.top, box.top + box.height - drawn.top - drawn.height, 1)
                << which;
        }
    }

    // In pixels, as the window draws: a 4:3 picture fills a 4:3 screen's box pixel for pixel
    // (682 x 511.5 rounds to the box), a wider one leaves bands above and below.
    EXPECT_EQ(DrillLayout::FitPicture({ 170, 36, 682, 512 }, { 640, 480 }),
        (TwipRect { 170, 36, 682, 512 }));
    EXPECT_EQ(DrillLayout::FitPicture({ 170, 36, 682, 512 }, { 1600, 1200 }),
        (TwipRect { 170, 36, 682, 512 }));
    EXPECT_EQ(DrillLayout::FitPicture({ 227, 36, 910, 500 }, { 640, 480 }),
        (TwipRect { 348, 36, 667, 500 }));
    EXPECT_EQ(
        DrillLayout::FitPicture({ 0, 0, 100, 100 }, { 160, 90 }), (TwipRect { 0, 22, 100, 56 }));
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
