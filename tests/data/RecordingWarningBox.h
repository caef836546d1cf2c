#pragma once

#include "common/WarningBox.h"

#include <string>
#include <utility>
#include <vector>

// Remembers each warning shown (text, title); "closing" it is immediate.
class RecordingWarningBox final : public WarningBox
{
public:
    void ShowWarning(std::u16string_view text, std::u16string_view title) override
    {
        shown.emplace_back(std::u16string(text), std::u16string(title));
    }

    std::vector<std::pair<std::u16string, std::u16string>> shown;
};
