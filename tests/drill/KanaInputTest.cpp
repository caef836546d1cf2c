#include "drill/KanaInput.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct KeyCase
{
    char key;
    char16_t kana;
};

// The JIS kana layout as a typist reads it off the keyboard; entries 0 to 49 of both layouts.
constexpr KeyCase kSharedKeys[] = { { '3', u'あ' }, { 'e', u'い' }, { '4', u'う' }, { '5', u'え' },
    { '6', u'お' }, { 't', u'か' }, { 'g', u'き' }, { 'h', u'く' }, { ':', u'け' }, { 'b', u'こ' },
    { 'x', u'さ' }, { 'd', u'し' }, { 'r', u'す' }, { 'p', u'せ' }, { 'c', u'そ' }, { 'q', u'た' },
    { 'a', u'ち' }, { 'z', u'つ' }, { 'Z', u'っ' }, { 'w', u'て' }, { 's', u'と' }, { 'u', u'な' },
    { 'i', u'に' }, { '1', u'ぬ' }, { ',', u'ね' }, { 'k', u'の' }, { 'f', u'は' }, { 'v', u'ひ' },
    { '2', u'ふ' }, { '^', u'へ' }, { '-', u'ほ' }, { 'j', u'ま' }, { 'n', u'み' }, { ']', u'む' },
    { '/', u'め' }, { 'm', u'も' }, { '7', u'や' }, { '\'', u'ゃ' }, { '8', u'ゆ' }, { '(', u'ゅ' },
    { '9', u'よ' }, { ')', u'ょ' }, { 'o', u'ら' }, { 'l', u'り' }, { '.', u'る' }, { ';', u'れ' },
    { '\\', u'ろ' }, { '0', u'わ' }, { '=', u'を' }, { 'y', u'ん' } };

class KanaInputTest : public ::testing::Test
{
protected:
    KanaInputTest()
    {
        input.BuildMarkTables();
        input.BuildKeyTable(false);
        state.WordLength = 10;
    }

    std::u16string kanaFor(char key)
    {
        std::u16string sound;
        return input.KanaForKey(static_cast<std::int16_t>(static_cast<unsigned char>(key)), sound);
    }

    bool press(int key)
    {
        bool kanaSet = false;
        return input.EditInput(state, static_cast<std::int16_t>(key), kanaSet);
    }

    KanaInput input;
    DrillState state;
};

TEST_F(KanaInputTest, BothLayoutsMapEveryKeyOfTheTable)
{
    for (bool talkingAid : { false, true }) {
        input.BuildKeyTable(talkingAid);
        for (const KeyCase& c : kSharedKeys)
            EXPECT_EQ(kanaFor(c.key), std::u16string(1, c.kana)) << "key " << c.key;
        // Only the long-vowel key differs.
        EXPECT_EQ(kanaFor('|'), talkingAid ? u"" : u"ー");
        EXPECT_EQ(kanaFor(' '), talkingAid ? u"ー" : u"");
        EXPECT_EQ(input.KeyCodes()[51], 0);
        EXPECT_EQ(input.KeyCodes()[52], 0);
        EXPECT_TRUE(input.KanaTable()[51].empty());
        EXPECT_EQ(input.KeyString(talkingAid).size(), 51u);
        EXPECT_EQ(input.KeyString(talkingAid)[46], '\\') << "character 47 is one backslash";
        EXPECT_EQ(input.KeyString(talkingAid)[47], '0');
    }
    EXPECT_EQ(input.VoicedBases()[19], u"ほ");
    EXPECT_TRUE(input.VoicedBases()[20].empty());
    EXPECT_EQ(input.SemiVoicedBases()[4], u"ほ");
}

TEST_F(KanaInputTest, UnmappedKeysGiveNoKanaAndLeaveTheSoundAlone)
{
    std::u16string sound = u"か";
    for (int key :
        std::initializer_list<int> { 'H', 'N', 'A', 'Q', '\t', '@', '[', 8, 13, 27, 0, -1, 200 }) {
        EXPECT_EQ(input.KanaForKey(static_cast<std::int16_t>(key), sound), u"") << key;
        EXPECT_EQ(sound, u"か");
    }
    EXPECT_EQ(input.KanaForKey('Z', sound), u"っ");
    EXPECT_EQ(sound, u"っ");
}

TEST_F(KanaInputTest, MarksFollowTheTableAndLeaveOtherKanaAlone)
{
    const std::u16string bases = u"かきくけこさしすせそたちつてとはひふへほ";
    const std::u16string voiced = u"がぎぐげござじずぜぞだぢづでどばびぶべぼ";
    for (std::size_t i = 0; i < bases.size(); ++i) {
        state.TypedText = std::u16string(u"あ") + bases[i];
        EXPECT_TRUE(input.AddVoicedMark(state));
        EXPECT_EQ(state.TypedText, std::u16string(u"あ") + voiced[i]);
        EXPECT_EQ(state.SoundFile, std::u16string(1, voiced[i]));
    }
    const std::u16string semiBases = u"はひふへほ";
    const std::u16string semiVoiced = u"ぱぴぷぺぽ";
    for (std::size_t i = 0; i < semiBases.size(); ++i) {
        state.TypedText = std::u16string(1, semiBases[i]);
        EXPECT_TRUE(input.AddSemiVoicedMark(state));
        EXPECT_EQ(state.TypedText, std::u16string(1, semiVoiced[i]));
    }
    // Already marked, or no marked form of that kind: unchanged, and no new sound.
    for (char16_t kana : std::u16string(u"がばぱうあんっーかさた")) {
        state.TypedText = std::u16string(1, kana);
        state.SoundFile = u"前";
        EXPECT_FALSE(input.AddSemiVoicedMark(state));
        EXPECT_EQ(state.TypedText, std::u16string(1, kana));
        EXPECT_EQ(state.SoundFile, u"前");
    }
    for (char16_t kana : std::u16string(u"がばぱうあんっー")) {
        state.TypedText = std::u16string(1, kana);
        EXPECT_FALSE(input.AddVoicedMark(state));
        EXPECT_EQ(state.TypedText, std::u16string(1, kana));
    }
}

TEST_F(KanaInputTest, EditingTheLine)
{
    EXPECT_TRUE(press('t'));
    EXPECT_EQ(state.TypedText, u"か");
    EXPECT_TRUE(press('@'));
    EXPECT_EQ(state.TypedText, u"が");
    EXPECT_EQ(state.SoundFile, u"が");
    bool kanaSet = true;
    EXPECT_TRUE(input.EditInput(state, '@', kanaSet));
    EXPECT_FALSE(kanaSet);
    EXPECT_EQ(state.TypedText, u"が");

    state.TypedText.clear();
    press('f');
    press('[');
    EXPECT_EQ(state.TypedText, u"ぱ");
    press('f');
    press('@');
    EXPECT_EQ(state.TypedText, u"ぱば");
    press('[');
    EXPECT_EQ(state.TypedText, u"ぱば") << "a marked kana takes no further mark";
    press('t');
    press('[');
    EXPECT_EQ(state.TypedText, u"ぱばか");
    press(8);
    EXPECT_EQ(state.TypedText, u"ぱば");
}

TEST_F(KanaInputTest, KeysOnAnEmptyLineAreTakenButAppendNothing)
{
    state.SoundFile = u"か";
    for (int key : std::initializer_list<int> { '@', '[', 8, 13, 'A' }) {
        bool kanaSet = true;
        EXPECT_TRUE(input.EditInput(state, static_cast<std::int16_t>(key), kanaSet)) << key;
        EXPECT_FALSE(kanaSet);
        EXPECT_EQ(state.TypedText, u"");
        EXPECT_EQ(state.SoundFile, u"か");
    }
}

TEST_F(KanaInputTest, AFullLineRefusesKanaButStillTakesEdits)
{
    state.WordLength = 3;
    press('t');
    press('t');
    press('t');
    EXPECT_FALSE(press('3'));
    EXPECT_FALSE(press(13)) << "Enter on a full line reaches EditInput only via the judge";
    EXPECT_EQ(state.TypedText, u"かかか");
    EXPECT_TRUE(press('@'));
    EXPECT_EQ(state.TypedText, u"かかが");
    EXPECT_TRUE(press(8));
    EXPECT_EQ(state.TypedText, u"かか");
    EXPECT_TRUE(press('3'));
    EXPECT_EQ(state.TypedText, u"かかあ");

    state.TypedText.clear();
    state.WordLength = 0;
    EXPECT_FALSE(press('t')) << "a card with an empty word takes no key";
}

} // namespace
