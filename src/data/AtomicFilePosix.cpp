#include "data/AtomicFile.h"

#include "data/DataFileError.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<unsigned> g_tempCounter { 0 };

constexpr std::string_view kTempEnding = ".tmp";
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

std::string tempPrefix(std::string_view target)
{
    return "." + std::string(target) + ".";
}

bool isDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// When name is one of the temporary files that replacing target creates (".NAME.PID.COUNT.tmp"),
// the number of the process that made it; 0 when that number is out of range.
std::optional<pid_t> temporaryOwner(std::string_view name, std::string_view target)
{
    const std::string prefix = tempPrefix(target);
    if (!name.starts_with(prefix) || !name.ends_with(kTempEnding)
        || name.size() <= prefix.size() + kTempEnding.size())
        return std::nullopt;
    std::string_view numbers = name.substr(prefix.size());
    numbers.remove_suffix(kTempEnding.size());
    const std::size_t dot = numbers.find('.');
    if (dot == std::string_view::npos || !isDigits(numbers.substr(0, dot))
        || !isDigits(numbers.substr(dot + 1)))
        return std::nullopt;
    const std::string pid(numbers.substr(0, dot));
    const long value = pid.size() > 9 ? 0 : std::strtol(pid.c_str(), nullptr, 10);
    return static_cast<pid_t>(value);
}

// Removes what earlier saves of target left behind when they were killed: temporary files of
// processes that no longer run, and any old enough that no save can still be writing it.
void removeAbandoned(const std::filesystem::path& folder, std::string_view target)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        return;
    const std::time_t now = std::time(nullptr);
    for (const std::filesystem::directory_iterator end; entries != end; entries.increment(error)) {
        if (error)
            return;
        const auto owner = temporaryOwner(entries->path().filename().native(), target);
        if (!owner)
            continue;
        const bool ownerGone
            = *owner > 0 && *owner != ::getpid() && ::kill(*owner, 0) != 0 && errno == ESRCH;
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
    // A teacher's symbolic link stays a link: the file it points to gets the new content.
    std::filesystem::path target = path;
    std::error_code ignored;
    if (std::filesystem::is_symlink(path, ignored))
        target = std::filesystem::weakly_canonical(path, ignored);
    if (target.empty())
        target = path;

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
        const std::string name = tempPrefix(targetName) + std::to_string(::getpid()) + "."
            + std::to_string(g_tempCounter++) + std::string(kTempEnding);
        temp = folder / name;
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
