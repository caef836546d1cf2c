#include "record/SqliteApi.h"

// Windows has no system SQLite to load, so the program carries its own, linked in: the table is
// filled from it directly and is always complete.
const SqliteApi* SqliteApi::get()
{
    static const SqliteApi linked {
        sqlite3_bind_double,
        sqlite3_bind_int64,
        sqlite3_bind_text,
        sqlite3_busy_timeout,
        sqlite3_changes,
        sqlite3_clear_bindings,
        sqlite3_close_v2,
        sqlite3_column_bytes,
        sqlite3_column_double,
        sqlite3_column_int64,
        sqlite3_column_text,
        sqlite3_db_handle,
        sqlite3_errmsg,
        sqlite3_errstr,
        sqlite3_exec,
        sqlite3_extended_result_codes,
        sqlite3_finalize,
        sqlite3_free,
        sqlite3_get_autocommit,
        sqlite3_last_insert_rowid,
        sqlite3_open_v2,
        sqlite3_prepare_v3,
        sqlite3_reset,
        sqlite3_sql,
        sqlite3_step,
        sqlite3_system_errno,
    };
    return &linked;
}
