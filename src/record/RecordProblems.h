#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What the record could not do while the teacher was not looking (a drill that could not
// write, a damaged record set aside, answers taken in late) is noted in a small text file beside
// the database (UTF-8, one line each, with the time), which the teacher's window takes, shows and
// empties. Notes are added and taken under the file's own lock (LockedFile), so none is lost
// between a drill's note and the window's taking. Appending never throws: a drill must go on
// whatever the disk does; it says whether the note is on the disk.
class RecordProblems
{
public:
    explicit RecordProblems(const std::filesystem::path& databaseFile);

    const std::filesystem::path& file() const { return m_file; }
    bool append(const std::u16string& text) noexcept;
    // The notes as they are now, leaving them there.
    std::vector<std::u16string> read() const;
    // The notes, and none left behind; throws RecordError when the file can't be read or
    // emptied (the notes then stay).
    std::vector<std::u16string> take();

private:
    std::filesystem::path m_file;
};
