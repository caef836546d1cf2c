#include "media/FileIdentity.h"

#include <sys/stat.h>

namespace {

std::int64_t nanoseconds(const timespec& t)
{
    return std::int64_t { t.tv_sec } * 1'000'000'000 + t.tv_nsec;
}

} // namespace

std::optional<FileIdentity> FileIdentity::of(const std::string& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileIdentity { static_cast<std::uint64_t>(info.st_dev),
        static_cast<std::uint64_t>(info.st_ino), static_cast<std::int64_t>(info.st_size),
        nanoseconds(info.st_mtim), nanoseconds(info.st_ctim) };
}
