#include "record/RecordProblems.h"

#include "app/Utf8Text.h"
#include "data/PathText.h"
#include "record/LocalDate.h"
#include "record/RecordError.h"
#include "record/RecordFiles.h"

#include <fstream>
#include <system_error>

RecordProblems::RecordProblems(const std::filesystem::path& databaseFile)
    : m_file(RecordFiles(databaseFile).problems())
{ }

void RecordProblems::append(const std::u16string& text) noexcept
{
    try {
        std::string line = LocalDate::SystemMinute() + " " + Utf8Text::encode(text);
        for (char& c : line) {
            if (c == '\n' || c == '\r')
                c = ' ';
        }
        line += '\n';
        appendLine(line);
    } catch (...) {
        // Nothing more can be done about a note that cannot be written; the drill goes on.
    }
}

std::vector<std::u16string> RecordProblems::read() const
{
    std::vector<std::u16string> lines;
    std::ifstream in(m_file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty())
            lines.push_back(Utf8Text::decodeReplacing(line));
    }
    return lines;
}

void RecordProblems::clear()
{
    std::error_code error;
    std::filesystem::remove(m_file, error);
    if (error) {
        throw RecordError(RecordError::Kind::ReadOnly,
            "cannot remove " + PathText::utf8(m_file) + ": " + error.message());
    }
}
