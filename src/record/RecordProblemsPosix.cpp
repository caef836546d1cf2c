#include "record/RecordProblems.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

void RecordProblems::appendLine(std::string_view line) const noexcept
{
    const int fd = ::open(m_file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    ssize_t written = 0;
    do {
        written = ::write(fd, line.data(), line.size());
    } while (written < 0 && errno == EINTR);
    ::close(fd);
}
