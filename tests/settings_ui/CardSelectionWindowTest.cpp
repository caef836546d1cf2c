#include "settings_ui/CardSelectionWindow.h"

#include "FakeDataStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Form3's list: items appended or rewritten by index, each with a mark.
class FakeCardSelectionView final : public CardSelectionView
{
public:
    void setItemText(int index, std::u16string_view text) override
    {
        ASSERT_LE(index, static_cast<int>(items.size())) << "items are appended in order";
        if (index == static_cast<int>(items.size()))
            items.push_back({ std::u16string(text), false });
        else
            items[index].text = text;
    }
    std::u16string itemText(int index) const override { return items.at(index).text; }
    void setItemMarked(int index, bool marked) override { items.at(index).marked = marked; }
    bool isItemMarked(int index) const override { return items.at(index).marked; }
    void showDrill() override { ++drillShown; }

    std::vector<std::u16string> markedNames() const
    {
        std::vector<std::u16string> names;
        for (const auto& item : items) {
            if (item.marked)
                names.push_back(item.text);
        }
        return names;
    }

    struct Item
    {
        std::u16string text;
        bool marked;
    };
    std::vector<Item> items;
    int drillShown = 0;
};

class CardSelectionWindowTest : public ::testing::Test
{
protected:
    void setFolder(int pictures, std::vector<int> deck)
    {
        program.AllPictureCount = static_cast<std::int16_t>(pictures);
        for (int i = 0; i < pictures; ++i)
            program.AllPictures[i] = u"え" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10))
                + std::u16string(1, static_cast<char16_t>(u'0' + i / 10)) + u".jpg";
        // The deck in a shuffled order, as the drill leaves it.
        program.DeckCount = static_cast<std::int16_t>(deck.size());
        for (std::size_t j = 0; j < deck.size(); ++j)
            program.Deck[deck.size() - 1 - j] = program.AllPictures[deck[j]];
    }

    std::vector<std::u16string> deckNames() const
    {
        return { program.Deck.begin(), program.Deck.begin() + program.DeckCount };
    }

    EventLog log;
    ProgramState program;
    FakeDataStore data { program, log };
    FakeCardSelectionView view;
    CardSelectionWindow window { program, view, data };
};

TEST_F(CardSelectionWindowTest, TheListShowsTheFolderInOrderWithTheDeckMarked)
{
    setFolder(8, { 0, 2, 3, 5, 7 });
    window.Form_Activate();
    ASSERT_EQ(view.items.size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(view.items[i].text, program.AllPictures[i]);
    const std::vector<std::u16string> expected { program.AllPictures[0], program.AllPictures[2],
        program.AllPictures[3], program.AllPictures[5], program.AllPictures[7] };
    EXPECT_EQ(view.markedNames(), expected);

    // A cancelled visit's marks do not come back as if they were the deck.
    view.items[1].marked = true;
    view.items[0].marked = false;
    window.Command2_Click();
    EXPECT_EQ(view.drillShown, 1);
    EXPECT_EQ(data.selectionSaves, 0);
    window.Form_Activate();
    EXPECT_EQ(view.items.size(), 8u);
    EXPECT_EQ(view.markedNames(), expected);
}

TEST_F(CardSelectionWindowTest, FewerThanFourMarkedNamesDoNothing)
{
    setFolder(8, { 0, 1, 2, 3, 4 });
    window.Form_Activate();
    const auto deckBefore = deckNames();
    window.Command4_Click();
    EXPECT_TRUE(view.markedNames().empty());
    for (int i : { 6, 1, 4 })
        view.items[i].marked = true;
    window.Command1_Click();
    EXPECT_EQ(deckNames(), deckBefore);
    EXPECT_EQ(data.selectionSaves, 0);
    EXPECT_EQ(view.drillShown, 0);

    view.items[2].marked = true;
    window.Command1_Click();
    const std::vector<std::u16string> expected { program.AllPictures[1], program.AllPictures[2],
        program.AllPictures[4], program.AllPictures[6] };
    EXPECT_EQ(deckNames(), expected);
    EXPECT_EQ(data.selectionSaves, 1);
    EXPECT_EQ(data.selection, expected);
    EXPECT_EQ(view.drillShown, 1);
}

TEST_F(CardSelectionWindowTest, MarkAllMakesTheWholeFolderTheDeck)
{
    setFolder(ProgramState::kPictureCapacity, { 5, 6, 7, 8 });
    window.Form_Activate();
    window.Command3_Click();
    window.Command1_Click();
    EXPECT_EQ(program.DeckCount, 101);
    EXPECT_EQ(program.Deck[100], program.AllPictures[100]);
    EXPECT_EQ(program.Deck[0], program.AllPictures[0]);
}

TEST_F(CardSelectionWindowTest, AFolderOfThreePicturesCanNeverBeConfirmed)
{
    setFolder(3, { 0, 1, 2 });
    window.Form_Activate();
    window.Command3_Click();
    window.Command1_Click();
    EXPECT_EQ(data.selectionSaves, 0);
    EXPECT_EQ(view.drillShown, 0);
    EXPECT_EQ(program.DeckCount, 3);
}

} // namespace
