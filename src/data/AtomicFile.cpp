#include "data/AtomicFile.h"

#include <system_error>

std::filesystem::path AtomicFile::linkTarget(const std::filesystem::path& path)
{
    std::error_code ignored;
    if (!std::filesystem::is_symlink(path, ignored))
        return path;
    std::filesystem::path target = std::filesystem::weakly_canonical(path, ignored);
    return target.empty() ? path : target;
}
