#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

struct sqlite3;

// A connection of another program to the record's file, straight through SQLite: it holds the
// file, makes old or damaged ones and checks what the store left.
class OtherProgram
{
public:
    explicit OtherProgram(const std::filesystem::path& file);
    ~OtherProgram();
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    void exec(const std::string& sql);
    // From now on every new SQLite connection of this process may not grow the file beyond the
    // pages it has now: the disk is full as far as the record can tell. Until fillDiskEnds().
    static void fillDisk(const std::filesystem::path& file);
    static void fillDiskEnds();
    // The first column of the first row, or -1 when there is none.
    std::int64_t number(const std::string& sql);

private:
    sqlite3* m_db = nullptr;
};
