#include "data/DataItemReader.h"

#include "common/Utf8Text.h"
#include "data/DataFileError.h"
#include "data/ShiftJisCodec.h"

#include <algorithm>
#include <optional>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool isBlank(char byte)
{
    return byte == ' ' || byte == '\t';
}

bool isLineEnd(char byte)
{
    return byte == '\r' || byte == '\n';
}

std::u16string_view trimBlanks(std::u16string_view text)
{
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t'))
        text.remove_suffix(1);
    return text;
}

std::u16string upperAscii(std::u16string_view text)
{
    std::u16string upper(text);
    for (char16_t& unit : upper) {
        if (unit >= u'a' && unit <= u'z')
            unit = static_cast<char16_t>(unit - u'a' + u'A');
    }
    return upper;
}

// Decimal with an optional sign; nothing when it is not a number or lies outside 16 bits.
std::optional<std::int16_t> parseInteger(std::u16string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::int32_t magnitude = 0;
    for (char16_t unit : text) {
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (unit - u'0');
        if (magnitude > 32768)
            return std::nullopt;
    }
    const std::int32_t value = negative ? -magnitude : magnitude;
    if (value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
        [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// One line of a hand-edited file as text, or nothing when it is neither Shift-JIS nor UTF-8.
// Shift-JIS kana and kanji are never valid UTF-8, but UTF-8 kana very often are valid Shift-JIS
// ("よくできました" in UTF-8 reads as "繧医￥縺ｧ…"). So a line that reads both ways is taken for
// UTF-8 when that reading holds a character of three UTF-8 bytes, as every kana and kanji is,
// or when the file starts with the UTF-8 mark; otherwise for Shift-JIS, whose half-width
// katakana pairs may look like a two-byte UTF-8 letter (ﾈｺ, C8 BA, reads as "Ⱥ" in UTF-8).
std::optional<std::u16string> decodeHandEditedLine(
    std::string_view line, bool marked, DataItemReader::Encoding& encoding)
{
    auto utf8 = Utf8Text::decode(line);
    auto shiftJis = ShiftJisCodec::decode(line);
    const bool utf8Japanese = utf8
        && std::any_of(utf8->begin(), utf8->end(), [](char16_t unit) { return unit >= 0x800; });
    if (utf8 && (!shiftJis || marked || utf8Japanese)) {
        encoding = DataItemReader::Encoding::Utf8;
        return utf8;
    }
    encoding = DataItemReader::Encoding::ShiftJis;
    return shiftJis;
}

} // namespace

DataItemReader::DataItemReader(std::string bytes, std::filesystem::path path, Source source)
    : m_bytes(std::move(bytes))
    , m_path(std::move(path))
{
    std::string_view content = m_bytes;
    const bool marked = content.starts_with(kUtf8Mark);
    if (marked)
        content.remove_prefix(kUtf8Mark.size());
    if (source == Source::HandEdited) {
        readLineByLine(content, marked);
        return;
    }
    m_encoding = detect(content, marked);
    // The mark is no character of either encoding (in Shift-JIS its bytes are unassigned), so
    // it is skipped even when the rest turns out not to be UTF-8.
    m_position = marked ? kUtf8Mark.size() : 0;
}

DataItemReader::Encoding DataItemReader::detect(std::string_view content, bool marked)
{
    if (marked && Utf8Text::decode(content))
        return Encoding::Utf8;
    if (ShiftJisCodec::decode(content) || !Utf8Text::decode(content))
        return Encoding::ShiftJis;
    return Encoding::Utf8;
}

void DataItemReader::readLineByLine(std::string_view content, bool marked)
{
    std::string readable;
    bool encodingSeen = false;
    int lineNumber = 0;
    while (!content.empty()) {
        ++lineNumber;
        const std::size_t end = std::min(content.find_first_of("\r\n"), content.size());
        std::size_t next = end;
        if (next < content.size())
            next += content.substr(next).starts_with("\r\n") ? 2u : 1u;
        const std::string_view line = content.substr(0, end);
        Encoding lineEncoding = Encoding::ShiftJis;
        const auto text = decodeHandEditedLine(line, marked, lineEncoding);
        if (!text) {
            m_leftOutLines.push_back(lineNumber);
        } else {
            if (!encodingSeen && !isAscii(line)) {
                m_encoding = lineEncoding;
                encodingSeen = true;
            }
            readable += Utf8Text::encode(*text);
            readable += content.substr(end, next - end);
        }
        content.remove_prefix(next);
    }
    m_bytes = std::move(readable);
    m_transcoded = true;
}

bool DataItemReader::AtEnd() const
{
    for (std::size_t i = m_position; i < m_bytes.size(); ++i) {
        if (!isBlank(m_bytes[i]))
            return false;
    }
    return true;
}

void DataItemReader::skipBlankLines()
{
    std::size_t lineStart = m_position;
    for (;;) {
        std::size_t i = lineStart;
        while (i < m_bytes.size() && isBlank(m_bytes[i]))
            ++i;
        if (i >= m_bytes.size()) {
            m_position = i;
            return;
        }
        if (!isLineEnd(m_bytes[i])) {
            m_position = lineStart;
            return;
        }
        if (m_bytes[i] == '\r' && i + 1 < m_bytes.size() && m_bytes[i + 1] == '\n')
            ++i;
        lineStart = i + 1;
    }
}

void DataItemReader::read(const DataTarget& target)
{
    ++m_itemNumber;
    if (AtEnd())
        fail("ファイルの終わりを越えて読もうとしました");
    const std::u16string text = decode(nextItemBytes());

    switch (target.type()) {
    case DataTarget::Type::Text:
        target.textValue() = text;
        return;
    case DataTarget::Type::Truth: {
        const std::u16string word = upperAscii(trimBlanks(text));
        if (word.empty() || word == u"#FALSE#" || word == u"FALSE") {
            target.numberValue() = kFalse;
        } else if (word == u"#TRUE#" || word == u"TRUE") {
            target.numberValue() = kTrue;
        } else if (const auto number = parseInteger(word)) {
            target.numberValue() = *number == 0 ? kFalse : kTrue;
        } else {
            fail("#TRUE# か #FALSE# のはずの項目が違います");
        }
        return;
    }
    case DataTarget::Type::Integer: {
        const std::u16string_view digits = trimBlanks(text);
        if (digits.empty()) {
            target.numberValue() = 0;
        } else if (const auto number = parseInteger(digits)) {
            target.numberValue() = *number;
        } else {
            fail("-32768 から 32767 までの整数のはずの項目が違います");
        }
        return;
    }
    }
}

std::string_view DataItemReader::nextItemBytes()
{
    while (m_position < m_bytes.size() && isBlank(m_bytes[m_position]))
        ++m_position;
    const std::string_view all = m_bytes;

    if (m_position < m_bytes.size() && m_bytes[m_position] == '"') {
        const std::size_t start = m_position + 1;
        std::size_t end = start;
        while (end < m_bytes.size() && m_bytes[end] != '"' && !isLineEnd(m_bytes[end]))
            ++end;
        m_position = end;
        if (end < m_bytes.size() && m_bytes[end] == '"') {
            ++m_position;
            skipToDelimiter();
        }
        consumeDelimiter();
        return all.substr(start, end - start);
    }

    const std::size_t start = m_position;
    skipToDelimiter();
    std::size_t end = m_position;
    while (end > start && isBlank(m_bytes[end - 1]))
        --end;
    consumeDelimiter();
    return all.substr(start, end - start);
}

void DataItemReader::skipToDelimiter()
{
    while (m_position < m_bytes.size() && m_bytes[m_position] != ','
        && !isLineEnd(m_bytes[m_position]))
        ++m_position;
}

void DataItemReader::consumeDelimiter()
{
    if (m_position >= m_bytes.size())
        return;
    const char delimiter = m_bytes[m_position++];
    if (delimiter == '\r' && m_position < m_bytes.size() && m_bytes[m_position] == '\n')
        ++m_position;
}

std::u16string DataItemReader::decode(std::string_view bytes) const
{
    const auto text = m_transcoded || m_encoding == Encoding::Utf8 ? Utf8Text::decode(bytes)
                                                                   : ShiftJisCodec::decode(bytes);
    if (!text)
        fail("Shift-JIS の文字として読めないバイトがあります");
    return *text;
}

void DataItemReader::fail(std::string_view reason) const
{
    const std::string detail = std::to_string(m_itemNumber) + " 番目の項目: " + std::string(reason);
    throw DataFileError(DataFileError::Kind::Read, m_path, detail);
}
