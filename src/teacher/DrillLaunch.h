#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// How the drill is started for a practice: the program, run in the teacher's working directory
// (where the praise phrases and the kana sounds are) with the picture folder as its one
// argument, and the two variables that name the child and the record to it. A practice without
// a child takes the variables away, so that one inherited from the desktop records nothing.
struct DrillLaunch
{
    std::filesystem::path program;
    std::filesystem::path workingDirectory;
    std::filesystem::path folder;
    std::vector<std::pair<std::string, std::string>> setVariables;
    std::vector<std::string> unsetVariables;

    struct Recording
    {
        std::int64_t childId = 0;
        std::u16string childName;
        std::filesystem::path records;
    };

    static DrillLaunch Make(std::filesystem::path program, std::filesystem::path workingDirectory,
        std::filesystem::path folder, const std::optional<Recording>& recording);
};
