#pragma once

#include <filesystem>

// The picture folder the teacher chose last time, kept between runs.
class FolderMemory
{
public:
    virtual ~FolderMemory() = default;

    // Empty when none has been chosen yet.
    virtual std::filesystem::path lastFolder() const = 0;
    virtual void remember(const std::filesystem::path& folder) = 0;
};
