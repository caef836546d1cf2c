#include "settings_ui/OptionsWindow.h"

#include "FakeDataStore.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

// The controls of Form2 as the window creates them: nothing selected, scroll bar at 1, value
// label empty. Setting the scroll bar to another value raises its change event, like the control.
class FakeOptionsView final : public OptionsView
{
public:
    void setOptionSelected(int option, bool selected) override { options.at(option) = selected; }
    bool isOptionSelected(int option) const override { return options.at(option); }
    void setValueLabel(std::u16string_view text) override { label = text; }
    std::u16string valueLabel() const override { return label; }
    void setScrollValue(int value) override
    {
        if (value == scroll)
            return;
        scroll = value;
        if (onChange)
            onChange();
    }
    int scrollValue() const override { return scroll; }
    void showDrill() override
    {
        ++drillShown;
        if (onShowDrill)
            onShowDrill();
    }

    // The user picks one button of a pair; the other clears.
    void choose(int option)
    {
        options.at(option) = true;
        options.at(option % 2 == 1 ? option + 1 : option - 1) = false;
    }

    std::array<bool, 9> options {};
    std::u16string label;
    int scroll = 1;
    int drillShown = 0;
    std::function<void()> onChange;
    std::function<void()> onShowDrill;
};

class OptionsWindowTest : public ::testing::Test
{
protected:
    OptionsWindowTest()
    {
        view.onChange = [this] { window.HScroll1_Change(); };
    }

    void storeSettings(const Settings& settings)
    {
        program.settings = settings;
        data.settings = settings;
    }

    EventLog log;
    ProgramState program;
    FakeDataStore data { program, log };
    FakeOptionsView view;
    OptionsWindow window { program, view, data };
};

TEST_F(OptionsWindowTest, ActivationLoadsEveryPairAndThePlainDefaultValue)
{
    window.Form_Activate();
    EXPECT_TRUE(view.options[1]);
    EXPECT_FALSE(view.options[2]);
    EXPECT_FALSE(view.options[3]);
    EXPECT_TRUE(view.options[4]);
    EXPECT_TRUE(view.options[5]);
    EXPECT_FALSE(view.options[6]);
    EXPECT_TRUE(view.options[7]);
    EXPECT_FALSE(view.options[8]);
    EXPECT_EQ(view.label, u"1") << "the scroll bar already holds 1, so no change event rewrites it";
    EXPECT_EQ(view.scroll, 1);
}

TEST_F(OptionsWindowTest, AStoredValueOtherThanOneShowsFullWidthDigits)
{
    Settings settings;
    settings.KeyGuardTenths = 12;
    settings.PromptWithName = kFalse;
    storeSettings(settings);
    window.Form_Activate();
    EXPECT_EQ(view.label, u"１２");
    EXPECT_EQ(view.scroll, 12);
    EXPECT_FALSE(view.options[1]);
    EXPECT_TRUE(view.options[2]);

    view.label = u"x";
    window.Form_Activate();
    EXPECT_EQ(view.label, u"12") << "an unchanged scroll bar leaves the plain digits";
}

TEST_F(OptionsWindowTest, ApplyingWithoutAChangeWritesNothing)
{
    window.Form_Activate();
    window.Command1_Click();
    EXPECT_EQ(data.settingsSaves, 0);
    EXPECT_EQ(view.drillShown, 1);
}

TEST_F(OptionsWindowTest, ScrollingToTwelveIsShownAndStored)
{
    window.Form_Activate();
    view.scroll = 12;
    window.HScroll1_Scroll();
    EXPECT_EQ(view.label, u"１２");
    window.Command1_Click();
    EXPECT_EQ(program.settings.KeyGuardTenths, 12);
    EXPECT_EQ(data.settingsSaves, 1);
    EXPECT_EQ(data.settings.KeyGuardTenths, 12);
    EXPECT_EQ(view.drillShown, 1);
}

TEST_F(OptionsWindowTest, EveryPairIsStoredFromItsFirstButton)
{
    window.Form_Activate();
    view.choose(2);
    view.choose(3);
    view.choose(6);
    view.choose(8);
    window.Command1_Click();
    const Settings expected { kFalse, kTrue, kFalse, kFalse, 1 };
    EXPECT_EQ(program.settings, expected);
    EXPECT_EQ(data.settings, expected);
}

TEST_F(OptionsWindowTest, CancelStoresNothingAndTheNextVisitShowsTheStoredValues)
{
    window.Form_Activate();
    view.choose(6);
    view.setScrollValue(30);
    ASSERT_EQ(view.label, u"３０");
    window.Command2_Click();
    EXPECT_EQ(view.drillShown, 1);
    EXPECT_EQ(data.settingsSaves, 0);
    EXPECT_EQ(program.settings, Settings {});

    window.Form_Activate();
    EXPECT_TRUE(view.options[5]);
    EXPECT_FALSE(view.options[6]);
    EXPECT_EQ(view.scroll, 1);
    EXPECT_EQ(view.label, u"１");
}

TEST_F(OptionsWindowTest, AStoredTimeTheScrollBarCannotHoldIsKept)
{
    for (std::int16_t stored : { std::int16_t { 100 }, std::int16_t { 0 }, std::int16_t { -3 } }) {
        Settings settings;
        settings.KeyGuardTenths = stored;
        storeSettings(settings);
        view.scroll = 7;
        window.Form_Activate();
        EXPECT_EQ(view.label, OptionsWindow::PlainDigits(stored));
        EXPECT_EQ(view.scroll, stored > 40 ? 40 : 1);
        view.choose(3);
        window.ApplyOptions();
        EXPECT_EQ(program.settings.KeyGuardTenths, stored);
        EXPECT_EQ(program.settings.ShowModelWord, kTrue);
    }
}

TEST_F(OptionsWindowTest, NumbersAreReadInEitherWidth)
{
    EXPECT_EQ(OptionsWindow::ReadNumber(u"１２"), 12);
    EXPECT_EQ(OptionsWindow::ReadNumber(u"12"), 12);
    EXPECT_EQ(OptionsWindow::ReadNumber(u"1２"), 12);
    EXPECT_EQ(OptionsWindow::ReadNumber(u" ４０"), 40);
    EXPECT_EQ(OptionsWindow::ReadNumber(u"-5"), -5);
    EXPECT_EQ(OptionsWindow::ReadNumber(u"7秒"), 7);
    EXPECT_EQ(OptionsWindow::ReadNumber(u""), 0);
    EXPECT_EQ(OptionsWindow::ReadNumber(u"abc"), 0);
    EXPECT_EQ(OptionsWindow::ReadNumber(u"9999999999"), 32767);
    EXPECT_EQ(OptionsWindow::FullWidthDigits(40), u"４０");
    EXPECT_EQ(OptionsWindow::FullWidthDigits(-3), u"-３");
}

} // namespace
