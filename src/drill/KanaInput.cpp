#include "drill/KanaInput.h"

#include <string_view>

namespace {

constexpr std::u16string_view kKanaLiteral = u"あいうえおかきくけこさしすせそたちつってとなにぬねの"
                                             u"はひふへほまみむめもやゃゆゅよょらりるれろわをんー";
constexpr std::u16string_view kVoicedBaseLiteral = u"かきくけこさしすせそたちつてとはひふへほ";
constexpr std::u16string_view kSemiVoicedBaseLiteral = u"はひふへほ";

static_assert(kKanaLiteral.size() == KanaInput::kKeyCount);
static_assert(kVoicedBaseLiteral.size() == 20);
static_assert(kSemiVoicedBaseLiteral.size() == KanaInput::kSemiVoicedCapacity);

} // namespace

// The backslash before the "0" is an ordinary key (ろ), not an escape.
const char KanaInput::kOrdinaryKeyString[] = "3e456tgh:bxdrpcqazZwsui1,kfv2^-jn]/m7'8(9)ol.;\\0=y|";
const char KanaInput::kTalkingAidKeyString[]
    = "3e456tgh:bxdrpcqazZwsui1,kfv2^-jn]/m7'8(9)ol.;\\0=y ";

static_assert(sizeof(KanaInput::kOrdinaryKeyString) == KanaInput::kKeyCount + 1);
static_assert(sizeof(KanaInput::kTalkingAidKeyString) == KanaInput::kKeyCount + 1);

std::string_view KanaInput::KeyString(bool talkingAidKeyboard)
{
    return talkingAidKeyboard ? kTalkingAidKeyString : kOrdinaryKeyString;
}

void KanaInput::BuildKeyTable(bool talkingAidKeyboard)
{
    const std::string_view keys = KeyString(talkingAidKeyboard);
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        m_kanaTable[i] = std::u16string(1, kKanaLiteral[i]);
        m_keyCodes[i] = static_cast<std::int16_t>(static_cast<unsigned char>(keys[i]));
    }
}

void KanaInput::BuildMarkTables()
{
    for (std::size_t i = 0; i < kVoicedCapacity; ++i) {
        m_voicedBases[i] = i < kVoicedBaseLiteral.size() ? std::u16string(1, kVoicedBaseLiteral[i])
                                                         : std::u16string();
    }
    for (std::size_t i = 0; i < kSemiVoicedCapacity; ++i)
        m_semiVoicedBases[i] = std::u16string(1, kSemiVoicedBaseLiteral[i]);
}

std::u16string KanaInput::KanaForKey(std::int16_t keyCode, std::u16string& soundFile) const
{
    std::u16string result;
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        if (m_keyCodes[i] == keyCode) {
            result = m_kanaTable[i];
            soundFile = m_kanaTable[i];
        }
    }
    return result;
}

template<std::size_t N>
bool KanaInput::addMark(
    DrillState& state, const std::array<std::u16string, N>& bases, char16_t step) const
{
    if (state.TypedText.empty())
        return false;
    bool changed = false;
    for (const std::u16string& base : bases) {
        // Every base sits in the hiragana block where its marked forms follow it, one code
        // point for the voiced and two for the semi-voiced mark (か U+304B, が U+304C).
        if (base.size() == 1 && state.TypedText.back() == base.front()) {
            const char16_t marked = static_cast<char16_t>(base.front() + step);
            state.SoundFile = std::u16string(1, marked);
            state.TypedText.back() = marked;
            changed = true;
        }
    }
    return changed;
}

bool KanaInput::AddVoicedMark(DrillState& state) const
{
    return addMark(state, m_voicedBases, 1);
}

bool KanaInput::AddSemiVoicedMark(DrillState& state) const
{
    return addMark(state, m_semiVoicedBases, 2);
}

bool KanaInput::EditInput(DrillState& state, std::int16_t keyCode, bool& kanaSet) const
{
    kanaSet = false;
    const bool hasText = !state.TypedText.empty();
    if (keyCode == kBackspaceKey && hasText) {
        state.TypedText.pop_back();
        return true;
    }
    if (keyCode == VoicedMarkKey && hasText) {
        kanaSet = AddVoicedMark(state);
        return true;
    }
    if (keyCode == SemiVoicedMarkKey && hasText) {
        kanaSet = AddSemiVoicedMark(state);
        return true;
    }
    if (static_cast<int>(state.TypedText.size()) >= state.WordLength)
        return false;
    const std::u16string kana = KanaForKey(keyCode, state.SoundFile);
    state.TypedText += kana;
    kanaSet = !kana.empty();
    return true;
}
