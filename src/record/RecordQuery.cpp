#include "record/RecordQuery.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/RecordError.h"
#include "record/SqliteApi.h"

#include <cerrno>

namespace {

// Only reached once the connection has found the library.
const SqliteApi& lib()
{
    return *SqliteApi::get();
}

RecordError::Kind kindOf(sqlite3* db, int code)
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
    case SQLITE_IOERR:
        // A write that found the disk full comes back as an I/O error of its own kind (growing
        // a journal, say); the system's error says which.
        if (db && lib().system_errno(db) == ENOSPC)
            return RecordError::Kind::Full;
        return RecordError::Kind::Other;
    default:
        return RecordError::Kind::Other;
    }
}

} // namespace

RecordQuery::RecordQuery(sqlite3_stmt* statement, const std::filesystem::path& file)
    : m_statement(statement)
    , m_file(file)
{ }

RecordQuery::~RecordQuery()
{
    lib().reset(m_statement);
    lib().clear_bindings(m_statement);
}

RecordQuery& RecordQuery::bind(std::int64_t value)
{
    check(lib().bind_int64(m_statement, ++m_index, value));
    return *this;
}

RecordQuery& RecordQuery::bind(double value)
{
    check(lib().bind_double(m_statement, ++m_index, value));
    return *this;
}

RecordQuery& RecordQuery::bindUtf8(std::string_view text)
{
    check(lib().bind_text(
        m_statement, ++m_index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
    return *this;
}

RecordQuery& RecordQuery::bindText(std::u16string_view text)
{
    return bindUtf8(Utf8Text::encode(text));
}

RecordQuery& RecordQuery::bindPath(const std::filesystem::path& path)
{
    return bindUtf8(Stored(path));
}

bool RecordQuery::step()
{
    const int code = lib().step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE)
        Raise(lib().db_handle(m_statement), m_file, code, lib().sql(m_statement));
    return false;
}

std::int64_t RecordQuery::integer(int column) const
{
    return lib().column_int64(m_statement, column);
}

double RecordQuery::real(int column) const
{
    return lib().column_double(m_statement, column);
}

std::string_view RecordQuery::bytes(int column) const
{
    const auto* text = lib().column_text(m_statement, column);
    // SQLite never gives a negative length.
    const auto size = static_cast<std::size_t>(lib().column_bytes(m_statement, column));
    return text ? std::string_view(reinterpret_cast<const char*>(text), size) : std::string_view();
}

std::u16string RecordQuery::text(int column) const
{
    return Utf8Text::decodeReplacing(bytes(column));
}

std::filesystem::path RecordQuery::path(int column) const
{
    return FromStored(bytes(column));
}

std::string RecordQuery::Stored(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return { reinterpret_cast<const char*>(text.data()), text.size() };
}

std::filesystem::path RecordQuery::FromStored(std::string_view text)
{
    return std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size());
}

void RecordQuery::Raise(sqlite3* db, const std::filesystem::path& file, int code, const char* doing)
{
    std::string what = PathText::utf8(file) + ": ";
    what += db ? lib().errmsg(db) : lib().errstr(code);
    what += " (";
    what += doing;
    what += ")";
    RecordError::Kind kind = kindOf(db, code);
    if (code == SQLITE_CONSTRAINT_UNIQUE)
        kind = RecordError::Kind::NameTaken;
    else if (code == SQLITE_CONSTRAINT_FOREIGNKEY)
        kind = RecordError::Kind::UnknownChild;
    throw RecordError(kind, what);
}

void RecordQuery::check(int code)
{
    if (code != SQLITE_OK)
        Raise(lib().db_handle(m_statement), m_file, code, "bind");
}
