#include "record/SqliteApi.h"

#include <dlfcn.h>

namespace {

template<class Function> bool bind(void* library, Function*& function, const char* name)
{
    function = reinterpret_cast<Function*>(::dlsym(library, name));
    return function != nullptr;
}

} // namespace

const SqliteApi* SqliteApi::get()
{
    // Made once, by whichever thread opens a record first; C++ makes that safe.
    static const SqliteApi* const api = []() -> const SqliteApi* {
        void* library = ::dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return nullptr;
        static SqliteApi loaded {};
        const bool complete = bind(library, loaded.bind_double, "sqlite3_bind_double")
            && bind(library, loaded.bind_int64, "sqlite3_bind_int64")
            && bind(library, loaded.bind_text, "sqlite3_bind_text")
            && bind(library, loaded.busy_timeout, "sqlite3_busy_timeout")
            && bind(library, loaded.changes, "sqlite3_changes")
            && bind(library, loaded.clear_bindings, "sqlite3_clear_bindings")
            && bind(library, loaded.close_v2, "sqlite3_close_v2")
            && bind(library, loaded.column_bytes, "sqlite3_column_bytes")
            && bind(library, loaded.column_double, "sqlite3_column_double")
            && bind(library, loaded.column_int64, "sqlite3_column_int64")
            && bind(library, loaded.column_text, "sqlite3_column_text")
            && bind(library, loaded.db_handle, "sqlite3_db_handle")
            && bind(library, loaded.errmsg, "sqlite3_errmsg")
            && bind(library, loaded.errstr, "sqlite3_errstr")
            && bind(library, loaded.exec, "sqlite3_exec")
            && bind(library, loaded.extended_result_codes, "sqlite3_extended_result_codes")
            && bind(library, loaded.finalize, "sqlite3_finalize")
            && bind(library, loaded.free, "sqlite3_free")
            && bind(library, loaded.get_autocommit, "sqlite3_get_autocommit")
            && bind(library, loaded.last_insert_rowid, "sqlite3_last_insert_rowid")
            && bind(library, loaded.open_v2, "sqlite3_open_v2")
            && bind(library, loaded.prepare_v3, "sqlite3_prepare_v3")
            && bind(library, loaded.reset, "sqlite3_reset")
            && bind(library, loaded.sql, "sqlite3_sql")
            && bind(library, loaded.step, "sqlite3_step")
            && bind(library, loaded.system_errno, "sqlite3_system_errno");
        return complete ? &loaded : nullptr;
    }();
    return api;
}
