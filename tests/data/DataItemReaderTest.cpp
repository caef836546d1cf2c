#include "data/DataItemReader.h"

#include "data/DataFileError.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Source = DataItemReader::Source;
using Encoding = DataItemReader::Encoding;

// Reads one item per letter of types (t text, b truth value, i integer) and spells each result
// out, so that a whole case compares in one expectation.
std::vector<std::u16string> readAll(DataItemReader& reader, std::string_view types)
{
    std::vector<std::u16string> results;
    for (char type : types) {
        std::u16string text;
        std::int16_t number = 123;
        if (type == 't') {
            reader.read(DataTarget::text(text));
            results.push_back(text);
        } else if (type == 'b') {
            reader.read(DataTarget::truth(number));
            results.push_back(number == kTrue ? u"true" : number == kFalse ? u"false" : u"?");
        } else {
            reader.read(DataTarget::integer(number));
            const std::string digits = std::to_string(number);
            results.emplace_back(digits.begin(), digits.end());
        }
    }
    return results;
}

struct ReadCase
{
    const char* what;
    std::string bytes;
    std::string_view types;
    std::vector<std::u16string> expected;
};

TEST(DataItemReaderTest, ReadsItemsAsWrittenAndAsATeacherMightEditThem)
{
    const std::vector<ReadCase> cases {
        { "one record", "\"a\",#TRUE#,-5\r\n", "tbi", { u"a", u"true", u"-5" } },
        { "items spread over lines", "#TRUE#\r\n#FALSE#\r\n7\r\n", "bbi",
            { u"true", u"false", u"7" } },
        { "one line feeds several reads", "1,2,3\r\n", "iii", { u"1", u"2", u"3" } },
        { "empty items", ",,\r\n", "tbi", { u"", u"false", u"0" } },
        { "a blank line is an empty item", "a\r\n\r\nb\r\n", "ttt", { u"a", u"", u"b" } },
        { "lone LF and lone CR end lines", "a\nb\rc", "ttt", { u"a", u"b", u"c" } },
        { "LF CR is two line ends", "a\n\rb", "ttt", { u"a", u"", u"b" } },
        { "quotes keep commas and blanks", "\" x, y \",z\r\n", "tt", { u" x, y ", u"z" } },
        { "blanks around a bare item dropped", "   abc  ,\t d \r\n", "tt", { u"abc", u"d" } },
        { "text after a closing quote dropped", "\"a\"junk,b\r\n", "tt", { u"a", u"b" } },
        { "an open quote ends at its line end", "\"abc\r\ndef\r\n", "tt", { u"abc", u"def" } },
        { "truth value spellings", "#true#,FALSE,True,0,-1,,\"#TRUE#\"\r\n", "bbbbbbb",
            { u"true", u"false", u"true", u"false", u"true", u"false", u"true" } },
        { "16-bit limits", "32767,-32768,+12, 0007 \r\n", "iiii",
            { u"32767", u"-32768", u"12", u"7" } },
        { "Shift-JIS", TempFolder::hex("82 A0 2C 22 82 A2 81 41 82 A4 22 0D 0A"), "tt",
            { u"あ", u"い、う" } },
        { "UTF-8 without a mark", "\xE3\x81\x82,\xE3\x81\x84\n", "tt", { u"あ", u"い" } },
        { "UTF-8 mark before ASCII",
            "\xEF\xBB\xBF"
            "abc\r\n",
            "t", { u"abc" } },
        { "a mark before Shift-JIS", "\xEF\xBB\xBF" + TempFolder::hex("82 A0 0D 0A"), "t",
            { u"あ" } },
        { "no line end after the last item", "a,b", "tt", { u"a", u"b" } },
        { "a file of only CR LF", "\r\n", "t", { u"" } },
        { "blanks after the last line end are no item", "a\r\n  \t", "t", { u"a" } },
        { "a 0-byte file", "", "", {} },
    };
    for (const ReadCase& c : cases) {
        for (const Source source : { Source::Program, Source::HandEdited }) {
            SCOPED_TRACE(std::string(c.what) + (source == Source::Program ? " (program)" : ""));
            DataItemReader reader(c.bytes, "case.txt", source);
            EXPECT_EQ(readAll(reader, c.types), c.expected);
            EXPECT_TRUE(reader.AtEnd());
        }
    }
}

struct EncodingCase
{
    const char* what;
    std::string bytes;
    Encoding program; // as the settings and selection files are read
    Encoding handEdited; // as the praise file is read
    std::u16string text; // as the settings and selection files read it
};

TEST(DataItemReaderTest, TellsTheEncodingByWhoWritesTheFile)
{
    const std::vector<EncodingCase> cases {
        { "Shift-JIS kana", TempFolder::hex("82 A0"), Encoding::ShiftJis, Encoding::ShiftJis,
            u"あ" },
        { "UTF-8 kana", "\xE3\x81\x82", Encoding::Utf8, Encoding::Utf8, u"あ" },
        { "UTF-8 behind a mark", "\xEF\xBB\xBF\xE3\x81\x82", Encoding::Utf8, Encoding::Utf8,
            u"あ" },
        { "ASCII", "cat.jpg", Encoding::ShiftJis, Encoding::ShiftJis, u"cat.jpg" },
        // Half-width katakana in Shift-JIS that happen to be valid UTF-8 as well ("Ⱥ.jpg").
        { "ﾈｺ in Shift-JIS", TempFolder::hex("C8 BA 2E 6A 70 67"), Encoding::ShiftJis,
            Encoding::ShiftJis, u"ﾈｺ.jpg" },
        { "Ⱥ in UTF-8 behind a mark", TempFolder::hex("EF BB BF C8 BA"), Encoding::Utf8,
            Encoding::Utf8, u"Ⱥ" },
    };
    for (const EncodingCase& c : cases) {
        SCOPED_TRACE(c.what);
        DataItemReader program(c.bytes, "f", Source::Program);
        EXPECT_EQ(program.encoding(), c.program);
        EXPECT_EQ(DataItemReader(c.bytes, "f", Source::HandEdited).encoding(), c.handEdited);
        EXPECT_EQ(readAll(program, "t"), std::vector { c.text });
    }
}

TEST(DataItemReaderTest, ReadsABlankLineAsAnItemUnlessSkipped)
{
    DataItemReader reader("a\r\n\r\n", "f", Source::Program);
    EXPECT_EQ(readAll(reader, "t"), std::vector<std::u16string> { u"a" });
    EXPECT_FALSE(reader.AtEnd()); // the blank line is one more item
    EXPECT_EQ(readAll(reader, "t"), std::vector<std::u16string> { u"" });
    EXPECT_TRUE(reader.AtEnd());

    DataItemReader skipping("a\r\n \r\n\t\n\rb,c\r\n\r\n  ", "f", Source::Program);
    skipping.skipBlankLines();
    EXPECT_EQ(readAll(skipping, "t"), std::vector<std::u16string> { u"a" });
    skipping.skipBlankLines();
    EXPECT_EQ(readAll(skipping, "tt"), (std::vector<std::u16string> { u"b", u"c" }));
    EXPECT_FALSE(skipping.AtEnd());
    skipping.skipBlankLines();
    EXPECT_TRUE(skipping.AtEnd());
}

struct FailCase
{
    const char* what;
    std::string bytes;
    std::string_view types;
};

TEST(DataItemReaderTest, FailsOnItemsThatAreNotTheirTypeOrNotThere)
{
    const std::vector<FailCase> cases {
        { "integer above 16 bits", "32768", "i" },
        { "integer below 16 bits", "-32769", "i" },
        { "integer far too long", "99999999999999999999999", "i" },
        { "integer with letters", "12a", "i" },
        { "a sign alone", "-", "i" },
        { "unknown truth word", "#YES#", "b" },
        { "truth value out of 16 bits", "70000", "b" },
        { "past the end", "a\r\n", "tt" },
        { "nothing at all", "", "t" },
        { "invalid Shift-JIS", "\x82,b", "t" },
        { "binary garbage", std::string("\x00\xFF\xFE\x80", 4), "t" },
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.what);
        DataItemReader reader(c.bytes, "/folder/bad.txt", Source::Program);
        try {
            readAll(reader, c.types);
            ADD_FAILURE() << "read without failing";
        } catch (const DataFileError& error) {
            EXPECT_EQ(error.kind(), DataFileError::Kind::Read);
            EXPECT_EQ(error.path(), "/folder/bad.txt");
            EXPECT_NE(std::string(error.what()).find("/folder/bad.txt"), std::string::npos);
        }
    }
}

} // namespace
