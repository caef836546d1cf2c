#include "record/RecordProblems.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool RecordProblems::appendLine(std::string_view line) const noexcept
{
    const int fd = ::open(m_file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    struct stat status = {};
    const off_t size = ::fstat(fd, &status) == 0 ? status.st_size : -1;
    ssize_t written = 0;
    do {
        written = ::write(fd, line.data(), line.size());
    } while (written < 0 && errno == EINTR);
    const bool whole = written == static_cast<ssize_t>(line.size()) && ::fsync(fd) == 0;
    if (!whole && size >= 0) {
        // A note cut short would be read as another; an empty file as a note given.
        ::ftruncate(fd, size);
        if (size == 0)
            ::unlink(m_file.c_str());
    }
    ::close(fd);
    return whole;
}
