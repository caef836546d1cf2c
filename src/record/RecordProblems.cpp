#include "record/RecordProblems.h"

#include "app/Utf8Text.h"
#include "record/RecordError.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

RecordProblems::RecordProblems(const std::filesystem::path& databaseFile)
    : m_file(databaseFile.parent_path() / (databaseFile.stem().string() + "-problems.txt"))
{ }

void RecordProblems::append(const std::u16string& text) noexcept
{
    try {
        const std::time_t now = std::time(nullptr);
        std::tm local {};
        localtime_r(&now, &local);
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M ", &local);
        std::string line = stamp + Utf8Text::encode(text);
        for (char& c : line) {
            if (c == '\n' || c == '\r')
                c = ' ';
        }
        line += '\n';
        // One write of one line in append mode: two drills noting a problem at once do not
        // mix their lines.
        const int fd = ::open(m_file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return;
        ssize_t written = 0;
        do {
            written = ::write(fd, line.data(), line.size());
        } while (written < 0 && errno == EINTR);
        ::close(fd);
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
            "cannot remove " + m_file.string() + ": " + error.message());
    }
}
