#include "OtherProgram.h"

#include "data/PathText.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

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
