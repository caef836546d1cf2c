#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The drill runs in its own process: what it could not record is noted in a small text file
// beside the database (UTF-8, one line each, with the time), which the teacher's window shows
// and then clears. Appending never throws: a drill must go on whatever the disk does; it says
// whether the note is on the disk, so that one that is not can be given again.
class RecordProblems
{
public:
    explicit RecordProblems(const std::filesystem::path& databaseFile);

    const std::filesystem::path& file() const { return m_file; }
    bool append(const std::u16string& text) noexcept;
    std::vector<std::u16string> read() const;
    void clear();

private:
    // Adds the line in one write in append mode, so that two drills noting a problem at once do
    // not mix their lines, and syncs it; one file per platform. A line that cannot be written
    // whole is taken back, and a file made for it removed.
    bool appendLine(std::string_view line) const noexcept;

    std::filesystem::path m_file;
};
