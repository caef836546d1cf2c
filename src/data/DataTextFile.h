#pragma once

#include "data/DataItem.h"
#include "data/DataItemReader.h"
#include "data/DataTarget.h"

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One data file opened either for reading or for writing, in the delimited text format shared
// by the three data files: Shift-JIS, CR LF, records of quoted texts, truth values and 16-bit
// integers. Reading takes the whole (small) file in at once and closes it; writing gathers the
// bytes and replaces the file atomically on close, so an unfinished write changes nothing.
// Every failure throws DataFileError naming the file; only a missing file is an outcome.
class DataTextFile
{
public:
    enum class OpenResult
    {
        Opened,
        Missing
    };

    // No data file of this program comes near this; anything larger is not one of them, and
    // refusing it keeps a stray huge file from filling memory.
    static constexpr std::size_t kMaxReadBytes = 1024 * 1024;

    DataTextFile() = default;
    DataTextFile(const DataTextFile&) = delete;
    DataTextFile& operator=(const DataTextFile&) = delete;

    OpenResult openForReading(const std::filesystem::path& path, DataItemReader::Source source);
    // Reads a file's content that is already in memory, as openForReading reads the file's.
    void openContent(
        std::string bytes, const std::filesystem::path& path, DataItemReader::Source source);
    void openForWriting(const std::filesystem::path& path);

    void WriteItems(std::initializer_list<DataItem> items);
    void WriteLine(std::u16string_view text);
    void ReadItems(std::initializer_list<DataTarget> targets);
    void SkipBlankLines();
    bool AtEnd() const;
    // Ends a read; commits a write.
    void close();

    // The encoding detected for the file being read.
    DataItemReader::Encoding encoding() const;
    // The lines of a hand-edited file left out as unreadable (see DataItemReader).
    std::vector<int> leftOutLines() const;

private:
    std::string encodeText(std::u16string_view text) const;
    void requireWriting() const;

    std::filesystem::path m_path;
    std::optional<DataItemReader> m_reader;
    std::optional<std::string> m_pending;
};
