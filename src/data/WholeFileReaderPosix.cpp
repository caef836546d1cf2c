#include "data/WholeFileReader.h"

#include "data/DataFileError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor on every path out of the read.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    { }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }

private:
    int m_fd;
};

[[noreturn]] void failOpen(const std::filesystem::path& path, std::string_view reason)
{
    throw DataFileError(DataFileError::Kind::Open, path, reason);
}

} // namespace

std::optional<std::string> WholeFileReader::read(
    const std::filesystem::path& path, std::size_t limit)
{
    // Non-blocking so that a pipe or device given this name can't stall the program at open.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        failOpen(path, DataFileError::systemReason(errno));
    }
    struct stat status
    {
    };
    if (::fstat(fd.get(), &status) != 0)
        failOpen(path, DataFileError::systemReason(errno));
    if (!S_ISREG(status.st_mode))
        failOpen(path, "普通のファイルではありません");

    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw DataFileError(DataFileError::Kind::Io, path, DataFileError::systemReason(errno));
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > limit)
            throw DataFileError(DataFileError::Kind::Read, path, "ファイルが大きすぎます");
    }
    return bytes;
}
