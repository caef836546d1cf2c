#include "cards/CardName.h"

#include "common/Utf8Text.h"

#include <gtest/gtest.h>

namespace {

struct WordCase
{
    const char* what;
    std::u16string word;
    std::u16string problem; // empty when the word may be a card
    std::u16string suggestion;
};

std::string utf8(std::u16string_view text)
{
    return Utf8Text::encode(text);
}

// What the card maker and a rename tell the teacher about the word typed for a card, and the
// hiragana offered in its place, in a folder where either keyboard may be used.
TEST(CardNameTest, SaysWhyAWordCannotBeACardAndOffersTheHiragana)
{
    const std::u16string both
        = u"はどちらのキーボードでも打てません。子どもが打てるひらがなにしてください。";
    const WordCase cases[] = {
        { "nothing typed", u"", u"名前がありません。ひらがなで名前を入れてください。", u"" },
        { "ten kana, all of them asked", u"ちょうちょうとかぶと", u"", u"" },
        { "eleven kana", u"ちょうちょうとかぶとむ", u"名前が長すぎます。10文字までにしてください。",
            u"" },
        { "katakana", u"ネコ", u"「ネ」「コ」（カタカナ）" + both, u"ねこ" },
        { "katakana with the long vowel mark", u"ケーキ", u"「ケ」「キ」（カタカナ）" + both,
            u"けーき" },
        { "half-width katakana with a voiced mark", u"ｶﾞｲｺﾂ",
            u"「ｶ」「ﾞ」「ｲ」「ｺ」「ﾂ」（カタカナ・記号）" + both, u"がいこつ" },
        { "katakana whose hiragana no key gives", u"ヴァイオリン",
            u"「ヴ」「ァ」「イ」「オ」「リ」「ン」（カタカナ）" + both, u"" },
        { "a wide blank", u"しろ　くま", u"「　」（空白）" + both, u"しろくま" },
        { "a tab, shown as a blank", u"しろ\tくま", u"「 」（空白）" + both, u"しろくま" },
        { "double quotes", u"\"ねこ\"", u"「\"」（記号）" + both, u"ねこ" },
        { "what a file name may not hold", u"ね/\\:*?<>|",
            u"「/」「\\」「:」「*」「?」「<」「>」「|」（記号）" + both, u"" },
        { "kanji and katakana", u"犬とネコ", u"「犬」「ネ」「コ」（漢字・カタカナ）" + both, u"" },
        { "full-width letters and digits", u"ｃａｔ１",
            u"「ｃ」「ａ」「ｔ」「１」（ローマ字・数字）" + both, u"" },
        { "a small kana no key gives", u"ぁひる", u"「ぁ」（キーのないひらがな）" + both, u"" },
        { "an emoji, one character of two units", u"ねこ😺", u"「😺」（絵文字など）" + both, u"" },
        { "katakana whose hiragana would be too long", u"チョウチョウトカブトムシ",
            u"名前が長すぎます。10文字までにしてください。", u"" },
    };
    const std::vector<KanaKeyboard> keyboards { KanaKeyboard(true), KanaKeyboard(false) };
    for (const WordCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(utf8(CardName::NewWordProblem(c.word, keyboards).value_or(u"")), utf8(c.problem));
        EXPECT_EQ(utf8(CardName::Suggestion(c.word, keyboards)), utf8(c.suggestion));
    }
}

} // namespace
