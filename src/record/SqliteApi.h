#pragma once

#include <sqlite3.h>

// The part of SQLite the record uses. On Linux the system's library is loaded the first time a
// record is opened, not when the program starts: a drill started without a child never maps it,
// and its start-up stays as it was. Once loaded it stays for the rest of the run.
struct SqliteApi
{
    decltype(&sqlite3_bind_double) bind_double;
    decltype(&sqlite3_bind_int64) bind_int64;
    decltype(&sqlite3_bind_text) bind_text;
    decltype(&sqlite3_busy_timeout) busy_timeout;
    decltype(&sqlite3_changes) changes;
    decltype(&sqlite3_clear_bindings) clear_bindings;
    decltype(&sqlite3_close_v2) close_v2;
    decltype(&sqlite3_column_bytes) column_bytes;
    decltype(&sqlite3_column_double) column_double;
    decltype(&sqlite3_column_int64) column_int64;
    decltype(&sqlite3_column_text) column_text;
    decltype(&sqlite3_db_handle) db_handle;
    decltype(&sqlite3_errmsg) errmsg;
    decltype(&sqlite3_errstr) errstr;
    decltype(&sqlite3_exec) exec;
    decltype(&sqlite3_extended_result_codes) extended_result_codes;
    decltype(&sqlite3_finalize) finalize;
    decltype(&sqlite3_free) free;
    decltype(&sqlite3_get_autocommit) get_autocommit;
    decltype(&sqlite3_last_insert_rowid) last_insert_rowid;
    decltype(&sqlite3_open_v2) open_v2;
    decltype(&sqlite3_prepare_v3) prepare_v3;
    decltype(&sqlite3_reset) reset;
    decltype(&sqlite3_sql) sql;
    decltype(&sqlite3_step) step;
    decltype(&sqlite3_system_errno) system_errno;

    // Null when SQLite cannot be loaded (or lacks a function the record needs); never null where
    // the program carries SQLite inside (Windows).
    static const SqliteApi* get();
};
