#pragma once

#include <filesystem>
#include <vector>

// The files that make up the record, all named from its database file: the database, SQLite's
// write-ahead log and shared memory beside it ("<file>-wal", "<file>-shm"), the notes of what a
// drill could not record ("<stem>-problems.txt") and the answers waiting to be written
// ("<stem>-pending.txt"). A damaged database set aside keeps the database's name at its start
// ("<file>.damaged-…"), so every name that starts with the database's belongs to the record.
class RecordFiles
{
public:
    explicit RecordFiles(std::filesystem::path database);

    const std::filesystem::path& database() const { return m_database; }
    std::filesystem::path writeAheadLog() const;
    std::filesystem::path sharedMemory() const;
    std::filesystem::path problems() const;
    std::filesystem::path pending() const;

    // True when path is one of the record's files, or comes to one by a symbolic link (of the
    // file or of a folder on its way), by "..", or as another name (a hard link) of the same file.
    // Names are compared without letter case, as Windows does.
    bool holds(const std::filesystem::path& path) const;

private:
    // The database with its folder's links resolved, and the file it leads to if it is a link.
    std::vector<std::filesystem::path> databaseForms() const;
    static bool namedLikeOne(
        const std::filesystem::path& resolved, const std::vector<std::filesystem::path>& databases);

    std::filesystem::path m_database;
};
