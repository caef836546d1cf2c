#include "record/PendingAnswers.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/LocalDate.h"
#include "record/LockedFile.h"
#include "record/RecordError.h"
#include "record/RecordFiles.h"
#include "record/RecordQuery.h"

#include <charconv>
#include <fstream>
#include <system_error>

namespace {

constexpr std::string_view kRun = "run";
constexpr std::string_view kAnswer = "answer";
constexpr std::size_t kRunFields = 7;
constexpr std::size_t kAnswerFields = 19;

// Tabs, line ends and the backslash are written as \t, \n, \r and \\; everything else as it is.
void appendField(std::string& line, std::string_view field)
{
    line += '\t';
    for (const char c : field) {
        switch (c) {
        case '\t':
            line += "\\t";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        case '\\':
            line += "\\\\";
            break;
        default:
            line += c;
        }
    }
}

std::string unescaped(std::string_view field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            text += field[i];
            continue;
        }
        const char next = field[++i];
        text += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return text;
}

void appendNumber(std::string& line, std::int64_t value)
{
    appendField(line, std::to_string(value));
}

std::vector<std::string_view> fields(std::string_view line)
{
    std::vector<std::string_view> result;
    for (;;) {
        const std::size_t tab = line.find('\t');
        result.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return result;
        line.remove_prefix(tab + 1);
    }
}

bool number(std::string_view field, std::int64_t& value)
{
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size();
}

bool smallNumber(std::string_view field, int& value)
{
    std::int64_t wide = 0;
    if (!number(field, wide) || wide < 0 || wide > 1'000'000)
        return false;
    value = static_cast<int>(wide);
    return true;
}

std::string localTime(std::int64_t unixMs)
{
    return LocalDate::DateTime(unixMs, LocalDate::SystemOffsetSeconds());
}

} // namespace

PendingAnswers::PendingAnswers(const std::filesystem::path& databaseFile)
    : m_file(RecordFiles(databaseFile).pending())
{ }

bool PendingAnswers::waiting() const
{
    std::error_code error;
    const auto size = std::filesystem::file_size(m_file, error);
    return !error && size > 0;
}

std::size_t PendingAnswers::waitingAnswers() const
{
    if (!waiting())
        return 0;
    std::ifstream in(m_file, std::ios::binary);
    std::size_t answers = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (const std::optional<RecordEntry> entry = Parse(line); entry && entry->answer)
            ++answers;
    }
    return answers;
}

bool PendingAnswers::append(const std::vector<RecordEntry>& entries) const noexcept
{
    try {
        std::string bytes = "# "
            + Utf8Text::encode(u"タポミ：記録のファイルに書きこめなかった答え（")
            + LocalDate::SystemMinute()
            + Utf8Text::encode(u"）。次に記録を開いたときに、記録に取りこみます。") + "\n";
        for (const RecordEntry& entry : entries)
            bytes += Line(entry) + "\n";
        LockedFile file(m_file, LockedFile::Open::OrCreate);
        return file.appendLine(bytes);
    } catch (...) {
        return false;
    }
}

void PendingAnswers::takeIn(
    const std::function<void(const std::vector<RecordEntry>&)>& takeIn) const
{
    LockedFile file(m_file, LockedFile::Open::Existing);
    if (!file.isOpen() && file.missing())
        return;
    std::optional<std::string> bytes = file.readAll();
    if (!bytes) {
        throw RecordError(RecordError::Kind::Other,
            "cannot read " + PathText::utf8(m_file) + ": " + file.lastError());
    }
    if (bytes->empty())
        return;
    std::vector<RecordEntry> entries;
    for (std::string_view rest = *bytes; !rest.empty();) {
        const std::size_t end = rest.find('\n');
        if (std::optional<RecordEntry> entry = Parse(rest.substr(0, end)))
            entries.push_back(std::move(*entry));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    takeIn(entries);
    // Taken in: emptied under the lock, so that nothing is taken in twice, and the room for the
    // next answers kept again.
    if (!file.empty()) {
        throw RecordError(RecordError::Kind::Other,
            "cannot empty " + PathText::utf8(m_file) + ": " + file.lastError());
    }
    file.keepRoom(kReservedBytes);
}

void PendingAnswers::reserve() const noexcept
{
    try {
        LockedFile file(m_file, LockedFile::Open::OrCreate);
        file.keepRoom(kReservedBytes);
    } catch (...) {
        // No room kept: appends take what the disk has then.
    }
}

std::string PendingAnswers::Line(const RecordEntry& entry)
{
    const std::string name = Utf8Text::encode(entry.childName);
    const std::string folder = RecordQuery::Stored(entry.folder);
    std::string line;
    if (!entry.answer) {
        line = kRun;
        appendField(line, localTime(entry.runStartedMs));
        appendField(line, name);
        appendNumber(line, entry.childId);
        appendNumber(line, entry.runStartedMs);
        appendNumber(line, entry.runEndedMs);
        appendField(line, folder);
        return line;
    }
    const Attempt& answer = *entry.answer;
    line = kAnswer;
    appendField(line, localTime(answer.whenMs));
    appendField(line, name);
    appendField(line, Utf8Text::encode(answer.word));
    appendField(line, Utf8Text::encode(answer.typed));
    appendField(line, answer.right ? "○" : "×");
    appendNumber(line, entry.childId);
    appendNumber(line, entry.runStartedMs);
    appendNumber(line, answer.whenMs);
    appendNumber(line, entry.answerNumber);
    appendNumber(line, answer.firstTry ? 1 : 0);
    appendNumber(line, static_cast<std::int64_t>(answer.secondsToEnter * 1000 + 0.5));
    appendNumber(line, answer.kanaKeys);
    appendNumber(line, answer.backspaces);
    appendNumber(line, answer.markKeys);
    appendNumber(line, answer.keyGuardTenths);
    appendNumber(line, answer.talkingAidKeyboard ? 1 : 0);
    appendNumber(line, answer.discardedKeys);
    appendField(line, RecordQuery::Stored(answer.folder));
    return line;
}

std::optional<RecordEntry> PendingAnswers::Parse(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const std::vector<std::string_view> field = fields(line);
    RecordEntry entry;
    if (field[0] == kRun && field.size() == kRunFields) {
        entry.childName = Utf8Text::decodeReplacing(unescaped(field[2]));
        entry.folder = RecordQuery::FromStored(unescaped(field[6]));
        if (number(field[3], entry.childId) && number(field[4], entry.runStartedMs)
            && number(field[5], entry.runEndedMs))
            return entry;
        return std::nullopt;
    }
    if (field[0] != kAnswer || field.size() != kAnswerFields)
        return std::nullopt;
    Attempt answer;
    entry.childName = Utf8Text::decodeReplacing(unescaped(field[2]));
    answer.word = Utf8Text::decodeReplacing(unescaped(field[3]));
    answer.typed = Utf8Text::decodeReplacing(unescaped(field[4]));
    answer.right = field[5] == "○";
    std::int64_t firstTry = 0;
    std::int64_t milliseconds = 0;
    std::int64_t talkingAid = 0;
    const bool whole = number(field[6], entry.childId) && number(field[7], entry.runStartedMs)
        && number(field[8], answer.whenMs) && number(field[9], entry.answerNumber)
        && number(field[10], firstTry) && number(field[11], milliseconds)
        && smallNumber(field[12], answer.kanaKeys) && smallNumber(field[13], answer.backspaces)
        && smallNumber(field[14], answer.markKeys) && smallNumber(field[15], answer.keyGuardTenths)
        && number(field[16], talkingAid) && smallNumber(field[17], answer.discardedKeys);
    if (!whole)
        return std::nullopt;
    answer.firstTry = firstTry != 0;
    answer.secondsToEnter = static_cast<double>(milliseconds) / 1000.0;
    answer.talkingAidKeyboard = talkingAid != 0;
    answer.folder = RecordQuery::FromStored(unescaped(field[18]));
    entry.folder = answer.folder;
    entry.answer = std::move(answer);
    return entry;
}
