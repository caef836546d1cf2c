#pragma once

#include "app/Settings.h"

#include <filesystem>

// The settings file "tapomi.txt" of a data folder: the five options as one record. Loading
// recovers from a missing, short or malformed file by writing the defaults and reading again.
class SettingsFile
{
public:
    explicit SettingsFile(std::filesystem::path path);

    // Throws DataFileError when the defaults can't be written, or when the file still can't be
    // read after they were.
    Settings Load() const;
    void Save(const Settings& settings) const;

private:
    Settings read(bool& missing) const;

    std::filesystem::path m_path;
};
