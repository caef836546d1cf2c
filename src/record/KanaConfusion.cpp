#include "record/KanaConfusion.h"

#include "drill/KanaInput.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace {

// Costs of the alignment, in tenths of a plain edit. A slip the teacher has a group for costs
// less than an unrelated kana, so that where two alignments explain the answer equally well in
// edits, the one made of known slips wins: "かっこ" typed "かつこ" is つ for っ, not a loss and a
// gain.
constexpr int kSubstituteVoicing = 3;
constexpr int kSubstituteSmall = 3;
constexpr int kSubstituteSoundAlike = 4;
constexpr int kSubstituteNeighbour = 6;
constexpr int kSubstituteOther = 10;
constexpr int kDelete = 10;
constexpr int kDeleteLongMark = 6;
constexpr int kInsert = 10;
constexpr int kInsertLongMark = 6;
constexpr int kInsertDoubled = 5;
constexpr int kInsertNeighbour = 8;

constexpr char16_t kLongMark = u'ー';

// Small kana next to their full-size forms.
constexpr std::u16string_view kSmallPairs = u"ぁあぃいぅうぇえぉおっつゃやゅゆょよゎわ";
constexpr std::u16string_view kSoundAlikePairs = u"はわおをえへ";

// The JIS keyboard as the characters each key gives, unshifted then shifted, row by row from the
// digits down. The key left of the right Shift gives the backslash that the drill takes for ろ;
// the yen key is the vertical bar's. Rows are staggered by a quarter key or more: offsets and
// positions are in quarter keys.
struct KeyRow
{
    int offset;
    std::array<std::string_view, 13> keys;
};
constexpr std::array<KeyRow, 4> kJisRows = { {
    { 0, { "1!", "2\"", "3#", "4$", "5%", "6&", "7'", "8(", "9)", "0", "-=", "^~", "|" } },
    { 2, { "qQ", "wW", "eE", "rR", "tT", "yY", "uU", "iI", "oO", "pP", "@`", "[{", "" } },
    { 3, { "aA", "sS", "dD", "fF", "gG", "hH", "jJ", "kK", "lL", ";+", ":*", "]}", "" } },
    { 5, { "zZ", "xX", "cC", "vV", "bB", "nN", "mM", ",<", ".>", "/?", "\\_", "", "" } },
} };
constexpr int kKeyWidth = 4;

struct KeyPlace
{
    int row;
    int x;
};

struct KanaForm
{
    char16_t base;
    int mark; // 0 none, 1 voiced, 2 semi-voiced
};

// Key places and marked forms after the drill's own tables, so that what counts as the key next
// to another here is what the child's keyboard does in the drill.
class Keyboard
{
public:
    Keyboard()
    {
        KanaInput input;
        input.BuildMarkTables();
        // The JIS layout itself: the Talking Aid variant only moves ー to the space bar.
        input.BuildKeyTable(false);
        for (std::size_t i = 0; i < KanaInput::kKeyCount; ++i) {
            const std::u16string& kana = input.KanaTable()[i];
            const char key = static_cast<char>(input.KeyCodes()[i]);
            if (kana.size() == 1 && inTable(kana.front()))
                m_places[slot(kana.front())] = placeOf(key);
        }
        for (const std::u16string& base : input.VoicedBases()) {
            if (base.size() == 1 && inTable(base.front()))
                m_forms[slot(base.front()) + 1] = KanaForm { base.front(), 1 };
        }
        for (const std::u16string& base : input.SemiVoicedBases()) {
            if (base.size() == 1 && inTable(base.front()))
                m_forms[slot(base.front()) + 2] = KanaForm { base.front(), 2 };
        }
    }

    KanaForm form(char16_t kana) const
    {
        if (inTable(kana) && m_forms[slot(kana)])
            return *m_forms[slot(kana)];
        return KanaForm { kana, 0 };
    }

    // The same key (another shift state: を and ほ) or one touching it.
    bool neighbours(char16_t a, char16_t b) const
    {
        const KanaForm formA = form(a);
        const KanaForm formB = form(b);
        if (a == b || formA.mark != formB.mark)
            return false;
        if (!inTable(formA.base) || !inTable(formB.base))
            return false;
        const std::optional<KeyPlace>& placeA = m_places[slot(formA.base)];
        const std::optional<KeyPlace>& placeB = m_places[slot(formB.base)];
        if (!placeA || !placeB)
            return false;
        const int rows = std::abs(placeA->row - placeB->row);
        const int across = std::abs(placeA->x - placeB->x);
        if (rows == 0)
            return across <= kKeyWidth;
        return rows == 1 && across < kKeyWidth;
    }

private:
    // Every kana of the key table, ー included, lies in the kana block U+3000 to U+30FF: a
    // table over it is looked up without hashing, which the report does for every slip.
    static constexpr char16_t kFirst = u'\u3000';
    static constexpr std::size_t kTableSize = 0x100;
    static bool inTable(char16_t kana) { return kana >= kFirst && kana - kFirst + 2u < kTableSize; }
    static std::size_t slot(char16_t kana) { return static_cast<std::size_t>(kana - kFirst); }

    static std::optional<KeyPlace> placeOf(char key)
    {
        for (std::size_t row = 0; row < kJisRows.size(); ++row) {
            const KeyRow& keys = kJisRows[row];
            for (std::size_t column = 0; column < keys.keys.size(); ++column) {
                if (keys.keys[column].find(key) != std::string_view::npos) {
                    return KeyPlace { static_cast<int>(row),
                        keys.offset + static_cast<int>(column) * kKeyWidth };
                }
            }
        }
        return std::nullopt;
    }

    std::array<std::optional<KeyPlace>, kTableSize> m_places {};
    std::array<std::optional<KanaForm>, kTableSize> m_forms {};
};

const Keyboard& keyboard()
{
    static const Keyboard instance;
    return instance;
}

bool isPair(std::u16string_view pairs, char16_t a, char16_t b)
{
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
        if ((pairs[i] == a && pairs[i + 1] == b) || (pairs[i] == b && pairs[i + 1] == a))
            return true;
    }
    return false;
}

// The group of one kana typed in place of another.
KanaConfusion::Group substitutionGroup(char16_t expected, char16_t typed)
{
    using Group = KanaConfusion::Group;
    const Keyboard& keys = keyboard();
    const KanaForm want = keys.form(expected);
    const KanaForm got = keys.form(typed);
    if (want.base == got.base) {
        if (want.mark == 0)
            return Group::VoicingExtra;
        return got.mark == 0 ? Group::VoicingMissing : Group::VoicingWrong;
    }
    if (isPair(kSmallPairs, expected, typed))
        return Group::SmallKana;
    if (isPair(kSoundAlikePairs, expected, typed))
        return Group::SoundAlike;
    if (keys.neighbours(expected, typed))
        return Group::NeighbourKey;
    return Group::Other;
}

int substitutionCost(char16_t expected, char16_t typed)
{
    if (expected == typed)
        return 0;
    switch (substitutionGroup(expected, typed)) {
    case KanaConfusion::Group::VoicingMissing:
    case KanaConfusion::Group::VoicingExtra:
    case KanaConfusion::Group::VoicingWrong:
        return kSubstituteVoicing;
    case KanaConfusion::Group::SmallKana:
        return kSubstituteSmall;
    case KanaConfusion::Group::SoundAlike:
        return kSubstituteSoundAlike;
    case KanaConfusion::Group::NeighbourKey:
        return kSubstituteNeighbour;
    default:
        return kSubstituteOther;
    }
}

// A kana typed where the word has none, at word position i and typed position j (the kana is
// typed[j]): ー, the kana before or after it once more, a key next to a kana typed beside it,
// or something else.
KanaConfusion::Group insertionGroup(
    std::u16string_view word, std::u16string_view typed, std::size_t i, std::size_t j)
{
    using Group = KanaConfusion::Group;
    const char16_t kana = typed[j];
    if (kana == kLongMark)
        return Group::LongVowelMark;
    if ((j > 0 && typed[j - 1] == kana) || (i < word.size() && word[i] == kana)
        || (i > 0 && word[i - 1] == kana))
        return Group::KanaDoubled;
    const Keyboard& keys = keyboard();
    if ((j > 0 && keys.neighbours(typed[j - 1], kana))
        || (j + 1 < typed.size() && keys.neighbours(typed[j + 1], kana)))
        return Group::NeighbourKey;
    return Group::Other;
}

int insertionCost(std::u16string_view word, std::u16string_view typed, std::size_t i, std::size_t j)
{
    switch (insertionGroup(word, typed, i, j)) {
    case KanaConfusion::Group::LongVowelMark:
        return kInsertLongMark;
    case KanaConfusion::Group::KanaDoubled:
        return kInsertDoubled;
    case KanaConfusion::Group::NeighbourKey:
        return kInsertNeighbour;
    default:
        return kInsert;
    }
}

int deletionCost(char16_t expected)
{
    return expected == kLongMark ? kDeleteLongMark : kDelete;
}

} // namespace

std::vector<KanaConfusion::Slip> KanaConfusion::Classify(
    std::u16string_view word, std::u16string_view typed)
{
    const std::size_t rows = word.size() + 1;
    const std::size_t columns = typed.size() + 1;
    // cost[i][j]: the cheapest alignment of the first i kana of the word with the first j typed.
    std::vector<int> cost(rows * columns, 0);
    auto at = [columns](std::size_t i, std::size_t j) { return i * columns + j; };
    for (std::size_t i = 1; i < rows; ++i)
        cost[at(i, 0)] = cost[at(i - 1, 0)] + deletionCost(word[i - 1]);
    for (std::size_t j = 1; j < columns; ++j)
        cost[at(0, j)] = cost[at(0, j - 1)] + insertionCost(word, typed, 0, j - 1);
    for (std::size_t i = 1; i < rows; ++i) {
        for (std::size_t j = 1; j < columns; ++j) {
            cost[at(i, j)] = std::min({
                cost[at(i - 1, j - 1)] + substitutionCost(word[i - 1], typed[j - 1]),
                cost[at(i - 1, j)] + deletionCost(word[i - 1]),
                cost[at(i, j - 1)] + insertionCost(word, typed, i, j - 1),
            });
        }
    }

    // Back from the end along the cheapest path; on a tie a substitution is read before a
    // missing kana, and that before an extra one.
    std::vector<Slip> slips;
    std::size_t i = word.size();
    std::size_t j = typed.size();
    while (i > 0 || j > 0) {
        const int here = cost[at(i, j)];
        if (i > 0 && j > 0
            && here == cost[at(i - 1, j - 1)] + substitutionCost(word[i - 1], typed[j - 1])) {
            if (word[i - 1] != typed[j - 1]) {
                slips.push_back({ substitutionGroup(word[i - 1], typed[j - 1]),
                    std::u16string(1, word[i - 1]), std::u16string(1, typed[j - 1]) });
            }
            --i;
            --j;
        } else if (i > 0 && here == cost[at(i - 1, j)] + deletionCost(word[i - 1])) {
            const Group group
                = word[i - 1] == kLongMark ? Group::LongVowelMark : Group::KanaMissing;
            slips.push_back({ group, std::u16string(1, word[i - 1]), std::u16string() });
            --i;
        } else {
            const char16_t kana = typed[j - 1];
            const Group group = insertionGroup(word, typed, i, j - 1);
            // A doubled kana reads best with its twin: "ん" → "んん".
            if (group == Group::KanaDoubled)
                slips.push_back({ group, std::u16string(1, kana), std::u16string(2, kana) });
            else
                slips.push_back({ group, std::u16string(), std::u16string(1, kana) });
            --j;
        }
    }
    std::reverse(slips.begin(), slips.end());
    return slips;
}

std::u16string KanaConfusion::GroupName(Group group)
{
    switch (group) {
    case Group::VoicingMissing:
        return u"濁点・半濁点がぬけた";
    case Group::VoicingExtra:
        return u"濁点・半濁点がよけい";
    case Group::VoicingWrong:
        return u"濁点と半濁点のとりちがえ";
    case Group::SmallKana:
        return u"小さい字（っ・ゃ・ゅ・ょ）";
    case Group::LongVowelMark:
        return u"のばす音（ー）";
    case Group::SoundAlike:
        return u"は・わ、お・を、え・へ";
    case Group::NeighbourKey:
        return u"となりのキー";
    case Group::KanaMissing:
        return u"字がぬけた";
    case Group::KanaDoubled:
        return u"字が重なった";
    case Group::Other:
        break;
    }
    return u"ほかの字";
}
