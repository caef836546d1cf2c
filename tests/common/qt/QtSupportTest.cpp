#include "common/ColourContrast.h"
#include "common/qt/BgrColour.h"
#include "common/qt/JapaneseFont.h"
#include "common/qt/QtText.h"
#include "common/qt/TwipScale.h"

#include <QFontDatabase>

#include <gtest/gtest.h>

namespace {

TEST(QtTextTest, CopiesUtf16UnitsBothWaysWithoutChangingThem)
{
    // Kana, a full-width letter, a lone half of a surrogate pair and an embedded NUL must all
    // survive: file names and typed text are compared unit by unit.
    const std::u16string samples[] = { u"", u"でんしゃ.jpg", u"Ｘ○ー", u"\U0001F34E", u"a\0b",
        std::u16string(1, char16_t(0xD800)) };
    for (const std::u16string& text : samples) {
        const QString converted = QtText::toQString(text);
        EXPECT_EQ(converted.size(), static_cast<qsizetype>(text.size()));
        EXPECT_EQ(QtText::toU16(converted), text);
    }
    EXPECT_EQ(QtText::toQString(u"ぶどう"), QStringLiteral(u"ぶどう"));
    EXPECT_EQ(QtText::fromUtf8("画像データ"), QStringLiteral(u"画像データ"));
    // A broken byte becomes a replacement character instead of ending the text.
    EXPECT_EQ(QtText::fromUtf8("a\xFFz"), QStringLiteral(u"a\uFFFDz"));
}

TEST(TwipScaleTest, ConvertsAtTheScreensRatio)
{
    const TwipScale standard(96.0);
    EXPECT_DOUBLE_EQ(standard.twipsPerPixel(), 15.0);
    EXPECT_EQ(standard.toPixels(770), 51);
    EXPECT_EQ(standard.toTwips(1920), 28800);
    EXPECT_EQ(standard.toTwips(QSize(1024, 768)), (TwipSize { 15360, 11520 }));

    const TwipScale scaled(144.0);
    EXPECT_DOUBLE_EQ(scaled.twipsPerPixel(), 10.0);
    EXPECT_EQ(scaled.toPixels(TwipSize { 19200, 10800 }), QSize(1920, 1080));

    // No DPI at all is taken as 96, not as a division by zero.
    EXPECT_DOUBLE_EQ(TwipScale(0.0).twipsPerPixel(), 15.0);
}

TEST(TwipScaleTest, BoxesThatMeetInTwipsMeetInPixels)
{
    const TwipScale scale(96.0);
    // 7 twips is less than half a pixel: rounding each size alone would open a gap.
    const QRect left = scale.toPixels(TwipRect { 0, 0, 22, 15 });
    const QRect right = scale.toPixels(TwipRect { 22, 0, 22, 15 });
    EXPECT_EQ(left.x() + left.width(), right.x());
    EXPECT_EQ(scale.toPixels(TwipRect { 128, 30, 513, 420 }), QRect(9, 2, 34, 28));
    EXPECT_EQ(scale.toPixels(TwipRect { 10, 10, -50, 0 }).size(), QSize(0, 0));
}

TEST(BgrColourTest, ReadsRedFromTheLowestByte)
{
    EXPECT_EQ(BgrColour::toQColor(0x00800000), QColor(0, 0, 128)); // navy
    EXPECT_EQ(BgrColour::toQColor(0x00FF8080), QColor(128, 128, 255)); // light blue
    EXPECT_EQ(BgrColour::toQColor(0x000000FF), QColor(255, 0, 0)); // red
    EXPECT_EQ(BgrColour::toQColor(0xFF123456), QColor(0x56, 0x34, 0x12)); // high byte ignored
}

TEST(ColourContrastTest, KeepsTextColoursThatCanBeReadAndOtherwiseTakesBlackOrWhite)
{
    EXPECT_NEAR(ColourContrast::Ratio(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(ColourContrast::Ratio(0xFFFFFF, 0x000000), 21.0, 1e-9);
    EXPECT_NEAR(ColourContrast::Ratio(0x808080, 0x808080), 1.0, 1e-9);
    // Grey 118 is the lightest grey that still reads on white; grey 119 just fails.
    EXPECT_NEAR(ColourContrast::Ratio(0x767676, 0xFFFFFF), 4.54, 0.01);
    EXPECT_NEAR(ColourContrast::Ratio(0x777777, 0xFFFFFF), 4.48, 0.01);
    // Pure red (the lowest byte) and pure blue weigh differently: blue is the darker.
    EXPECT_NEAR(ColourContrast::Ratio(0x0000FF, 0xFFFFFF), 4.00, 0.01);
    EXPECT_NEAR(ColourContrast::Ratio(0xFF0000, 0xFFFFFF), 8.59, 0.01);

    struct Row
    {
        Colour text, background, shown;
    };
    const Row rows[] = {
        { 0x767676, 0xFFFFFF, 0x767676 }, // the system colour kept
        { 0x777777, 0xFFFFFF, 0x000000 },
        { 0xE0E0E0, 0xFFFFFF, 0x000000 }, // a dark scheme's light text on white
        { 0x800000, 0xFFFFFF, 0x800000 }, // navy kept
        { 0x202020, 0x303030, 0xFFFFFF }, // dark on dark: white reads better
        { 0xE0E0E0, 0xA0A0A0, 0x000000 }, // on mid grey black reads better
    };
    for (const Row& row : rows)
        EXPECT_EQ(ColourContrast::Readable(row.text, row.background), row.shown) << row.text;

    EXPECT_EQ(BgrColour::fromQColor(QColor(0x56, 0x34, 0x12)), 0x00123456u);
    EXPECT_EQ(BgrColour::readableOn(QColor(0xE0, 0xE0, 0xE0), Qt::white), QColor(Qt::black));
}

TEST(JapaneseFontTest, PrefersMsGothicThenTheFallbacksInOrder)
{
    const QString msGothic = QStringLiteral(u"ＭＳ ゴシック");
    EXPECT_EQ(JapaneseFont::chooseFamily(
                  { QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic"), msGothic }),
        msGothic);
    EXPECT_EQ(JapaneseFont::chooseFamily(
                  { QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("ipagothic") }),
        QStringLiteral("IPAGothic"));
    EXPECT_EQ(JapaneseFont::chooseFamily({ QStringLiteral("DejaVu Sans") }), msGothic);
}

TEST(JapaneseFontTest, IsBoldAtTheSizeAskedAndNeverBelowOnePoint)
{
    const QFont font = JapaneseFont::bold(24);
    EXPECT_EQ(font.pointSize(), 24);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(JapaneseFont::preferredFamilies().contains(font.family()));
    EXPECT_EQ(JapaneseFont::bold(0).pointSize(), 1);
    // The face chosen from the font database is one that is really installed (the bootstrap
    // installs the IPA face), not a name Qt would silently replace.
    const QStringList installed = QFontDatabase::families();
    EXPECT_TRUE(installed.contains(JapaneseFont::chooseFamily(), Qt::CaseInsensitive));
}

} // namespace
