#pragma once

#include "data/DataTarget.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Reads the delimited text items of a data file from its bytes, one item at a time. Commas and
// line ends both end an item, so one read may span lines and a line may feed several reads.
//
// Beyond what the program itself writes, it reads a teacher's hand edits the forgiving way: a
// lone CR or LF ends a line as CR LF does; spaces and tabs around an unquoted item are dropped;
// a quoted text with no closing quote on its line ends at the line end, and anything between a
// closing quote and the next comma or line end is dropped; trailing blanks after the last line
// end are no item; truth values are also read from TRUE/FALSE in any letter case and from
// numbers (0 false, any other true). A file may also be UTF-8 (see Source). A failure throws
// DataFileError naming the file, except in a hand-edited file, whose unreadable lines are left
// out and counted instead.
class DataItemReader
{
public:
    enum class Encoding
    {
        ShiftJis,
        Utf8
    };

    // Who writes the file decides how its encoding is told. Some Shift-JIS text is valid UTF-8
    // as well (the half-width katakana pair ﾈｺ is C8 BA, which UTF-8 reads as "Ⱥ"), so the
    // bytes alone can't always tell.
    enum class Source
    {
        // The settings and selection files, which the program writes in Shift-JIS itself: read
        // as UTF-8 only behind a byte-order mark, or when the bytes are no Shift-JIS at all.
        Program,
        // The praise file, which teachers edit with whatever editor they have, often adding a
        // UTF-8 line to a Shift-JIS file: each line is read in the encoding it is written in,
        // and a line that is neither Shift-JIS nor UTF-8 is left out rather than ending the
        // lesson (see leftOutLines).
        HandEdited
    };

    DataItemReader(std::string bytes, std::filesystem::path path, Source source);

    // For a hand-edited file, the encoding of its first line that is not plain ASCII.
    Encoding encoding() const { return m_encoding; }
    // The numbers (from 1) of the lines of a hand-edited file that were left out because they
    // are neither Shift-JIS nor UTF-8.
    const std::vector<int>& leftOutLines() const { return m_leftOutLines; }
    bool AtEnd() const;
    void read(const DataTarget& target);
    // Consumes the lines ahead that hold nothing but blanks, so that a blank line an editor
    // left between or after records is not taken for an empty item.
    void skipBlankLines();

private:
    // The bytes of the next item without its quotes and delimiter, which are consumed.
    std::string_view nextItemBytes();
    static Encoding detect(std::string_view content, bool marked);
    // Decodes each line of a hand-edited file on its own and keeps the readable ones as UTF-8.
    void readLineByLine(std::string_view content, bool marked);
    std::u16string decode(std::string_view bytes) const;
    void skipToDelimiter();
    void consumeDelimiter();
    [[noreturn]] void fail(std::string_view reason) const;

    std::string m_bytes;
    std::filesystem::path m_path;
    Encoding m_encoding = Encoding::ShiftJis;
    // The bytes have been turned into UTF-8 line by line (a hand-edited file).
    bool m_transcoded = false;
    std::vector<int> m_leftOutLines;
    std::size_t m_position = 0;
    int m_itemNumber = 0;
};
