#pragma once

#include "drill/DrillState.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Turns plain character codes into hiragana after the JIS kana key layout (or its Talking Aid
// variant) and applies keys to the typed line: kana keys append, Backspace removes, "@" and "["
// put the voiced and semi-voiced mark on the last kana.
class KanaInput
{
public:
    static constexpr int kKeyTableCapacity = 53;
    static constexpr int kKeyCount = 51;
    static constexpr int kVoicedCapacity = 25;
    static constexpr int kSemiVoicedCapacity = 5;

    static constexpr std::int16_t kBackspaceKey = 8;
    static constexpr std::int16_t VoicedMarkKey = 64; // "@"
    static constexpr std::int16_t SemiVoicedMarkKey = 91; // "["

    // The ordinary and the Talking Aid key strings; they differ only in their last character.
    static const char kOrdinaryKeyString[];
    static const char kTalkingAidKeyString[];
    static std::string_view KeyString(bool talkingAidKeyboard);

    void BuildKeyTable(bool talkingAidKeyboard);
    void BuildMarkTables();

    // The kana for a key code, or empty. Sets SoundFile to the kana when one is found.
    std::u16string KanaForKey(std::int16_t keyCode, std::u16string& soundFile) const;
    // Mark the last kana of TypedText. Return whether it changed (and SoundFile with it).
    bool AddVoicedMark(DrillState& state) const;
    bool AddSemiVoicedMark(DrillState& state) const;
    // Applies one key to TypedText and returns whether the key was taken. kanaSet tells whether
    // this key produced or changed a kana, that is, whether SoundFile was set.
    bool EditInput(DrillState& state, std::int16_t keyCode, bool& kanaSet) const;

    const std::array<std::u16string, kKeyTableCapacity>& KanaTable() const { return m_kanaTable; }
    const std::array<std::int16_t, kKeyTableCapacity>& KeyCodes() const { return m_keyCodes; }
    const std::array<std::u16string, kVoicedCapacity>& VoicedBases() const { return m_voicedBases; }
    const std::array<std::u16string, kSemiVoicedCapacity>& SemiVoicedBases() const
    {
        return m_semiVoicedBases;
    }

private:
    template<std::size_t N>
    bool addMark(
        DrillState& state, const std::array<std::u16string, N>& bases, char16_t step) const;

    std::array<std::u16string, kKeyTableCapacity> m_kanaTable;
    std::array<std::int16_t, kKeyTableCapacity> m_keyCodes {};
    std::array<std::u16string, kVoicedCapacity> m_voicedBases;
    std::array<std::u16string, kSemiVoicedCapacity> m_semiVoicedBases;
};
