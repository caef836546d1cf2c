#pragma once

#include "common/ProgramState.h"
#include "drill/DrillState.h"
#include "drill/RandomSource.h"

#include <cstdint>
#include <string>
#include <string_view>

// The order of the cards: shuffles the deck, steps through it after right answers and starts a
// new shuffled pass after the last card. Also derives the word to type from a picture's name.
class CardDeck
{
public:
    CardDeck(ProgramState& program, DrillState& drill, RandomSource& random);

    // Exactly DeckCount random transpositions after re-seeding the generator; deliberately not
    // a uniform shuffle, and the deck may come out unchanged.
    void ShuffleDeck();
    void RestartDeck();
    void LoadCurrentWord();
    void AdvanceCard();

    // The name up to its first "."; a name without any "." is its own word.
    static std::u16string PictureWord(std::u16string_view pictureName);
    // floor(r × count) for the next r of the generator, never past count − 1; 0 when count is 0.
    std::int16_t DrawIndex(int count);

private:
    ProgramState& m_program;
    DrillState& m_drill;
    RandomSource& m_random;
};
