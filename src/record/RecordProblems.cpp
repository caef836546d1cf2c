#include "record/RecordProblems.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/LocalDate.h"
#include "record/LockedFile.h"
#include "record/RecordError.h"
#include "record/RecordFiles.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace {

std::vector<std::u16string> linesOf(std::string_view bytes)
{
    std::vector<std::u16string> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        if (const std::string_view line = bytes.substr(0, end); !line.empty())
            lines.push_back(Utf8Text::decodeReplacing(line));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return lines;
}

} // namespace

RecordProblems::RecordProblems(const std::filesystem::path& databaseFile)
    : m_file(RecordFiles(databaseFile).problems())
{ }

bool RecordProblems::append(const std::u16string& text) noexcept
{
    try {
        std::string line = LocalDate::SystemMinute() + " " + Utf8Text::encode(text);
        for (char& c : line) {
            if (c == '\n' || c == '\r')
                c = ' ';
        }
        line += '\n';
        LockedFile file(m_file, LockedFile::Open::OrCreate);
        return file.appendLine(line);
    } catch (...) {
        return false;
    }
}

std::vector<std::u16string> RecordProblems::read() const
{
    std::ifstream in(m_file, std::ios::binary);
    const std::string bytes { std::istreambuf_iterator<char>(in),
        std::istreambuf_iterator<char>() };
    return linesOf(bytes);
}

std::vector<std::u16string> RecordProblems::take()
{
    LockedFile file(m_file, LockedFile::Open::Existing);
    if (!file.isOpen() && file.missing())
        return {};
    const std::optional<std::string> bytes = file.readAll();
    if (!bytes || (!bytes->empty() && !file.empty())) {
        throw RecordError(RecordError::Kind::ReadOnly,
            "cannot take the notes of " + PathText::utf8(m_file) + ": " + file.lastError());
    }
    return linesOf(*bytes);
}
