#include "drill/DrillSession.h"
#include "settings_ui/CardSelectionWindow.h"
#include "settings_ui/OptionsWindow.h"

#include "DrillHarness.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Options and selection views whose hand-back activates the drill, as showing Form1 does.
class HandBackOptionsView final : public OptionsView
{
public:
    explicit HandBackOptionsView(DrillSession& drill)
        : m_drill(drill)
    { }
    void setOptionSelected(int option, bool selected) override { options.at(option) = selected; }
    bool isOptionSelected(int option) const override { return options.at(option); }
    void setValueLabel(std::u16string_view text) override { label = text; }
    std::u16string valueLabel() const override { return label; }
    void setScrollValue(int value) override { scroll = value; }
    int scrollValue() const override { return scroll; }
    void showDrill() override { m_drill.Form_Activate(); }

    std::array<bool, 9> options {};
    std::u16string label;
    int scroll = 1;

private:
    DrillSession& m_drill;
};

class HandBackSelectionView final : public CardSelectionView
{
public:
    explicit HandBackSelectionView(DrillSession& drill)
        : m_drill(drill)
    { }
    void setItemText(int index, std::u16string_view text) override
    {
        if (index == static_cast<int>(texts.size())) {
            texts.emplace_back(text);
            marks.push_back(false);
        }
    }
    std::u16string itemText(int index) const override { return texts.at(index); }
    void setItemMarked(int index, bool marked) override { marks.at(index) = marked; }
    bool isItemMarked(int index) const override { return marks.at(index); }
    void showDrill() override { m_drill.Form_Activate(); }

    std::vector<std::u16string> texts;
    std::vector<bool> marks;

private:
    DrillSession& m_drill;
};

class HandBackTest : public ::testing::Test, protected DrillHarness
{
protected:
    HandBackTest()
    {
        data.pictures = { u"いぬ.jpg", u"ねこ.gif", u"ぱん.bmp", u"らーめん.jpg", u"りんご.jpg" };
        data.settings.ShowSetupPicture = kFalse;
        session.Form_Load();
        session.Form_Activate();
        speech.finish();
    }
};

TEST_F(HandBackTest, ALayoutAppliedInTheOptionsWindowIsUsedAtOnce)
{
    type("H");
    ASSERT_EQ(view.settingsShown.back(), SettingsWindow::Form2);
    HandBackOptionsView optionsView(session);
    OptionsWindow options(program, optionsView, data);
    options.Form_Activate();
    optionsView.options[5] = false;
    optionsView.options[6] = true;
    optionsView.scroll = 12;
    options.HScroll1_Change();
    options.Command1_Click();

    EXPECT_EQ(data.settingsSaves, 1);
    EXPECT_EQ(data.settings.TalkingAidKeyboard, kFalse);
    EXPECT_EQ(session.keyGuardMilliseconds(), 1200);
    EXPECT_EQ(session.state().CardIndex, 0);
    speech.finish();
    type("e ");
    EXPECT_EQ(session.state().TypedText, u"い") << "a space gives nothing on the ordinary layout";
    type("|");
    EXPECT_EQ(session.state().TypedText, u"いー");
}

TEST_F(HandBackTest, AConfirmedSelectionRestartsTheDrillOnTheNewDeck)
{
    type("N");
    HandBackSelectionView selectionView(session);
    CardSelectionWindow selection(program, selectionView, data);
    selection.Form_Activate();
    ASSERT_EQ(selectionView.texts.size(), 5u);
    selection.Command4_Click();
    for (int i : { 1, 2, 3, 4 })
        selectionView.marks[i] = true;
    const auto spokenBefore = speech.spoken.size();
    selection.Command1_Click();

    EXPECT_EQ(program.DeckCount, 4);
    EXPECT_EQ(data.selection.size(), 4u);
    ASSERT_EQ(speech.spoken.size(), spokenBefore + 1);
    EXPECT_EQ(session.state().CardIndex, 0);
    EXPECT_NE(view.picturesLoaded.back(), u"いぬ.jpg");
    EXPECT_EQ(view.picturesLoaded.back(), program.Deck[0]);
}

} // namespace
