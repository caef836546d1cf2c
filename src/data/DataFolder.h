#pragma once

#include "common/DataStore.h"
#include "common/ProgramState.h"
#include "common/WarningBox.h"

#include <filesystem>
#include <string>

// The data files of a run on the real file system: the settings and selection files and the
// pictures of the data folder named on the command line, and the praise file of the working
// directory. Relative names are taken against the working directory given here, never against
// whatever the process's current directory happens to be. Failures that no loader recovers
// from are thrown as DataFileError.
class DataFolder final : public DataStore
{
public:
    DataFolder(ProgramState& program, WarningBox& warnings, std::filesystem::path workingDirectory);

    // The whole argument portion of the command line as one text: the words the shell split a
    // folder name with blanks into are joined back with single blanks. Bytes that are not
    // UTF-8 become U+FFFD, so such a folder is reported as not found rather than misread.
    static std::u16string ArgumentText(int argc, char** argv);

    void LoadSettings() override;
    void SaveSettings() override;
    bool ListPictures() override;
    void LoadSelection() override;
    void SaveSelection() override;
    void LoadPraisePhrases(PraisePhraseList& list) override;

    std::filesystem::path settingsPath() const;
    std::filesystem::path selectionPath() const;
    std::filesystem::path praisePath() const;
    std::filesystem::path pictureFolder() const;

private:
    std::filesystem::path inWorkingDirectory(const std::u16string& name) const;

    ProgramState& m_program;
    WarningBox& m_warnings;
    std::filesystem::path m_workingDirectory;
};
