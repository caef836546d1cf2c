#include "record/RecordConnection.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/LocalDate.h"
#include "record/RecordError.h"
#include "record/RecordProblems.h"
#include "record/RecordSchema.h"
#include "record/SqliteApi.h"

#include <string>
#include <system_error>

namespace {

// Only reached once open() has found the library.
const SqliteApi& lib()
{
    return *SqliteApi::get();
}

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

// Joined as paths, not as narrow strings, which on Windows would lose a name outside the ANSI
// code page.
std::filesystem::path withSuffix(std::filesystem::path path, const std::string& suffix)
{
    path += suffix;
    return path;
}

} // namespace

RecordConnection::RecordConnection(std::filesystem::path file, Access access)
    : m_file(std::move(file))
    , m_access(access)
    , m_guard(m_file)
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

RecordConnection::~RecordConnection()
{
    close();
}

void RecordConnection::open()
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
    const int code = lib().open_v2(RecordQuery::Stored(m_file).c_str(), &m_db, flags, nullptr);
    if (code != SQLITE_OK)
        fail(code, "open");
    lib().extended_result_codes(m_db, 1);
    lib().busy_timeout(m_db, kBusyTimeoutMs);
    exec("PRAGMA foreign_keys = ON");

    // Read before anything is changed: a file of a newer program is left exactly as it is.
    const int version = RecordSchema::CheckedVersion(*this);
    if (m_access == Access::ReadWrite) {
        // A write-ahead log needs its shared-memory file before anyone may even read, which a
        // full disk refuses: the rollback journal keeps the record readable then. A file an
        // earlier tapomi left in WAL mode is brought back; while another program has it open it
        // stays as it is for now. Each commit is synced whole (synchronous FULL, the default).
        try {
            exec("PRAGMA journal_mode = DELETE");
        } catch (const RecordError& error) {
            if (error.kind() != RecordError::Kind::Locked)
                throw;
        }
    }
    if (version < RecordSchema::kVersion) {
        if (m_access == Access::ReadOnly) {
            throw RecordError(RecordError::Kind::ReadOnly,
                PathText::utf8(m_file) + " needs an upgrade but is opened read-only");
        }
        RecordSchema::Upgrade(*this);
    }
}

void RecordConnection::close() noexcept
{
    for (auto& [sql, prepared] : m_statements)
        lib().finalize(prepared);
    m_statements.clear();
    if (m_db) {
        lib().close_v2(m_db);
        m_db = nullptr;
    }
}

// The damaged file and its journals go under a name of their own beside it, never over another
// file, so that nothing a teacher may still want is lost; the SQLite names of the journals
// follow the new name, so the old record can still be opened by hand.
void RecordConnection::setAside()
{
    const std::filesystem::path base = withSuffix(m_file, ".damaged-" + localMinuteStamp());
    std::filesystem::path target = base;
    for (int n = 2;
         std::filesystem::exists(target) || std::filesystem::exists(withSuffix(target, "-wal"));
         ++n)
        target = withSuffix(base, std::string(1, '-').append(std::to_string(n)));

    std::error_code error;
    std::filesystem::rename(m_file, target, error);
    if (error) {
        throw RecordError(RecordError::Kind::Damaged,
            PathText::utf8(m_file) + " is damaged and cannot be set aside: " + error.message());
    }
    for (const char* suffix : { "-wal", "-shm", "-journal" }) {
        const std::filesystem::path log = withSuffix(m_file, suffix);
        std::error_code ignored;
        if (std::filesystem::exists(log, ignored))
            std::filesystem::rename(log, withSuffix(target, suffix), ignored);
    }
    m_setAside = target;
    // Whoever opened the record, a drill, the teacher's window or a command, the teacher hears of
    // it where every problem of the record is told.
    RecordProblems(m_file).append(SetAsideText(target));
}

std::u16string RecordConnection::SetAsideText(const std::filesystem::path& kept)
{
    return u"記録のファイルがこわれていたため、消さずに別の名前で残して、新しい記録をはじめま"
           u"した。残したファイル："
        + Utf8Text::decodeReplacing(PathText::utf8(kept));
}

void RecordConnection::transaction(bool write, const std::function<void()>& body)
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

void RecordConnection::exec(const char* sql)
{
    char* message = nullptr;
    const int code = lib().exec(m_db, sql, nullptr, nullptr, &message);
    lib().free(message);
    if (code != SQLITE_OK)
        fail(code, sql);
}

RecordQuery RecordConnection::query(const char* sql)
{
    return RecordQuery(statement(sql), m_file);
}

sqlite3_stmt* RecordConnection::statement(const char* sql)
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

std::int64_t RecordConnection::lastInsertId() const
{
    return lib().last_insert_rowid(m_db);
}

int RecordConnection::changes() const
{
    return lib().changes(m_db);
}

void RecordConnection::fail(int code, const char* doing) const
{
    RecordQuery::Raise(m_db, m_file, code, doing);
}
