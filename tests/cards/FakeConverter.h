#pragma once

#include "cards/ImageConverter.h"

// Gives fixed bytes for every picture but one it can't read ("broken.png"), and counts what it
// was asked.
class FakeConverter final : public ImageConverter
{
public:
    std::optional<std::string> jpegCopy(
        const std::filesystem::path& picture, std::u16string& reason) override;

    int calls = 0;
};
