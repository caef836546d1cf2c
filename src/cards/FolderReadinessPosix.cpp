#include "cards/FolderReadiness.h"

#include <unistd.h>

bool FolderReadiness::MayWriteIn(const std::filesystem::path& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}
