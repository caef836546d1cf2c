#include "common/ProgramFiles.h"

namespace fs = std::filesystem;

fs::path ProgramFiles::dataFolder(const fs::path& program)
{
    if (program.empty())
        return {};
    return program.parent_path().parent_path() / "share" / "tapomi";
}

fs::path ProgramFiles::companion(std::string_view name, const fs::path& program)
{
    if (program.empty())
        return {};
    // The programs share their ending: none on Linux, ".exe" on Windows.
    fs::path file = program.parent_path() / name;
    file += program.extension();
    return file;
}
