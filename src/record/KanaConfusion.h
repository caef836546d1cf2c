#pragma once

#include <string>
#include <string_view>
#include <vector>

// Sorts the slips of a wrong answer into the groups a teacher thinks in. The typed text is
// first aligned with the word, so that one missing kana is one slip, not a whole word wrong.
class KanaConfusion
{
public:
    enum class Group
    {
        VoicingMissing, // か for が, は for ぱ
        VoicingExtra, // が for か
        VoicingWrong, // ば for ぱ
        SmallKana, // つ for っ, や for ゃ and back
        LongVowelMark, // ー missing or extra
        SoundAlike, // は↔わ, お↔を, え↔へ
        NeighbourKey, // a key next to the right one on the JIS kana layout: a motor slip
        KanaMissing,
        KanaDoubled,
        Other,
    };

    struct Slip
    {
        Group group;
        std::u16string expected; // the word's kana (empty for an extra kana)
        std::u16string typed; // what was typed in its place (empty for a missing kana)
    };

    static std::vector<Slip> Classify(std::u16string_view word, std::u16string_view typed);
    static std::u16string GroupName(Group group); // in Japanese, for the report
};
