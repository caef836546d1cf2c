#pragma once

#include "cards/FolderFinding.h"

#include <filesystem>
#include <ostream>
#include <string>

// `tapomi-launcher --check FOLDER`: the folder check for a terminal or a script, without a
// display. One line per finding on standard output; status 0 when every picture is a card a
// child can answer, 1 when something needs the teacher, 2 when the folder can't be checked.
class FolderCheckCommand
{
public:
    static constexpr const char* kOption = "--check";
    static constexpr int kAllAnswerable = 0;
    static constexpr int kNeedsTeacher = 1;
    static constexpr int kError = 2;

    // Whether the command line asks for this command.
    static bool IsWanted(int argc, char** argv);
    // Runs it: the words after the option (UTF-8 on Windows), joined by blanks as the drill joins
    // its argument, name the folder; praiseFile is the O.txt the drill would read.
    static int Run(int argc, char** argv, const std::filesystem::path& praiseFile,
        std::ostream& out, std::ostream& err);

    // The finding as one line of text.
    static std::u16string Line(const FolderFinding& finding);
};
