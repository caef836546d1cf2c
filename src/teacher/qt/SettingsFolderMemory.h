#pragma once

#include "teacher/FolderMemory.h"

// The last picture folder in the launcher's QSettings (~/.config/tapomi/tapomi-launcher.conf).
class SettingsFolderMemory final : public FolderMemory
{
public:
    std::filesystem::path lastFolder() const override;
    void remember(const std::filesystem::path& folder) override;
};
