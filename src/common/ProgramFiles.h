#pragma once

#include <filesystem>
#include <string_view>

// Where the programs find what comes with them. The programs sit together in one bin folder and
// their data in share/tapomi beside it, in the build tree as in a staged or extracted package and
// on the installed system, so every path is taken relative to the running program's own file.
class ProgramFiles
{
public:
    // The running program's file, as the system knows it (/proc/self/exe on Linux, the module's
    // name on Windows); empty when that cannot be read.
    static std::filesystem::path executable();
    // share/tapomi beside the bin folder that holds the program.
    static std::filesystem::path dataFolder(const std::filesystem::path& program = executable());
    // Another of the programs, in the same folder as this one and with the same ending.
    static std::filesystem::path companion(
        std::string_view name, const std::filesystem::path& program = executable());
};
