#include "teacher/UserDataFolder.h"

std::filesystem::path UserDataFolder::recordFile()
{
    const std::filesystem::path folder = workingDirectory();
    return folder.empty() ? folder : folder / "records.sqlite";
}
