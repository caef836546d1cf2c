#include "data/AtomicFile.h"

#include "data/DataFileError.h"
#include "data/TemporaryFileName.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<unsigned> g_tempCounter { 0 };

// A save takes milliseconds; a temporary file this old belongs to no save still running, even
// one of another machine sharing the folder, whose process numbers mean nothing here.
constexpr std::time_t kAbandonedAfterSeconds = 60 * 60;

[[noreturn]] void failWrite(const std::filesystem::path& path, std::string_view reason)
{
    throw DataFileError(DataFileError::Kind::Write, path, reason);
}

[[noreturn]] void failWrite(const std::filesystem::path& path, int errorNumber)
{
    failWrite(path, DataFileError::systemReason(errorNumber));
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
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

// Removes what earlier saves of target left behind when they were killed: temporary files of
// processes that no longer run, and any old enough that no save can still be writing it.
void removeAbandoned(const std::filesystem::path& folder, const std::string& target)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        return;
    const std::time_t now = std::time(nullptr);
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(error)) {
        if (error)
            return;
        const auto owner = TemporaryFileName::owner(entries->path().filename().native(), target);
        if (!owner)
            continue;
        const auto pid = static_cast<pid_t>(*owner);
        const bool ownerGone
            = pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
        struct stat status
        {
        };
        const bool old = ::lstat(entries->path().c_str(), &status) == 0
            && now - status.st_mtime > kAbandonedAfterSeconds;
        if (ownerGone || old)
            ::unlink(entries->path().c_str());
    }
}

} // namespace

void AtomicFile::replace(const std::filesystem::path& path, std::string_view bytes)
{
    const std::filesystem::path target = linkTarget(path);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    // The rename needs write permission on the folder only; the file's own permission is the
    // teacher's word on whether it may change. Root may write anything, so a file that no one
    // at all may write counts as locked for root too.
    struct stat old
    {
    };
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing
        && ((old.st_mode & 0222) == 0
            || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0))
        failWrite(path, "読み取り専用のファイルです");

    const std::string targetName = target.filename().native();
    removeAbandoned(folder, targetName);

    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // Hidden and with its own ending, so that the picture listing never picks it up.
        temp = folder
            / TemporaryFileName::make(
                targetName, static_cast<unsigned long>(::getpid()), g_tempCounter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            failWrite(path, errno);
    }
    if (fd < 0)
        failWrite(path, EEXIST);

    const auto abandon = [&](int errorNumber) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        failWrite(path, errorNumber);
    };

    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        abandon(errno);
    // Keep the owner and permissions a teacher may have given the old file (the owner can only
    // be kept when running as root; otherwise the new file is the user's own, as it should be).
    if (replacing) {
        [[maybe_unused]] const int ownerKept = ::fchown(fd, old.st_uid, old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
    }
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        abandon(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        abandon(errno);
    syncFolder(folder);
}
