#include "cards/CardFileSystem.h"

#include "common/Utf8Text.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Failure = CardFileSystem::Failure;
using Status = CardFileSystem::Status;

Status fromErrno(int error)
{
    if (error == 0)
        return {};
    if (error == EEXIST)
        return { Failure::Exists, {} };
    if (error == EACCES || error == EPERM || error == EROFS)
        return { Failure::NotPermitted, {} };
    return { Failure::Other, Utf8Text::decodeReplacing(std::strerror(error)) };
}

} // namespace

Status CardFileSystem::CheckWritable(const std::filesystem::path& folder)
{
    return fromErrno(::access(folder.c_str(), W_OK) == 0 ? 0 : errno);
}

// Where the file system can't refuse in one step, a hard link does it; where it has no hard
// links either, the name is looked up first.
Status CardFileSystem::RenameNoReplace(
    const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return fromErrno(errno);
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return {};
    }
    if (errno != EPERM && errno != ENOTSUP)
        return fromErrno(errno);
    if (::access(to.c_str(), F_OK) == 0)
        return fromErrno(EEXIST);
    return RenameReplacing(from, to);
}

Status CardFileSystem::RenameReplacing(
    const std::filesystem::path& from, const std::filesystem::path& to)
{
    return fromErrno(::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno);
}

Status CardFileSystem::WriteHidden(
    const std::filesystem::path& folder, std::string_view bytes, std::filesystem::path& made)
{
    std::string temporary = (folder / ".tapomi-new-XXXXXX").native();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return fromErrno(errno);
    int error = 0;
    for (std::size_t written = 0; written < bytes.size() && error == 0;) {
        const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno != EINTR)
            error = errno;
        else if (count > 0)
            written += static_cast<std::size_t>(count);
    }
    // mkstemp gives 0600.
    if (error == 0 && (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0))
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return fromErrno(error);
    }
    made = temporary;
    return {};
}

void CardFileSystem::Remove(const std::filesystem::path& file) noexcept
{
    ::unlink(file.c_str());
}
