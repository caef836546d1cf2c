#pragma once

#include "common/DataStore.h"
#include "common/ProgramState.h"
#include "settings_ui/OptionsView.h"

#include <cstdint>
#include <string>
#include <string_view>

// The logic of the options window: loads the five settings into the controls at every
// activation, keeps the value label in step with the scroll bar, and stores the controls when
// "実行" is pressed and something differs. It keeps no state of its own.
class OptionsWindow
{
public:
    static constexpr int kScrollMinimum = 1;
    static constexpr int kScrollMaximum = 40;

    OptionsWindow(ProgramState& program, OptionsView& view, DataStore& data);

    void Form_Activate();
    void HScroll1_Change();
    void HScroll1_Scroll();
    void Command1_Click();
    void Command2_Click();

    void LoadOptionControls();
    void ShowKeyGuardValue();
    void ApplyOptions();

    // Decimal text in plain or full-width digits.
    static std::u16string PlainDigits(int value);
    static std::u16string FullWidthDigits(int value);
    // Reads the number a label holds: leading blanks, an optional sign, then digits of either
    // width up to the first other character. Clamped to the 16-bit range; 0 when no digit.
    static std::int16_t ReadNumber(std::u16string_view text);

private:
    ProgramState& m_program;
    OptionsView& m_view;
    DataStore& m_data;
};
