#include "record/PendingAnswers.h"

#include "data/PathText.h"
#include "record/RecordError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/falloc.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file, open and locked with flock(), which belongs to this open file and not to the
// process, so it cannot be dropped by another part of the program. A file emptied and unlinked
// by a taking-in while this one waited for the lock is opened again.
class LockedFile
{
public:
    LockedFile(const std::filesystem::path& file, int flags)
    {
        for (int tries = 0; tries < 16; ++tries) {
            m_fd = ::open(file.c_str(), flags | O_CLOEXEC, 0644);
            if (m_fd < 0)
                return;
            int locked = 0;
            do {
                locked = ::flock(m_fd, LOCK_EX);
            } while (locked != 0 && errno == EINTR);
            struct stat status = {};
            if (locked == 0 && ::fstat(m_fd, &status) == 0 && status.st_nlink > 0)
                return;
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~LockedFile()
    {
        if (m_fd >= 0)
            ::close(m_fd); // drops the lock
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    int fd() const { return m_fd; }

private:
    int m_fd = -1;
};

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new file's name is only safe once its folder is synced too.
void syncFolder(const std::filesystem::path& file)
{
    const int folder = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder);
    ::close(folder);
}

[[noreturn]] void fail(const std::filesystem::path& file, const char* doing)
{
    const int error = errno;
    const RecordError::Kind kind = error == ENOSPC            ? RecordError::Kind::Full
        : error == EACCES || error == EPERM || error == EROFS ? RecordError::Kind::ReadOnly
                                                              : RecordError::Kind::Other;
    throw RecordError(kind, PathText::utf8(file) + ": " + doing + ": " + std::strerror(error));
}

} // namespace

bool PendingAnswers::appendLocked(std::string_view bytes) const noexcept
{
    const LockedFile file(m_file, O_RDWR | O_APPEND | O_CREAT);
    if (file.fd() < 0)
        return false;
    struct stat status = {};
    if (::fstat(file.fd(), &status) != 0)
        return false;
    const off_t size = status.st_size;
    // A line that an earlier append left unfinished (the machine went off mid-write) is ended
    // first, so that it spoils only itself.
    std::string text;
    char last = '\n';
    if (size > 0 && ::pread(file.fd(), &last, 1, size - 1) == 1 && last != '\n')
        text = "\n";
    text += bytes;
    if (!writeAll(file.fd(), text) || ::fsync(file.fd()) != 0) {
        if (::ftruncate(file.fd(), size) == 0)
            ::fsync(file.fd());
        return false;
    }
    if (size == 0)
        syncFolder(m_file);
    return true;
}

void PendingAnswers::reserve() const noexcept
{
    const LockedFile file(m_file, O_RDWR | O_APPEND | O_CREAT);
    struct stat status = {};
    if (file.fd() < 0 || ::fstat(file.fd(), &status) != 0)
        return;
    // Kept already: the file is left untouched, so that those who watch it see no change.
    const auto wanted = static_cast<std::uint64_t>(status.st_size) + kReservedBytes;
    if (static_cast<std::uint64_t>(status.st_blocks) * 512 >= wanted)
        return;
    ::fallocate(file.fd(), FALLOC_FL_KEEP_SIZE, status.st_size, kReservedBytes);
}

void PendingAnswers::readLocked(const std::function<void(std::string_view bytes)>& use) const
{
    const LockedFile file(m_file, O_RDWR);
    if (file.fd() < 0) {
        if (errno == ENOENT)
            return;
        fail(m_file, "open");
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.fd(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail(m_file, "read");
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (bytes.empty())
        return;
    use(bytes);
    // Taken in: emptied under the lock, so that nothing is taken in twice, and the room for the
    // next answers kept again.
    if (::ftruncate(file.fd(), 0) != 0 || ::fsync(file.fd()) != 0)
        fail(m_file, "empty");
    ::fallocate(file.fd(), FALLOC_FL_KEEP_SIZE, 0, kReservedBytes);
}
