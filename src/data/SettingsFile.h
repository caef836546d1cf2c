#pragma once

#include "common/Settings.h"

#include <filesystem>
#include <optional>

class DataTextFile;

// The settings file "tapomi.txt" of a data folder: the five options as one record. Loading
// recovers from a missing file, and from one whose content is not five settings, by writing
// the defaults and reading again; a file that exists but can't be opened or read is reported
// and left alone, since it may well hold the teacher's options.
class SettingsFile
{
public:
    explicit SettingsFile(std::filesystem::path path);

    // Throws DataFileError when the file can't be opened or read, when the defaults can't be
    // written, or when the file still can't be read after they were.
    Settings Load() const;
    void Save(const Settings& settings) const;

    // The five settings from a file open for reading; what follows the fifth item is ignored.
    // Throws DataFileError (Read) when the content is not five settings.
    static Settings Parse(DataTextFile& file);

private:
    // Nothing when the file is missing.
    std::optional<Settings> read() const;

    std::filesystem::path m_path;
};
