#pragma once

#include "record/OpenRecordGuard.h"
#include "record/RecordQuery.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// One open connection to the record's SQLite file: opening (and making) it, bringing it up to
// date, setting a damaged file aside, transactions and prepared statements. The file is kept in
// SQLite's rollback-journal mode, so that it stays readable to every program while the disk is
// full; a connection is opened for a piece of work and closed after it, so that no program
// holds the file between the teacher's steps or a drill's answers.
class RecordConnection
{
public:
    // ReadOnly never creates, upgrades or sets aside anything (an export of a record that may
    // not exist, say): a missing or older file is refused as ReadOnly, a damaged one as Damaged.
    enum class Access
    {
        ReadWrite,
        ReadOnly,
    };

    // How long a call waits for another program's write to end before it gives up as Locked: a
    // drill's writer tries again on its own thread, and the teacher's window must not freeze.
    static constexpr int kBusyTimeoutMs = 250;

    // Opens the file, creating it (and its folder) when missing. A damaged file is renamed to a
    // new name beside it, never deleted, a new empty record is started, and the teacher is told
    // in the record's problem notes: setAsideFile() then names where the old one went.
    RecordConnection(std::filesystem::path file, Access access);
    ~RecordConnection();
    RecordConnection(const RecordConnection&) = delete;
    RecordConnection& operator=(const RecordConnection&) = delete;

    const std::filesystem::path& file() const { return m_file; }
    Access access() const { return m_access; }
    const std::optional<std::filesystem::path>& setAsideFile() const { return m_setAside; }

    // Runs body as one transaction (BEGIN IMMEDIATE when it writes); on a failure rolls back,
    // and on a damaged file sets it aside and starts afresh before the error goes on.
    void transaction(bool write, const std::function<void()>& body);
    void exec(const char* sql);
    // Prepared once per connection; sql must be a string literal (it is the cache's key).
    RecordQuery query(const char* sql);
    std::int64_t lastInsertId() const;
    int changes() const;

    // The sentence that tells the teacher a damaged record was kept under another name.
    static std::u16string SetAsideText(const std::filesystem::path& kept);

private:
    void open();
    void close() noexcept;
    void setAside();
    sqlite3_stmt* statement(const char* sql);
    [[noreturn]] void fail(int code, const char* doing) const;

    std::filesystem::path m_file;
    Access m_access;
    OpenRecordGuard m_guard;
    std::optional<std::filesystem::path> m_setAside;
    sqlite3* m_db = nullptr;
    std::unordered_map<const char*, sqlite3_stmt*> m_statements;
};
