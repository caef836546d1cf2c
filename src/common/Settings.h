#pragma once

#include <cstdint>

// Truth values are kept as 16-bit integers, true being all bits set, because the settings file
// and the options window work with them that way (the second button of a pair is the bitwise
// inverse of the first).
using TruthValue = std::int16_t;
inline constexpr TruthValue kTrue = -1;
inline constexpr TruthValue kFalse = 0;

// The five options of the drill, in the order of the settings file.
struct Settings
{
    TruthValue PromptWithName = kTrue;
    TruthValue ShowModelWord = kFalse;
    TruthValue TalkingAidKeyboard = kTrue;
    TruthValue ShowSetupPicture = kTrue;
    std::int16_t KeyGuardTenths = 1;

    friend bool operator==(const Settings&, const Settings&) = default;
};
