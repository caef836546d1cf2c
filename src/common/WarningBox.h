#pragma once

#include <string_view>

// A modal message box with a warning icon and a single OK button; returns once it is closed.
class WarningBox
{
public:
    virtual ~WarningBox() = default;

    virtual void ShowWarning(std::u16string_view text, std::u16string_view title) = 0;
};
