#include "data/AtomicFile.h"

#include "data/DataFileError.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<unsigned> g_tempCounter { 0 };

[[noreturn]] void failWrite(const std::filesystem::path& path, int errorNumber)
{
    throw DataFileError(DataFileError::Kind::Write, path, DataFileError::systemReason(errorNumber));
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

    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // Hidden and with its own ending, so that the picture listing never picks it up.
        const std::string name = "." + target.filename().string() + "." + std::to_string(::getpid())
            + "." + std::to_string(g_tempCounter++) + ".tmp";
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
    // Keep the permissions a teacher may have given the old file.
    struct stat old
    {
    };
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        abandon(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        abandon(errno);
    syncFolder(folder);
}
