#include "record/LockedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/falloc.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A new file's name is only safe once its folder is synced too.
void syncFolder(const std::filesystem::path& file)
{
    const int folder = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder);
    ::close(folder);
}

} // namespace

LockedFile::LockedFile(const std::filesystem::path& file, Open open)
    : m_file(file)
{
    const int flags = O_RDWR | O_CLOEXEC | (open == Open::OrCreate ? O_CREAT : 0);
    for (int tries = 0; tries < 16; ++tries) {
        int fd = ::open(file.c_str(), flags, 0644);
        if (fd < 0) {
            m_error = static_cast<unsigned long>(errno);
            m_missing = errno == ENOENT;
            return;
        }
        int locked = 0;
        do {
            locked = ::flock(fd, LOCK_EX);
        } while (locked != 0 && errno == EINTR);
        struct stat status = {};
        if (locked == 0 && ::fstat(fd, &status) == 0 && status.st_nlink > 0) {
            m_handle = fd;
            return;
        }
        m_error = static_cast<unsigned long>(errno);
        ::close(fd);
    }
}

LockedFile::~LockedFile()
{
    if (isOpen())
        ::close(static_cast<int>(m_handle));
}

bool LockedFile::isOpen() const
{
    return m_handle >= 0;
}

bool LockedFile::appendLine(std::string_view bytes)
{
    const int fd = static_cast<int>(m_handle);
    struct stat status = {};
    if (!isOpen() || ::fstat(fd, &status) != 0)
        return false;
    const off_t size = status.st_size;
    char last = '\n';
    const bool endLine = size > 0 && ::pread(fd, &last, 1, size - 1) == 1 && last != '\n';
    std::string text(endLine ? 1 : 0, '\n');
    text.append(bytes.data(), bytes.size());
    std::string_view left = text;
    off_t at = size;
    while (!left.empty()) {
        const ssize_t written = ::pwrite(fd, left.data(), left.size(), at);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_error = static_cast<unsigned long>(written < 0 ? errno : ENOSPC);
            break;
        }
        left.remove_prefix(static_cast<std::size_t>(written));
        at += written;
    }
    if (!left.empty() || ::fsync(fd) != 0) {
        if (left.empty())
            m_error = static_cast<unsigned long>(errno);
        if (::ftruncate(fd, size) == 0)
            ::fsync(fd);
        return false;
    }
    if (size == 0)
        syncFolder(m_file);
    return true;
}

std::optional<std::string> LockedFile::readAll()
{
    if (!isOpen())
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(static_cast<int>(m_handle), buffer, sizeof buffer, at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            m_error = static_cast<unsigned long>(errno);
            return std::nullopt;
        }
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
        at += got;
    }
}

bool LockedFile::empty()
{
    const int fd = static_cast<int>(m_handle);
    if (!isOpen() || ::ftruncate(fd, 0) != 0 || ::fsync(fd) != 0) {
        m_error = static_cast<unsigned long>(errno);
        return false;
    }
    return true;
}

void LockedFile::keepRoom(std::uint64_t bytes)
{
    const int fd = static_cast<int>(m_handle);
    struct stat status = {};
    if (!isOpen() || ::fstat(fd, &status) != 0)
        return;
    const auto wanted = static_cast<std::uint64_t>(status.st_size) + bytes;
    if (static_cast<std::uint64_t>(status.st_blocks) * 512 >= wanted)
        return;
    ::fallocate(fd, FALLOC_FL_KEEP_SIZE, status.st_size, static_cast<off_t>(bytes));
}

std::string LockedFile::lastError() const
{
    return std::strerror(static_cast<int>(m_error));
}
