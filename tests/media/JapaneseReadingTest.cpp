#include "media/JapaneseReading.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

class JapaneseReadingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        reading = JapaneseReading::create();
        if (!reading)
            GTEST_SKIP() << "MeCab with mecab-ipadic-utf8 is not installed";
    }
    std::unique_ptr<JapaneseReading> reading;
};

bool onlySayable(const std::u16string& text)
{
    for (char16_t c : text) {
        const bool kana = (c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FC);
        const bool plain = c < 0x80;
        const bool mark = c == u'、' || c == u'。' || c == u'？' || c == u'！';
        if (!kana && !plain && !mark)
            return false;
    }
    return true;
}

TEST_F(JapaneseReadingTest, KanjiSentencesBecomeTheirPronunciationInKana)
{
    struct Case
    {
        std::u16string text;
        std::u16string expected;
    };
    const Case cases[] = {
        { u"もう一度、やりなおしてね。", u"モーイチド、ヤリナオシテネ。" },
        { u"この名前をいれてください", u"コノナマエヲイレテクダサイ" },
        { u"これは", u"コレワ" }, // the particle は is said わ
        { u"東京へ", u"トーキョーエ" }, // and へ is said え
        { u"りんご", u"リンゴ" },
        { u"", u"" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(reading->read(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
}

TEST_F(JapaneseReadingTest, WhatHasNoReadingIsLeftOutNotSpelled)
{
    const std::u16string praise
        = reading->read(u"よくできました！齉齉。これが、ｒｉｎｇｏ１２、だね。");
    EXPECT_TRUE(onlySayable(praise));
    EXPECT_EQ(praise.find(u'齉'), std::u16string::npos);
    EXPECT_NE(praise.find(u"ringo12"), std::u16string::npos) << "full-width letters read plain";
    EXPECT_NE(praise.find(u"ダネ"), std::u16string::npos);
    EXPECT_TRUE(onlySayable(reading->read(u"☆♪→①㍻")));
}

TEST_F(JapaneseReadingTest, TheDictionaryIsMappedOnlyWhileATextIsRead)
{
    const auto dictionaryMapped = [] {
        std::ifstream maps("/proc/self/maps");
        std::string line;
        while (std::getline(maps, line)) {
            if (line.find(JapaneseReading::kDictionary) != std::string::npos)
                return true;
        }
        return false;
    };
    EXPECT_EQ(reading->read(u"もう一度、やりなおしてね。"), u"モーイチド、ヤリナオシテネ。");
    EXPECT_FALSE(dictionaryMapped()) << "the dictionary stays in memory between two texts";
    EXPECT_EQ(reading->read(u"この名前をいれてください"), u"コノナマエヲイレテクダサイ");
    EXPECT_FALSE(dictionaryMapped());
}

} // namespace
