#pragma once

#include <filesystem>
#include <optional>

// What the launcher asks of the teacher's screen: the folder dialog, and a progress window while
// the kana sounds are made.
class LauncherView
{
public:
    enum class SoundsOutcome
    {
        Made,
        Failed, // some sound could not be made; the rest are there
        Cancelled,
    };

    virtual ~LauncherView() = default;

    // Asks for the picture folder, offering the one given first; nothing when the teacher
    // cancels.
    virtual std::optional<std::filesystem::path> askForFolder(const std::filesystem::path& offered)
        = 0;
    // Makes the kana sounds and the judgement sounds in the folder, keeping files already there,
    // and shows how far it has come.
    virtual SoundsOutcome makeSounds(const std::filesystem::path& folder) = 0;
};
