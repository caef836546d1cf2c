#include "record/ExportTarget.h"

#include "data/DataFileError.h"
#include "data/TemporaryFileName.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<unsigned> g_tempCounter { 0 };

ExportTarget::Failure failureOf(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return ExportTarget::Failure::MissingFolder;
    case EACCES:
    case EPERM:
    case EROFS:
        return ExportTarget::Failure::NoPermission;
    case ENOSPC:
    case EDQUOT:
        return ExportTarget::Failure::DiskFull;
    case EBUSY:
    case ETXTBSY:
        return ExportTarget::Failure::InUse;
    default:
        return ExportTarget::Failure::Other;
    }
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

} // namespace

std::optional<ExportTarget::Problem> ExportTarget::replace(
    const std::filesystem::path& target, std::string_view bytes)
{
    const auto problem = [](int errorNumber) {
        return Problem { failureOf(errorNumber), DataFileError::systemReason(errorNumber) };
    };
    const std::string name = target.filename().native();
    if (name.empty() || name == "." || name == "..")
        return problem(EISDIR);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    // A file the teacher made read-only stays as it is, even where the folder would allow the
    // rename (and for root, whom no mode stops). A link there is replaced, so only the name's
    // own entry counts.
    struct stat old
    {
    };
    if (::lstat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode) && (old.st_mode & 0222) == 0)
        return Problem { Failure::NoPermission, "the file is read-only" };

    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder
            / TemporaryFileName::make(
                name, static_cast<unsigned long>(::getpid()), g_tempCounter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return problem(errno);
    }
    if (fd < 0)
        return problem(EEXIST);

    int failed = 0;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        failed = errno;
    if (::close(fd) != 0 && failed == 0)
        failed = errno;
    if (failed == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        failed = errno;
    if (failed != 0) {
        ::unlink(temp.c_str());
        return problem(failed);
    }
    // The new name is only durable once the folder's entries have reached the disk.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return std::nullopt;
}
