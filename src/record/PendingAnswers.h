#pragma once

#include "record/RecordEntry.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a drill could not write into the record before it ended waits beside the record in a
// small text file, "records-pending.txt": one line per run or answer, tab-separated UTF-8 with
// the time, the child, the word and the typed text first, so a person can read it. Appending
// syncs the lines to the disk before it returns; the next program that opens the record to write
// takes them in once and empties the file (an empty file stays, holding the room kept for the
// next answers). Both hold the file's own lock (LockedFile, not the record's), so two drills
// ending at once and a taking-in never mix or lose lines.
class PendingAnswers
{
public:
    explicit PendingAnswers(const std::filesystem::path& databaseFile);

    const std::filesystem::path& file() const { return m_file; }
    // Whether anything waits (a cheap look at the file's size).
    bool waiting() const;
    // How many answers wait, read as they are now, for telling the teacher.
    std::size_t waitingAnswers() const;
    // Adds the entries in one write and syncs it. False when they could not be written whole;
    // nothing half-written is left then.
    bool append(const std::vector<RecordEntry>& entries) const noexcept;
    // Reads every entry under the lock and hands them to takeIn; once takeIn returns, the file is
    // emptied. When takeIn throws, the file stays as it was and the error goes on.
    void takeIn(const std::function<void(const std::vector<RecordEntry>&)>& takeIn) const;

    // Room for about a thousand answers, kept on the disk beyond the file's end (which stays
    // where it is) whenever the record is opened to write, so that a drill on a disk that has
    // filled up since can still keep its answers. A failure is let go: the room is a help, not
    // a promise.
    static constexpr std::uint64_t kReservedBytes = 256 * 1024;
    void reserve() const noexcept;

    // One entry as its line, without the line end, and back; nothing for a line that is not one
    // (a comment, a line cut short).
    static std::string Line(const RecordEntry& entry);
    static std::optional<RecordEntry> Parse(std::string_view line);

private:
    std::filesystem::path m_file;
};
