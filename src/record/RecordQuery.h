#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A prepared statement of the record in use: bound, stepped, read, and reset for its next use
// when it goes. Every failure is thrown as RecordError, with the kind the teacher is told.
class RecordQuery
{
public:
    RecordQuery(sqlite3_stmt* statement, const std::filesystem::path& file);
    ~RecordQuery();
    RecordQuery(const RecordQuery&) = delete;
    RecordQuery& operator=(const RecordQuery&) = delete;

    RecordQuery& bind(std::int64_t value);
    RecordQuery& bind(double value);
    RecordQuery& bindUtf8(std::string_view text);
    RecordQuery& bindText(std::u16string_view text); // kept as UTF-8
    RecordQuery& bindPath(const std::filesystem::path& path);
    // True while there is a row to read.
    bool step();

    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string_view bytes(int column) const;
    std::u16string text(int column) const;
    std::filesystem::path path(int column) const;

    // A path as the record keeps it, and as SQLite takes a file's name: UTF-8 on Windows, and on
    // Linux the name's own bytes, which need not be UTF-8. The u8 forms of a path are exactly
    // that on both.
    static std::string Stored(const std::filesystem::path& path);
    static std::filesystem::path FromStored(std::string_view text);
    // Throws the RecordError that a SQLite result code stands for; db may be null.
    [[noreturn]] static void Raise(
        sqlite3* db, const std::filesystem::path& file, int code, const char* doing);

private:
    void check(int code);

    sqlite3_stmt* m_statement;
    const std::filesystem::path& m_file;
    int m_index = 0;
};
