#pragma once

#include "common/PraisePhraseList.h"

#include <cstdint>
#include <string>

// The drill window's own state: the current card, the typed line, what is to be heard next and
// the flags that every handler tests. There is deliberately no phase variable.
struct DrillState
{
    static constexpr std::int16_t MaxWordLength = 10;

    std::int16_t CardIndex = 0;
    std::u16string CurrentWord;
    std::int16_t WordLength = 0;
    std::u16string TypedText;
    std::u16string SoundFile;
    std::u16string SpeechText;

    bool Speaking = false;
    bool Answered = false;
    bool SetupPictureShown = false;

    PraisePhraseList Praise;
};
