#include "record/KanaConfusion.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Group = KanaConfusion::Group;

struct ExpectedSlip
{
    Group group;
    std::u16string expected;
    std::u16string typed;
};

struct Case
{
    std::u16string word;
    std::u16string typed;
    std::vector<ExpectedSlip> slips;
};

std::string utf8(const std::u16string& text)
{
    std::string out;
    for (const char16_t c : text) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace

TEST(KanaConfusionTest, SortsEachSlipOfAnAlignedAnswerIntoTheTeachersGroups)
{
    const std::vector<Case> cases = {
        { u"ねこ", u"ねこ", {} },
        // The voiced and semi-voiced marks: missing, extra, and one for the other.
        { u"がっこう", u"かっこう", { { Group::VoicingMissing, u"が", u"か" } } },
        { u"ぷりん", u"ふりん", { { Group::VoicingMissing, u"ぷ", u"ふ" } } },
        { u"すいか", u"すいが", { { Group::VoicingExtra, u"か", u"が" } } },
        { u"ぱん", u"ばん", { { Group::VoicingWrong, u"ぱ", u"ば" } } },
        // Small kana and their full-size forms, both ways.
        { u"きって", u"きつて", { { Group::SmallKana, u"っ", u"つ" } } },
        { u"きしゃ", u"きしや", { { Group::SmallKana, u"ゃ", u"や" } } },
        { u"びょういん", u"びようい",
            { { Group::SmallKana, u"ょ", u"よ" }, { Group::KanaMissing, u"ん", u"" } } },
        { u"ゆき", u"ゅき", { { Group::SmallKana, u"ゆ", u"ゅ" } } },
        { u"ふぁいる", u"ふあいる", { { Group::SmallKana, u"ぁ", u"あ" } } },
        // The long-vowel mark missing or extra.
        { u"けーき", u"けき", { { Group::LongVowelMark, u"ー", u"" } } },
        { u"らーめん", u"らーめーん", { { Group::LongVowelMark, u"", u"ー" } } },
        // Kana that sound alike.
        { u"わに", u"はに", { { Group::SoundAlike, u"わ", u"は" } } },
        { u"おにぎり", u"をにぎり", { { Group::SoundAlike, u"お", u"を" } } },
        { u"へや", u"えや", { { Group::SoundAlike, u"へ", u"え" } } },
        // A key touching the right one on the JIS kana layout: beside it (か T, ん Y), below it
        // (か T, き G), on the digit row (ぬ 1, ふ 2), or the same key in the other shift state
        // (ほ -, を =); and a neighbour pressed along with the right key.
        { u"かさ", u"んさ", { { Group::NeighbourKey, u"か", u"ん" } } },
        { u"しか", u"しき", { { Group::NeighbourKey, u"か", u"き" } } },
        { u"いぬ", u"いふ", { { Group::NeighbourKey, u"ぬ", u"ふ" } } },
        { u"ほし", u"をし", { { Group::NeighbourKey, u"ほ", u"を" } } },
        { u"いぬ", u"いぬふ", { { Group::NeighbourKey, u"", u"ふ" } } },
        // One missing or doubled kana is one slip, and the rest of the word still lines up.
        { u"りんご", u"りご", { { Group::KanaMissing, u"ん", u"" } } },
        { u"あひる", u"ひる", { { Group::KanaMissing, u"あ", u"" } } },
        { u"りんご", u"りんんご", { { Group::KanaDoubled, u"ん", u"んん" } } },
        { u"ばなな", u"ばななな", { { Group::KanaDoubled, u"な", u"なな" } } },
        { u"ねこ", u"ね", { { Group::KanaMissing, u"こ", u"" } } },
        // Everything else; keys far apart (ぬ 1, こ B) are no motor slip.
        { u"いぬ", u"いこ", { { Group::Other, u"ぬ", u"こ" } } },
        // Two slips in one word, each in its group.
        { u"でんしゃ", u"てんしや",
            { { Group::VoicingMissing, u"で", u"て" }, { Group::SmallKana, u"ゃ", u"や" } } },
        { u"とまと", u"どまとと",
            { { Group::VoicingExtra, u"と", u"ど" }, { Group::KanaDoubled, u"と", u"とと" } } },
    };

    for (const Case& test : cases) {
        SCOPED_TRACE(utf8(test.word) + " typed " + utf8(test.typed));
        const std::vector<KanaConfusion::Slip> slips
            = KanaConfusion::Classify(test.word, test.typed);
        ASSERT_EQ(slips.size(), test.slips.size());
        for (std::size_t i = 0; i < slips.size(); ++i) {
            EXPECT_EQ(slips[i].group, test.slips[i].group) << "slip " << i;
            EXPECT_EQ(slips[i].expected, test.slips[i].expected) << "slip " << i;
            EXPECT_EQ(slips[i].typed, test.slips[i].typed) << "slip " << i;
        }
    }

    // Every group has a name of its own for the report.
    std::set<std::u16string> names;
    for (int group = 0; group <= static_cast<int>(Group::Other); ++group)
        names.insert(KanaConfusion::GroupName(static_cast<Group>(group)));
    EXPECT_EQ(names.size(), static_cast<std::size_t>(Group::Other) + 1);
}
