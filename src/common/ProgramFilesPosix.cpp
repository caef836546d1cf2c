#include "common/ProgramFiles.h"

std::filesystem::path ProgramFiles::executable()
{
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self;
}
