#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The drill runs in its own process: what it could not record is noted in a small text file
// beside the database (UTF-8, one line each, with the time), which the teacher's window shows
// and then clears. Appending never throws: a drill must go on whatever the disk does.
class RecordProblems
{
public:
    explicit RecordProblems(const std::filesystem::path& databaseFile);

    void append(const std::u16string& text) noexcept;
    std::vector<std::u16string> read() const;
    void clear();

private:
    // Adds the line in one write in append mode, so that two drills noting a problem at once do
    // not mix their lines; one file per platform. A failure is let go.
    void appendLine(std::string_view line) const noexcept;

    std::filesystem::path m_file;
};
