#include "drill/CardDeck.h"

#include <algorithm>
#include <cmath>
#include <utility>

CardDeck::CardDeck(ProgramState& program, DrillState& drill, RandomSource& random)
    : m_program(program)
    , m_drill(drill)
    , m_random(random)
{ }

std::int16_t CardDeck::DrawIndex(int count)
{
    const double r = m_random.NextUniform();
    if (count <= 0)
        return 0;
    const auto index = static_cast<int>(std::floor(r * count));
    return static_cast<std::int16_t>(std::clamp(index, 0, count - 1));
}

void CardDeck::ShuffleDeck()
{
    m_random.ReseedFromClock();
    const int count = m_program.deckCount();
    for (int n = 0; n < count; ++n) {
        // DrawIndex never leaves 0 .. count − 1.
        const auto a = static_cast<std::size_t>(DrawIndex(count));
        const auto b = static_cast<std::size_t>(DrawIndex(count));
        std::swap(m_program.Deck[a], m_program.Deck[b]);
    }
}

void CardDeck::RestartDeck()
{
    m_drill.CardIndex = 0;
    ShuffleDeck();
}

std::u16string CardDeck::PictureWord(std::u16string_view pictureName)
{
    return std::u16string(pictureName.substr(0, pictureName.find(u'.')));
}

void CardDeck::LoadCurrentWord()
{
    const int index = m_drill.CardIndex;
    if (index < 0 || index >= m_program.deckCount()) {
        m_drill.CurrentWord.clear();
        m_drill.WordLength = 0;
        return;
    }
    // Within the deck, checked just above.
    m_drill.CurrentWord = PictureWord(m_program.Deck[static_cast<std::size_t>(index)]);
    if (m_drill.CurrentWord.size() > static_cast<std::size_t>(DrillState::MaxWordLength))
        m_drill.CurrentWord.resize(DrillState::MaxWordLength);
    m_drill.WordLength = static_cast<std::int16_t>(m_drill.CurrentWord.size());
}

void CardDeck::AdvanceCard()
{
    m_drill.CardIndex = static_cast<std::int16_t>(m_drill.CardIndex + 1);
    if (m_drill.CardIndex >= m_program.deckCount()) {
        m_drill.CardIndex = 0;
        ShuffleDeck();
    }
}
