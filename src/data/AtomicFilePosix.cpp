#include "data/AtomicFile.h"

#include "data/DataFileError.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int descriptor(std::intptr_t handle)
{
    return static_cast<int>(handle);
}

std::string reason(int errorNumber)
{
    return std::string(DataFileError::systemReason(errorNumber));
}

// The rename itself is only durable once the folder's entry list has reached the disk. Some
// file systems refuse to sync a folder; the file's own content is safe by then either way.
void syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

// Root may write anything, so a file that no one at all may write counts as locked for root too.
AtomicFile::Existing AtomicFile::examine(const std::filesystem::path& target)
{
    struct stat status
    {
    };
    if (::stat(target.c_str(), &status) != 0)
        return {};
    Existing old;
    old.exists = true;
    old.readOnly = (status.st_mode & 0222) == 0
        || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0;
    old.kept = status.st_mode & 07777;
    old.user = status.st_uid;
    old.group = status.st_gid;
    return old;
}

unsigned long AtomicFile::processId()
{
    return static_cast<unsigned long>(::getpid());
}

bool AtomicFile::processGone(unsigned long processId)
{
    return ::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
}

AtomicFile::Created AtomicFile::createNew(const std::filesystem::path& temp, const Existing&)
{
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0)
        return { fd, false, std::nullopt };
    return { std::nullopt, errno == EEXIST, reason(errno) };
}

AtomicFile::Failure AtomicFile::writeAndSync(Handle file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor(file), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return reason(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::fsync(descriptor(file)) != 0)
        return reason(errno);
    return std::nullopt;
}

// Keeps the owner and permissions a teacher may have given the old file (the owner can only be
// kept when running as root; otherwise the new file is the user's own, as it should be).
void AtomicFile::keepFrom(Handle file, const Existing& old)
{
    [[maybe_unused]] const int ownerKept = ::fchown(descriptor(file), old.user, old.group);
    ::fchmod(descriptor(file), old.kept);
}

AtomicFile::Failure AtomicFile::close(Handle file)
{
    if (::close(descriptor(file)) != 0)
        return reason(errno);
    return std::nullopt;
}

AtomicFile::Failure AtomicFile::rename(
    const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return reason(errno);
    std::filesystem::path folder = to.parent_path();
    syncFolder(folder.empty() ? std::filesystem::path(".") : folder);
    return std::nullopt;
}
