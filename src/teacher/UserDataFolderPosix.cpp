#include "teacher/UserDataFolder.h"

#include "teacher/Launcher.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

const char* homeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user ? user->pw_dir : "";
}

} // namespace

std::filesystem::path UserDataFolder::workingDirectory()
{
    return Launcher::WorkingDirectory(std::getenv("XDG_DATA_HOME"), homeDirectory());
}
