#include "common/Utf8Text.h"
#include "data/ShiftJisCodec.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(ShiftJisCodecTest, ConvertsKanaBothWaysOneUnitPerKana)
{
    const std::string bytes = TempFolder::hex("82 A0 82 D0 82 E9 2E 6A 70 67 83 4C B1 5C");
    const auto text = ShiftJisCodec::decode(bytes);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, u"あひる.jpgキｱ\\");
    EXPECT_EQ(text->size(), 10u);
    EXPECT_EQ(ShiftJisCodec::encode(*text), bytes);
    EXPECT_EQ(ShiftJisCodec::decode(""), u"");
}

TEST(ShiftJisCodecTest, RefusesWhatCodePage932CannotCarry)
{
    // Bytes that are no character, and a lead byte cut off at the end.
    EXPECT_FALSE(ShiftJisCodec::decode("\x80"));
    EXPECT_FALSE(ShiftJisCodec::decode("\xA0"));
    EXPECT_FALSE(ShiftJisCodec::decode("ab\x82"));
    EXPECT_FALSE(ShiftJisCodec::decode("\x82\x22"));
    // An emoji and a lone surrogate have no code.
    EXPECT_FALSE(ShiftJisCodec::encode(u"いぬ\U0001F436.jpg"));
    EXPECT_FALSE(ShiftJisCodec::encode(std::u16string(1, char16_t(0xD800))));
}

TEST(ShiftJisCodecTest, RoundTripSpotsCharactersThatReadBackAsOthers)
{
    EXPECT_TRUE(ShiftJisCodec::roundTrips(u"あひる.jpg"));
    EXPECT_TRUE(ShiftJisCodec::roundTrips(u"ＡＢＣ～－"));
    EXPECT_FALSE(ShiftJisCodec::roundTrips(u"\u00A5100.jpg")); // yen sign comes back as "\"
    EXPECT_FALSE(ShiftJisCodec::roundTrips(u"\u00AC.jpg")); // not sign comes back full width
    EXPECT_FALSE(ShiftJisCodec::roundTrips(u"\U0001F436.jpg"));
}

TEST(ShiftJisCodecTest, ReadsWindowsExtensionsAndTheUserAreaAsWindowsDoes)
{
    // Code page 932 is JIS X 0208 with Windows' own additions; a file written on either system
    // must read the same on the other, so each kind is checked on both.
    const std::vector<std::pair<std::string, std::u16string>> cases {
        { "\x81\x60", u"\uFF5E" }, // the wave dash, read as the full-width tilde
        { "\x81\x5F", u"\uFF3C" }, // the full-width backslash
        { "\x87\x40", u"\u2460" }, // NEC's circled digit one
        { "\xFA\x40", u"\u2170" }, // IBM's small Roman numeral one
        { "\xF0\x40", u"\uE000" }, // the first character of the user area
        { "\xB1", u"\uFF71" }, // half-width katakana
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "case " << i);
        EXPECT_EQ(ShiftJisCodec::decode(cases[i].first), cases[i].second);
        EXPECT_EQ(ShiftJisCodec::encode(cases[i].second), cases[i].first);
    }
    // NEC's copy of an IBM kanji reads as that kanji, which is written back under IBM's code.
    EXPECT_EQ(ShiftJisCodec::decode("\xED\x40"), u"\u7E8A");
    EXPECT_EQ(ShiftJisCodec::encode(u"\u7E8A"), "\xFA\x5C");
    // Bytes past the last lead byte and the empty trail bytes are no characters.
    EXPECT_FALSE(ShiftJisCodec::decode("\xFD"));
    EXPECT_FALSE(ShiftJisCodec::decode("\x81\x7F"));
}

TEST(Utf8TextTest, DecodesStrictlyAndEncodesBack)
{
    const std::string bytes = "\xE3\x81\x82"
                              "a"
                              "\xF0\x9F\x90\xB6";
    const auto text = Utf8Text::decode(bytes);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, u"あa\U0001F436");
    EXPECT_EQ(Utf8Text::encode(*text), bytes);

    EXPECT_FALSE(Utf8Text::decode("\xC0\xAF")); // overlong "/"
    EXPECT_FALSE(Utf8Text::decode("\xED\xA0\x80")); // encoded surrogate
    EXPECT_FALSE(Utf8Text::decode("\xE3\x81")); // cut short
    EXPECT_FALSE(Utf8Text::decode("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(Utf8Text::decode("\x82\xA0")); // Shift-JIS あ

    EXPECT_EQ(Utf8Text::decodeReplacing("a\xFF"
                                        "b"),
        u"a\uFFFDb");
    EXPECT_EQ(Utf8Text::encode(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

} // namespace
