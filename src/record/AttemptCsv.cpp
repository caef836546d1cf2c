#include "record/AttemptCsv.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/ExportTarget.h"
#include "record/LocalDate.h"

#include <cstdio>
#include <sstream>
#include <string>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeader = "日時,フォルダー,ことば,入力,正誤,1回目,"
                                     "Enterまでの秒数,かなキー,BackSpace,濁点・半濁点キー,"
                                     "キーガード(秒),キーボード";

// What a spreadsheet program takes as the start of a formula in a cell it reads.
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

// A text field as RFC 4180 has it: quoted, with its quotes doubled, when it holds a comma, a
// quote or a line break (a folder name may hold any of them). One that would start a formula
// gets the apostrophe spreadsheet programs read as "text", and is otherwise kept byte for byte.
void appendField(std::string& out, std::string_view field)
{
    const bool formula
        = !field.empty() && kFormulaStarts.find(field.front()) != std::string_view::npos;
    const bool quoted = field.find_first_of(",\"\r\n") != std::string_view::npos;
    if (quoted)
        out += '"';
    if (formula)
        out += '\'';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    if (quoted)
        out += '"';
}

void appendNumber(std::string& out, const char* format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    out += text;
}

} // namespace

void AttemptCsv::Write(
    std::ostream& out, const std::vector<Attempt>& attempts, int localOffsetSeconds)
{
    std::string text;
    text.reserve(64 + attempts.size() * 160);
    text += kByteOrderMark;
    text += kHeader;
    text += kLineEnd;
    for (const Attempt& attempt : attempts) {
        text += LocalDate::DateTime(attempt.whenMs, localOffsetSeconds);
        text += ',';
        appendField(text, PathText::utf8(attempt.folder));
        text += ',';
        appendField(text, Utf8Text::encode(attempt.word));
        text += ',';
        appendField(text, Utf8Text::encode(attempt.typed));
        text += ',';
        text += attempt.right ? "○" : "×";
        text += ',';
        text += attempt.firstTry ? "はい" : "いいえ";
        text += ',';
        appendNumber(text, "%.1f", attempt.secondsToEnter);
        text += ',';
        text += std::to_string(attempt.kanaKeys);
        text += ',';
        text += std::to_string(attempt.backspaces);
        text += ',';
        text += std::to_string(attempt.markKeys);
        text += ',';
        appendNumber(text, "%.1f", attempt.keyGuardTenths / 10.0);
        text += ',';
        text += attempt.talkingAidKeyboard ? "トーキングエイド" : "JISかな";
        text += kLineEnd;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void AttemptCsv::Save(const std::filesystem::path& file, const std::filesystem::path& databaseFile,
    const std::vector<Attempt>& attempts, int localOffsetSeconds)
{
    std::ostringstream text;
    Write(text, attempts, localOffsetSeconds);
    ExportTarget::Save(file, databaseFile, text.view());
}
