#include "data/ShiftJisCodec.h"
#include "app/Utf8Text.h"

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
