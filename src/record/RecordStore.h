#pragma once

#include "record/Attempt.h"
#include "record/RecordError.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The children and their practice records, in one SQLite database beside the teacher's working
// directory (WAL journal, schema version in PRAGMA user_version, upgraded in place from every
// earlier version). Each call is one transaction; every failure is thrown as RecordError. Two
// stores may have the same file open, in two processes, at once.
class RecordStore
{
public:
    static constexpr int kSchemaVersion = 1;
    // How long a call waits for another program's write to end before it gives up as Locked: a
    // drill's writer retries on its own thread, and a teacher's window must not freeze.
    static constexpr int kBusyTimeoutMs = 250;
    // The launcher names the child and the file to the drill through these variables; the
    // drill records only when both are set.
    static constexpr const char* kChildVariable = "TAPOMI_CHILD"; // the child's id
    static constexpr const char* kFileVariable = "TAPOMI_RECORDS";

    // Opens the file, creating it (and its folder) when missing. A damaged file is renamed to a
    // new name beside it, never deleted, and a new empty record is started: setAsideFile() then
    // names where the old one went.
    //
    // ReadOnly never creates, upgrades or sets aside anything (an export of a record that may
    // not exist, say): a missing or older file is refused as ReadOnly, a damaged one as Damaged.
    enum class Access
    {
        ReadWrite,
        ReadOnly,
    };
    explicit RecordStore(std::filesystem::path file, Access access = Access::ReadWrite);
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    const std::filesystem::path& file() const { return m_file; }
    const std::optional<std::filesystem::path>& setAsideFile() const { return m_setAside; }

    std::vector<Child> children(); // in name order
    // The child whose name is the same as this one by ChildName's rule.
    std::optional<Child> findChild(std::u16string_view name);
    std::optional<Child> childById(std::int64_t id);
    // Kept as ChildName cleans it; a name it refuses is refused, and one that is the same as
    // another child's is NameTaken.
    std::int64_t addChild(std::u16string_view name);
    void renameChild(std::int64_t id, std::u16string_view name);
    // Deletes the child and every run and attempt of theirs.
    void removeChild(std::int64_t id);
    void setLastFolder(std::int64_t id, const std::filesystem::path& folder);

    std::int64_t beginRun(
        std::int64_t childId, const std::filesystem::path& folder, std::int64_t startedMs);
    void endRun(std::int64_t runId, std::int64_t endedMs);
    void addAttempt(std::int64_t runId, const Attempt& attempt);

    // A child's attempts and runs with fromMs <= time < toMs, oldest first.
    std::vector<Attempt> attempts(std::int64_t childId, std::int64_t fromMs, std::int64_t toMs);
    std::vector<DrillRun> runs(std::int64_t childId, std::int64_t fromMs, std::int64_t toMs);

private:
    void open();
    void close() noexcept;
    void upgrade();
    void setAside();
    // Runs body as one transaction (BEGIN IMMEDIATE when it writes); on a failure rolls back,
    // and on a damaged file sets it aside and starts afresh before the error goes on.
    void transaction(bool write, const std::function<void()>& body);
    void exec(const char* sql);
    // Prepared once per connection; sql must be a string literal (it is the cache's key).
    sqlite3_stmt* statement(const char* sql);
    [[noreturn]] void fail(int code, const char* doing) const;
    std::u16string checkedName(std::u16string_view name) const;
    std::optional<Child> sameName(std::u16string_view name);
    // NameTaken when the name is another child's than the one renamed (0 for none).
    void refuseTaken(std::u16string_view name, std::int64_t renamed);

    std::filesystem::path m_file;
    Access m_access = Access::ReadWrite;
    std::optional<std::filesystem::path> m_setAside;
    sqlite3* m_db = nullptr;
    std::unordered_map<const char*, sqlite3_stmt*> m_statements;
};
