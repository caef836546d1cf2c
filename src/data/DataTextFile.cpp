#include "data/DataTextFile.h"

#include "data/AtomicFile.h"
#include "data/DataFileError.h"
#include "data/ShiftJisCodec.h"
#include "data/WholeFileReader.h"

#include <stdexcept>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

DataTextFile::OpenResult DataTextFile::openForReading(
    const std::filesystem::path& path, DataItemReader::Source source)
{
    close();
    m_path = path;
    auto bytes = WholeFileReader::read(path, kMaxReadBytes);
    if (!bytes)
        return OpenResult::Missing;
    m_reader.emplace(std::move(*bytes), path, source);
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
