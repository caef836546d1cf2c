#include "teacher/Launcher.h"

#include <unistd.h>

bool Launcher::MayWriteIn(const std::filesystem::path& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}
