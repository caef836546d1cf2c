#pragma once

#include <string>
#include <string_view>

// What OptionsWindow needs of the options window Form2. The eight option buttons are numbered as
// on the form: 1/2 prompt kind, 3/4 model word, 5/6 keyboard, 7/8 set-up picture. Setting the
// scroll bar to a different value raises HScroll1_Change at once, as the real control does.
class OptionsView
{
public:
    virtual ~OptionsView() = default;

    virtual void setOptionSelected(int option, bool selected) = 0;
    virtual bool isOptionSelected(int option) const = 0;
    virtual void setValueLabel(std::u16string_view text) = 0;
    virtual std::u16string valueLabel() const = 0;
    virtual void setScrollValue(int value) = 0;
    virtual int scrollValue() const = 0;
    // Brings the drill window Form1 to the front, which activates it.
    virtual void showDrill() = 0;
};
