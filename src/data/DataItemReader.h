#pragma once

#include "data/DataTarget.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Reads the delimited text items of a data file from its bytes, one item at a time. Commas and
// line ends both end an item, so one read may span lines and a line may feed several reads.
//
// Beyond what the program itself writes, it reads a teacher's hand edits the forgiving way: a
// lone CR or LF ends a line as CR LF does; spaces and tabs around an unquoted item are dropped;
// a quoted text with no closing quote on its line ends at the line end, and anything between a
// closing quote and the next comma or line end is dropped; trailing blanks after the last line
// end are no item; truth values are also read from TRUE/FALSE in any letter case and from
// numbers (0 false, any other true); a file that is valid UTF-8 holding non-ASCII characters,
// with or without a byte-order mark, is read as UTF-8 instead of Shift-JIS. A failure throws
// DataFileError naming the file.
class DataItemReader
{
public:
    enum class Encoding
    {
        ShiftJis,
        Utf8
    };

    DataItemReader(std::string bytes, std::filesystem::path path);

    Encoding encoding() const { return m_encoding; }
    bool AtEnd() const;
    void read(const DataTarget& target);

private:
    // The bytes of the next item without its quotes and delimiter, which are consumed.
    std::string_view nextItemBytes();
    std::u16string decode(std::string_view bytes) const;
    void skipToDelimiter();
    void consumeDelimiter();
    [[noreturn]] void fail(std::string_view reason) const;

    std::string m_bytes;
    std::filesystem::path m_path;
    Encoding m_encoding = Encoding::ShiftJis;
    std::size_t m_position = 0;
    int m_itemNumber = 0;
};
