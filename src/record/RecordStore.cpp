#include "record/RecordStore.h"

#include "app/Utf8Text.h"
#include "data/PathText.h"
#include "record/ChildName.h"
#include "record/LocalDate.h"
#include "record/SqliteApi.h"

#include <sqlite3.h>

#include <array>
#include <string>
#include <system_error>

namespace {

// The schema, one step per version: step i takes a file from version i to version i + 1. A file
// of any earlier version is brought up to date by running the steps it lacks, in order, in one
// transaction; a step is never edited once released, a new version adds a step.
constexpr std::array<const char*, RecordStore::kSchemaVersion> kUpgradeSteps = {
    // 0 → 1: children, their drill runs and the judged answers.
    R"sql(
CREATE TABLE child (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL UNIQUE,
    last_folder TEXT NOT NULL DEFAULT ''
);
CREATE TABLE run (
    id INTEGER PRIMARY KEY,
    child_id INTEGER NOT NULL REFERENCES child(id) ON DELETE CASCADE,
    started_ms INTEGER NOT NULL,
    ended_ms INTEGER NOT NULL DEFAULT 0,
    folder TEXT NOT NULL
);
CREATE INDEX run_by_child ON run(child_id, started_ms);
CREATE TABLE attempt (
    id INTEGER PRIMARY KEY,
    run_id INTEGER NOT NULL REFERENCES run(id) ON DELETE CASCADE,
    child_id INTEGER NOT NULL REFERENCES child(id) ON DELETE CASCADE,
    when_ms INTEGER NOT NULL,
    folder TEXT NOT NULL,
    word TEXT NOT NULL,
    typed TEXT NOT NULL,
    is_right INTEGER NOT NULL,
    first_try INTEGER NOT NULL,
    seconds_to_enter REAL NOT NULL,
    kana_keys INTEGER NOT NULL,
    backspaces INTEGER NOT NULL,
    mark_keys INTEGER NOT NULL,
    key_guard_tenths INTEGER NOT NULL,
    talking_aid INTEGER NOT NULL
);
CREATE INDEX attempt_by_child ON attempt(child_id, when_ms);
CREATE INDEX attempt_by_run ON attempt(run_id);
)sql",
};

// Only reached once open() has found the library.
const SqliteApi& lib()
{
    return *SqliteApi::get();
}

RecordError::Kind kindOf(int code)
{
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return RecordError::Kind::Locked;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return RecordError::Kind::ReadOnly;
    case SQLITE_FULL:
        return RecordError::Kind::Full;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return RecordError::Kind::Damaged;
    default:
        return RecordError::Kind::Other;
    }
}

[[noreturn]] void raise(sqlite3* db, const std::filesystem::path& file, int code, const char* doing)
{
    std::string what = PathText::utf8(file) + ": ";
    what += db ? lib().errmsg(db) : lib().errstr(code);
    what += " (";
    what += doing;
    what += ")";
    RecordError::Kind kind = kindOf(code);
    if (code == SQLITE_CONSTRAINT_UNIQUE)
        kind = RecordError::Kind::NameTaken;
    else if (code == SQLITE_CONSTRAINT_FOREIGNKEY)
        kind = RecordError::Kind::UnknownChild;
    throw RecordError(kind, what);
}

std::string utf8(std::u16string_view text)
{
    return Utf8Text::encode(text);
}

// A path as the database keeps it, and as SQLite takes a file's name: UTF-8 on Windows, and on
// Linux the name's own bytes, which need not be UTF-8. The u8 forms of a path are exactly that
// on both.
std::string stored(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return { reinterpret_cast<const char*>(text.data()), text.size() };
}

std::filesystem::path fromStored(std::string_view text)
{
    return std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size());
}

// A prepared statement in use: bound, stepped, and reset for its next use when it goes.
class Query
{
public:
    Query(sqlite3_stmt* statement, const std::filesystem::path& file)
        : m_statement(statement)
        , m_file(file)
    { }
    ~Query()
    {
        lib().reset(m_statement);
        lib().clear_bindings(m_statement);
    }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& bind(std::int64_t value)
    {
        check(lib().bind_int64(m_statement, ++m_index, value));
        return *this;
    }
    Query& bind(double value)
    {
        check(lib().bind_double(m_statement, ++m_index, value));
        return *this;
    }
    Query& bind(const std::string& text)
    {
        check(lib().bind_text(
            m_statement, ++m_index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
        return *this;
    }
    // True while there is a row to read.
    bool step()
    {
        const int code = lib().step(m_statement);
        if (code == SQLITE_ROW)
            return true;
        if (code != SQLITE_DONE)
            raise(lib().db_handle(m_statement), m_file, code, lib().sql(m_statement));
        return false;
    }
    std::int64_t integer(int column) const { return lib().column_int64(m_statement, column); }
    double real(int column) const { return lib().column_double(m_statement, column); }
    std::string_view bytes(int column) const
    {
        const auto* text = lib().column_text(m_statement, column);
        const int size = lib().column_bytes(m_statement, column);
        return text ? std::string_view(reinterpret_cast<const char*>(text), size)
                    : std::string_view();
    }
    std::u16string text(int column) const { return Utf8Text::decodeReplacing(bytes(column)); }
    std::filesystem::path path(int column) const { return fromStored(bytes(column)); }

private:
    void check(int code)
    {
        if (code != SQLITE_OK)
            raise(lib().db_handle(m_statement), m_file, code, "bind");
    }

    sqlite3_stmt* m_statement;
    const std::filesystem::path& m_file;
    int m_index = 0;
};

// "20261209-1530" in local time: the minute a damaged file was found, for its new name.
std::string localMinuteStamp()
{
    std::string stamp;
    for (const char c : LocalDate::SystemMinute()) {
        if (c == ' ')
            stamp += '-';
        else if (c != '-' && c != ':')
            stamp += c;
    }
    return stamp;
}

} // namespace

RecordStore::RecordStore(std::filesystem::path file, Access access)
    : m_file(std::move(file))
    , m_access(access)
{
    try {
        open();
    } catch (const RecordError& error) {
        close();
        if (error.kind() != RecordError::Kind::Damaged || m_access == Access::ReadOnly)
            throw;
        setAside();
        try {
            open();
        } catch (...) {
            close();
            throw;
        }
    }
}

RecordStore::~RecordStore()
{
    close();
}

void RecordStore::open()
{
    if (!SqliteApi::get()) {
        throw RecordError(RecordError::Kind::Other, "SQLite cannot be loaded",
            u"記録に使うSQLiteが見つからないため、記録できません。");
    }
    int flags = SQLITE_OPEN_NOMUTEX;
    if (m_access == Access::ReadWrite) {
        std::error_code error;
        std::filesystem::create_directories(m_file.parent_path(), error);
        if (error) {
            throw RecordError(RecordError::Kind::ReadOnly,
                "cannot make the folder of " + PathText::utf8(m_file) + ": " + error.message());
        }
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    } else {
        flags |= SQLITE_OPEN_READONLY;
    }
    const int code = lib().open_v2(stored(m_file).c_str(), &m_db, flags, nullptr);
    if (code != SQLITE_OK)
        fail(code, "open");
    lib().extended_result_codes(m_db, 1);
    lib().busy_timeout(m_db, kBusyTimeoutMs);
    exec("PRAGMA foreign_keys = ON");

    // Read before anything is changed: a file of a newer program is left exactly as it is.
    int version = 0;
    {
        Query query(statement("PRAGMA user_version"), m_file);
        if (query.step())
            version = static_cast<int>(query.integer(0));
    }
    if (version > kSchemaVersion) {
        throw RecordError(RecordError::Kind::Other,
            PathText::utf8(m_file) + " was written by a newer tapomi (schema "
                + std::to_string(version) + ")",
            u"記録のファイルが新しい版のタポミで作られているため、使えません。");
    }
    if (m_access == Access::ReadWrite) {
        // Readers never wait for the writer, and a commit that reached the log survives the
        // process being killed; only a power cut may take the last commits (synchronous NORMAL).
        exec("PRAGMA journal_mode = WAL");
        exec("PRAGMA synchronous = NORMAL");
    }
    if (version < kSchemaVersion) {
        if (m_access == Access::ReadOnly) {
            throw RecordError(RecordError::Kind::ReadOnly,
                PathText::utf8(m_file) + " needs an upgrade but is opened read-only");
        }
        upgrade();
    }
}

void RecordStore::upgrade()
{
    transaction(true, [this] {
        // Read again under the write lock: another program may have upgraded it meanwhile.
        int version = 0;
        {
            Query query(statement("PRAGMA user_version"), m_file);
            if (query.step())
                version = static_cast<int>(query.integer(0));
        }
        for (int step = version; step < kSchemaVersion; ++step)
            exec(kUpgradeSteps[static_cast<std::size_t>(step)]);
        if (version < kSchemaVersion)
            exec(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    });
}

void RecordStore::close() noexcept
{
    for (auto& [sql, prepared] : m_statements)
        lib().finalize(prepared);
    m_statements.clear();
    if (m_db) {
        lib().close_v2(m_db);
        m_db = nullptr;
    }
}

// The damaged file and its log go under a name of their own beside it, never over another
// file, so that nothing a teacher may still want is lost; the SQLite names of the log files
// follow the new name, so the old record can still be opened by hand.
void RecordStore::setAside()
{
    // Joined as paths, not as narrow strings, which on Windows would lose a name outside the
    // ANSI code page.
    const auto withSuffix = [](std::filesystem::path path, const std::string& suffix) {
        path += suffix;
        return path;
    };
    const std::filesystem::path base = withSuffix(m_file, ".damaged-" + localMinuteStamp());
    std::filesystem::path target = base;
    for (int n = 2;
         std::filesystem::exists(target) || std::filesystem::exists(withSuffix(target, "-wal"));
         ++n)
        target = withSuffix(base, "-" + std::to_string(n));

    std::error_code error;
    std::filesystem::rename(m_file, target, error);
    if (error) {
        throw RecordError(RecordError::Kind::Damaged,
            PathText::utf8(m_file) + " is damaged and cannot be set aside: " + error.message());
    }
    for (const char* suffix : { "-wal", "-shm" }) {
        const std::filesystem::path log = withSuffix(m_file, suffix);
        std::error_code ignored;
        if (std::filesystem::exists(log, ignored))
            std::filesystem::rename(log, withSuffix(target, suffix), ignored);
    }
    m_setAside = target;
}

void RecordStore::transaction(bool write, const std::function<void()>& body)
{
    if (!m_db)
        throw RecordError(RecordError::Kind::Other, "the record is not open");
    try {
        exec(write ? "BEGIN IMMEDIATE" : "BEGIN");
        body();
        exec("COMMIT");
    } catch (const RecordError& error) {
        if (m_db && lib().get_autocommit(m_db) == 0)
            lib().exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        if (error.kind() == RecordError::Kind::Damaged && m_access == Access::ReadWrite) {
            close();
            setAside();
            open();
        }
        throw;
    }
}

void RecordStore::exec(const char* sql)
{
    char* message = nullptr;
    const int code = lib().exec(m_db, sql, nullptr, nullptr, &message);
    lib().free(message);
    if (code != SQLITE_OK)
        fail(code, sql);
}

sqlite3_stmt* RecordStore::statement(const char* sql)
{
    const auto found = m_statements.find(sql);
    if (found != m_statements.end())
        return found->second;
    sqlite3_stmt* prepared = nullptr;
    const int code = lib().prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &prepared, nullptr);
    if (code != SQLITE_OK)
        fail(code, sql);
    m_statements.emplace(sql, prepared);
    return prepared;
}

void RecordStore::fail(int code, const char* doing) const
{
    raise(m_db, m_file, code, doing);
}

std::u16string RecordStore::checkedName(std::u16string_view name) const
{
    std::u16string cleaned = ChildName::Cleaned(name);
    if (std::optional<std::u16string> refusal = ChildName::Refusal(cleaned))
        throw RecordError(RecordError::Kind::Other, "a child's name is refused", *refusal);
    return cleaned;
}

// Called inside a transaction. A class has a few dozen children: each name's key is made here
// rather than kept in the file, so that the rule can change without an upgrade.
std::optional<Child> RecordStore::sameName(std::u16string_view name)
{
    const std::u16string key = ChildName::Key(name);
    Query query(statement("SELECT id, name, last_folder FROM child ORDER BY id"), m_file);
    while (query.step()) {
        Child child { query.integer(0), query.text(1), query.path(2) };
        if (ChildName::Key(child.name) == key)
            return child;
    }
    return std::nullopt;
}

void RecordStore::refuseTaken(std::u16string_view name, std::int64_t renamed)
{
    const std::optional<Child> other = sameName(name);
    if (other && other->id != renamed) {
        throw RecordError(RecordError::Kind::NameTaken,
            "a child named like that exists: " + std::to_string(other->id),
            u"同じ名前の子どもがいます。");
    }
}

std::vector<Child> RecordStore::children()
{
    std::vector<Child> result;
    transaction(false, [&] {
        Query query(statement("SELECT id, name, last_folder FROM child ORDER BY name, id"), m_file);
        while (query.step())
            result.push_back({ query.integer(0), query.text(1), query.path(2) });
    });
    return result;
}

std::optional<Child> RecordStore::findChild(std::u16string_view name)
{
    std::optional<Child> result;
    transaction(false, [&] { result = sameName(name); });
    return result;
}

std::optional<Child> RecordStore::childById(std::int64_t id)
{
    std::optional<Child> result;
    transaction(false, [&] {
        Query query(statement("SELECT id, name, last_folder FROM child WHERE id = ?"), m_file);
        query.bind(id);
        if (query.step())
            result = Child { query.integer(0), query.text(1), query.path(2) };
    });
    return result;
}

std::int64_t RecordStore::addChild(std::u16string_view name)
{
    const std::u16string cleaned = checkedName(name);
    const std::string key = utf8(cleaned);
    std::int64_t id = 0;
    transaction(true, [&] {
        refuseTaken(cleaned, 0);
        Query query(statement("INSERT INTO child (name) VALUES (?)"), m_file);
        query.bind(key).step();
        id = lib().last_insert_rowid(m_db);
    });
    return id;
}

void RecordStore::renameChild(std::int64_t id, std::u16string_view name)
{
    const std::u16string cleaned = checkedName(name);
    const std::string key = utf8(cleaned);
    transaction(true, [&] {
        refuseTaken(cleaned, id);
        Query query(statement("UPDATE child SET name = ? WHERE id = ?"), m_file);
        query.bind(key).bind(id).step();
        if (lib().changes(m_db) == 0)
            throw RecordError(RecordError::Kind::UnknownChild, "no child " + std::to_string(id));
    });
}

void RecordStore::removeChild(std::int64_t id)
{
    transaction(true, [&] {
        Query query(statement("DELETE FROM child WHERE id = ?"), m_file);
        query.bind(id).step();
        if (lib().changes(m_db) == 0)
            throw RecordError(RecordError::Kind::UnknownChild, "no child " + std::to_string(id));
    });
}

void RecordStore::setLastFolder(std::int64_t id, const std::filesystem::path& folder)
{
    transaction(true, [&] {
        Query query(statement("UPDATE child SET last_folder = ? WHERE id = ?"), m_file);
        query.bind(stored(folder)).bind(id).step();
        if (lib().changes(m_db) == 0)
            throw RecordError(RecordError::Kind::UnknownChild, "no child " + std::to_string(id));
    });
}

std::int64_t RecordStore::beginRun(
    std::int64_t childId, const std::filesystem::path& folder, std::int64_t startedMs)
{
    std::int64_t id = 0;
    transaction(true, [&] {
        Query query(
            statement("INSERT INTO run (child_id, started_ms, folder) VALUES (?, ?, ?)"), m_file);
        query.bind(childId).bind(startedMs).bind(stored(folder)).step();
        id = lib().last_insert_rowid(m_db);
    });
    return id;
}

void RecordStore::endRun(std::int64_t runId, std::int64_t endedMs)
{
    transaction(true, [&] {
        Query query(statement("UPDATE run SET ended_ms = ? WHERE id = ?"), m_file);
        query.bind(endedMs).bind(runId).step();
        if (lib().changes(m_db) == 0)
            throw RecordError(RecordError::Kind::UnknownChild, "no run " + std::to_string(runId));
    });
}

void RecordStore::addAttempt(std::int64_t runId, const Attempt& attempt)
{
    transaction(true, [&] {
        // The child is taken from the run, so an attempt can only join a run that is there.
        Query query(statement("INSERT INTO attempt (run_id, child_id, when_ms, folder, word, "
                              "typed, is_right, first_try, seconds_to_enter, kana_keys, "
                              "backspaces, mark_keys, key_guard_tenths, talking_aid) "
                              "SELECT id, child_id, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ? "
                              "FROM run WHERE id = ?"),
            m_file);
        query.bind(attempt.whenMs)
            .bind(stored(attempt.folder))
            .bind(utf8(attempt.word))
            .bind(utf8(attempt.typed))
            .bind(std::int64_t { attempt.right })
            .bind(std::int64_t { attempt.firstTry })
            .bind(attempt.secondsToEnter)
            .bind(std::int64_t { attempt.kanaKeys })
            .bind(std::int64_t { attempt.backspaces })
            .bind(std::int64_t { attempt.markKeys })
            .bind(std::int64_t { attempt.keyGuardTenths })
            .bind(std::int64_t { attempt.talkingAidKeyboard })
            .bind(runId)
            .step();
        if (lib().changes(m_db) == 0)
            throw RecordError(RecordError::Kind::UnknownChild, "no run " + std::to_string(runId));
    });
}

std::vector<Attempt> RecordStore::attempts(
    std::int64_t childId, std::int64_t fromMs, std::int64_t toMs)
{
    std::vector<Attempt> result;
    transaction(false, [&] {
        Query query(statement("SELECT when_ms, folder, word, typed, is_right, first_try, "
                              "seconds_to_enter, kana_keys, backspaces, mark_keys, "
                              "key_guard_tenths, talking_aid, run_id FROM attempt "
                              "WHERE child_id = ? AND when_ms >= ? AND when_ms < ? "
                              "ORDER BY when_ms, id"),
            m_file);
        query.bind(childId).bind(fromMs).bind(toMs);
        // Folder names repeat from row to row: each distinct one is made into a path once.
        std::string lastFolder;
        std::filesystem::path folder;
        while (query.step()) {
            Attempt& attempt = result.emplace_back();
            attempt.whenMs = query.integer(0);
            if (query.bytes(1) != lastFolder || result.size() == 1) {
                lastFolder = query.bytes(1);
                folder = fromStored(lastFolder);
            }
            attempt.folder = folder;
            attempt.word = query.text(2);
            attempt.typed = query.text(3);
            attempt.right = query.integer(4) != 0;
            attempt.firstTry = query.integer(5) != 0;
            attempt.secondsToEnter = query.real(6);
            attempt.kanaKeys = static_cast<int>(query.integer(7));
            attempt.backspaces = static_cast<int>(query.integer(8));
            attempt.markKeys = static_cast<int>(query.integer(9));
            attempt.keyGuardTenths = static_cast<int>(query.integer(10));
            attempt.talkingAidKeyboard = query.integer(11) != 0;
            attempt.runId = query.integer(12);
        }
    });
    return result;
}

std::vector<DrillRun> RecordStore::runs(
    std::int64_t childId, std::int64_t fromMs, std::int64_t toMs)
{
    std::vector<DrillRun> result;
    transaction(false, [&] {
        Query query(statement("SELECT id, started_ms, ended_ms, folder FROM run "
                              "WHERE child_id = ? AND started_ms >= ? AND started_ms < ? "
                              "ORDER BY started_ms, id"),
            m_file);
        query.bind(childId).bind(fromMs).bind(toMs);
        while (query.step())
            result.push_back(
                { query.integer(0), query.integer(1), query.integer(2), query.path(3) });
    });
    return result;
}
