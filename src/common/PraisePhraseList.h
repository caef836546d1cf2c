#pragma once

#include <array>
#include <cstdint>
#include <string>

// The praise phrases read at start-up; a right answer speaks one of them drawn at random.
struct PraisePhraseList
{
    static constexpr std::int16_t kCapacity = 21;

    std::array<std::u16string, kCapacity> PraisePhrases;
    std::int16_t PraiseCount = 0;
};
