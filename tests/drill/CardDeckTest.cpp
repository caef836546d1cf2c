#include "drill/CardDeck.h"

#include "ScriptedRandom.h"

#include <gtest/gtest.h>

namespace {

class CardDeckTest : public ::testing::Test
{
protected:
    void setDeck(std::initializer_list<std::u16string> names)
    {
        int i = 0;
        for (const auto& name : names)
            program.Deck[i++] = name;
        program.DeckCount = static_cast<std::int16_t>(i);
    }

    ProgramState program;
    DrillState drill;
    ScriptedRandom random;
    CardDeck deck { program, drill, random };
};

TEST_F(CardDeckTest, ShuffleMakesExactlyDeckCountTranspositionsAfterReseeding)
{
    setDeck({ u"a.jpg", u"b.jpg", u"c.jpg", u"d.jpg" });
    // Pairs (0,3), (1,2), (2,2), (0,1): floor(r × 4) of each number.
    random.values = { 0.0, 0.99, 0.25, 0.5, 0.5, 0.74, 0.1, 0.3, 0.9 };
    deck.ShuffleDeck();
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(random.next, 8u);
    EXPECT_EQ(program.Deck[0], u"c.jpg");
    EXPECT_EQ(program.Deck[1], u"d.jpg");
    EXPECT_EQ(program.Deck[2], u"b.jpg");
    EXPECT_EQ(program.Deck[3], u"a.jpg");
}

TEST_F(CardDeckTest, ShuffleStaysInsideTheDeckEvenForAFaultyGenerator)
{
    setDeck({ u"a.jpg", u"b.jpg" });
    program.Deck[2] = u"outside.jpg";
    random.values = { 1.0, 0.9999999 };
    deck.ShuffleDeck();
    EXPECT_EQ(program.Deck[2], u"outside.jpg");

    setDeck({});
    deck.ShuffleDeck();
    EXPECT_EQ(random.reseeds, 2);
    EXPECT_EQ(random.next, 4u) << "an empty deck draws nothing";

    setDeck({ u"only.jpg" });
    deck.RestartDeck();
    EXPECT_EQ(program.Deck[0], u"only.jpg");
}

TEST_F(CardDeckTest, WordsComeFromTheNameUpToItsFirstDotCutToTen)
{
    EXPECT_EQ(CardDeck::PictureWord(u"りんご.jpg"), u"りんご");
    EXPECT_EQ(CardDeck::PictureWord(u"りんご.2.jpg"), u"りんご");
    EXPECT_EQ(CardDeck::PictureWord(u".jpg"), u"");
    EXPECT_EQ(CardDeck::PictureWord(u"なまえ"), u"なまえ");

    setDeck({ u"あいうえおかきくけこさし.jpg", u"あいうえおかきくけこ.gif", u".bmp" });
    deck.LoadCurrentWord();
    EXPECT_EQ(drill.CurrentWord, u"あいうえおかきくけこ");
    EXPECT_EQ(drill.WordLength, 10);
    drill.CardIndex = 1;
    deck.LoadCurrentWord();
    EXPECT_EQ(drill.CurrentWord, u"あいうえおかきくけこ");
    EXPECT_EQ(drill.WordLength, 10);
    drill.CardIndex = 2;
    deck.LoadCurrentWord();
    EXPECT_EQ(drill.CurrentWord, u"");
    EXPECT_EQ(drill.WordLength, 0);
}

TEST_F(CardDeckTest, AdvancingWrapsToAFreshShuffleAtTheEnd)
{
    setDeck({ u"a.jpg", u"b.jpg", u"c.jpg" });
    drill.CardIndex = 5;
    deck.RestartDeck();
    EXPECT_EQ(drill.CardIndex, 0);
    EXPECT_EQ(random.reseeds, 1);
    deck.AdvanceCard();
    deck.AdvanceCard();
    EXPECT_EQ(drill.CardIndex, 2);
    EXPECT_EQ(random.reseeds, 1);
    deck.AdvanceCard();
    EXPECT_EQ(drill.CardIndex, 0);
    EXPECT_EQ(random.reseeds, 2);
}

} // namespace
