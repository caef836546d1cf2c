#include "data/DataTextFile.h"

#include "data/AtomicFile.h"
#include "data/DataFileError.h"
#include "data/ShiftJisCodec.h"

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

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

DataTextFile::OpenResult DataTextFile::openForReading(
    const std::filesystem::path& path, DataItemReader::Source source)
{
    close();
    m_path = path;
    // Non-blocking so that a pipe or device given this name can't stall the program at open.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return OpenResult::Missing;
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
        if (bytes.size() > kMaxReadBytes)
            throw DataFileError(DataFileError::Kind::Read, path, "ファイルが大きすぎます");
    }
    m_reader.emplace(std::move(bytes), path, source);
    return OpenResult::Opened;
}

void DataTextFile::openContent(
    std::string bytes, const std::filesystem::path& path, DataItemReader::Source source)
{
    close();
    m_path = path;
    m_reader.emplace(std::move(bytes), path, source);
}

void DataTextFile::openForWriting(const std::filesystem::path& path)
{
    close();
    m_path = path;
    m_pending.emplace();
}

void DataTextFile::WriteItems(std::initializer_list<DataItem> items)
{
    requireWriting();
    std::string record;
    bool first = true;
    for (const DataItem& item : items) {
        if (!first)
            record += ',';
        first = false;
        switch (item.type()) {
        case DataItem::Type::Text:
            if (item.textValue().find(u'"') != std::u16string_view::npos)
                throw DataFileError(
                    DataFileError::Kind::Write, m_path, "二重引用符を含む文字列は書けません");
            record += '"';
            record += encodeText(item.textValue());
            record += '"';
            break;
        case DataItem::Type::Truth:
            record += item.numberValue() != 0 ? "#TRUE#" : "#FALSE#";
            break;
        case DataItem::Type::Integer:
            record += std::to_string(item.numberValue());
            break;
        }
    }
    *m_pending += record;
    *m_pending += kLineEnd;
}

void DataTextFile::WriteLine(std::u16string_view text)
{
    requireWriting();
    *m_pending += encodeText(text);
    *m_pending += kLineEnd;
}

void DataTextFile::ReadItems(std::initializer_list<DataTarget> targets)
{
    if (!m_reader)
        throw std::logic_error("DataTextFile::ReadItems on a file not open for reading");
    for (const DataTarget& target : targets)
        m_reader->read(target);
}

void DataTextFile::SkipBlankLines()
{
    if (m_reader)
        m_reader->skipBlankLines();
}

bool DataTextFile::AtEnd() const
{
    return !m_reader || m_reader->AtEnd();
}

void DataTextFile::close()
{
    m_reader.reset();
    if (m_pending) {
        const std::string bytes = std::move(*m_pending);
        m_pending.reset();
        AtomicFile::replace(m_path, bytes);
    }
}

DataItemReader::Encoding DataTextFile::encoding() const
{
    return m_reader ? m_reader->encoding() : DataItemReader::Encoding::ShiftJis;
}

std::vector<int> DataTextFile::leftOutLines() const
{
    return m_reader ? m_reader->leftOutLines() : std::vector<int> {};
}

std::string DataTextFile::encodeText(std::u16string_view text) const
{
    auto bytes = ShiftJisCodec::encode(text);
    if (!bytes)
        throw DataFileError(
            DataFileError::Kind::Write, m_path, "Shift-JIS で表せない文字があります");
    return *bytes;
}

void DataTextFile::requireWriting() const
{
    if (!m_pending)
        throw std::logic_error("DataTextFile written without being opened for writing");
}
