// Stands in for the drill in the teacher's window's test, the same on every system: notes in the
// file "ran", in the folder above the one it runs in, where it runs, the folder it was given, how
// many arguments it had and the child and record it was told of, separated by "|", all UTF-8.
#include "app/CommandLine.h"
#include "app/Environment.h"
#include "data/PathText.h"

#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    const CommandLine commandLine(argc, argv);
    const std::vector<std::string>& arguments = commandLine.arguments();
    const std::filesystem::path here = std::filesystem::current_path();
    std::ofstream note(here.parent_path() / "ran", std::ios::binary);
    note << PathText::utf8(here) << '|' << (arguments.size() > 1 ? arguments[1] : "") << '|'
         << arguments.size() - 1 << '|' << Environment::get("TAPOMI_CHILD").value_or("") << '|'
         << Environment::get("TAPOMI_RECORDS").value_or("");
    return note ? 0 : 1;
}
