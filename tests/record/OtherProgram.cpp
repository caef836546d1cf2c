#include "OtherProgram.h"

#include "data/PathText.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

int g_pageLimit = 0;

int limitPages(sqlite3* db, char**, const sqlite3_api_routines*)
{
    if (g_pageLimit > 0) {
        const std::string pragma = "PRAGMA max_page_count = " + std::to_string(g_pageLimit);
        sqlite3_exec(db, pragma.c_str(), nullptr, nullptr, nullptr);
    }
    return SQLITE_OK;
}

} // namespace

void OtherProgram::fillDisk(const std::filesystem::path& file)
{
    g_pageLimit = static_cast<int>(OtherProgram(file).number("PRAGMA page_count"));
    EXPECT_EQ(sqlite3_auto_extension(reinterpret_cast<void (*)()>(&limitPages)), SQLITE_OK);
}

void OtherProgram::fillDiskEnds()
{
    sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&limitPages));
    g_pageLimit = 0;
}

OtherProgram::OtherProgram(const std::filesystem::path& file)
{
    EXPECT_EQ(sqlite3_open(PathText::utf8(file).c_str(), &m_db), SQLITE_OK);
}

OtherProgram::~OtherProgram()
{
    sqlite3_close(m_db);
}

void OtherProgram::exec(const std::string& sql)
{
    char* message = nullptr;
    const int code = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message);
    EXPECT_EQ(code, SQLITE_OK) << sql << ": " << (message ? message : "");
    sqlite3_free(message);
}

std::int64_t OtherProgram::number(const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr), SQLITE_OK);
    std::int64_t value = -1;
    if (sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
}
