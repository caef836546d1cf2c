#pragma once

#include <filesystem>
#include <optional>
#include <string>

class FolderMemory;
class LauncherView;
class WarningBox;

// What the desktop menu's program does before a drill: prepares the teacher's own working
// directory on the first run (the praise phrases, a copy of the sample cards and the kana sounds,
// never replacing a file that is already there), and asks for the picture folder until one the
// drill can use is chosen or the teacher cancels.
class Launcher
{
public:
    // Written once the first run's preparation is complete, so it is not done again.
    static constexpr const char* kPreparedMarker = ".tapomi-prepared";
    // The copy of the sample cards in the working directory.
    static constexpr const char8_t* kSamplesFolder = u8"サンプル";

    // dataFolder holds what is installed with the program (O.txt and samples/).
    Launcher(LauncherView& view, WarningBox& messages, FolderMemory& memory,
        std::filesystem::path dataFolder, std::filesystem::path workingDirectory);

    // Linux's rule: $XDG_DATA_HOME/tapomi, or ~/.local/share/tapomi when the variable is unset,
    // empty or not an absolute path. Null pointers stand for unset variables.
    static std::filesystem::path WorkingDirectory(const char* xdgDataHome, const char* home);

    // Makes the working directory and, on the first run, fills it. False when the teacher
    // cancelled or the directory cannot be made (the teacher is told).
    bool prepareWorkingDirectory();
    // Asks until a folder the drill can use is chosen, and remembers it; nothing when the
    // teacher cancelled.
    std::optional<std::filesystem::path> chooseFolder();
    const std::filesystem::path& workingDirectory() const { return m_workingDirectory; }

    // The folder the dialog starts from: the one chosen last when it is still there, otherwise
    // the copy of the sample cards, otherwise nothing (the dialog starts in the teacher's home).
    static std::filesystem::path FolderToOffer(
        const std::filesystem::path& last, const std::filesystem::path& workingDirectory);

private:
    // False when the teacher cancelled.
    bool prepare();
    bool copyStarterFiles();
    void tell(const std::u16string& text);

    LauncherView& m_view;
    WarningBox& m_messages;
    FolderMemory& m_memory;
    std::filesystem::path m_dataFolder;
    std::filesystem::path m_workingDirectory;
};
