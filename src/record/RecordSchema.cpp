#include "record/RecordSchema.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/RecordConnection.h"
#include "record/RecordError.h"

#include <array>
#include <string>

namespace {

// Step i takes a file from version i to version i + 1. A step is never edited once released; a
// new version adds a step.
constexpr std::array<const char*, RecordSchema::kVersion> kUpgradeSteps = {
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
    // 1 → 2: the keys the drill did not take while the card was up (during the prompt or the
    // key guard), which can make a first try look shorter than the child typed it; and each
    // answer's place in its run (0 for the answers of version 1), so that an answer written
    // late is never written twice.
    R"sql(
ALTER TABLE attempt ADD COLUMN discarded_keys INTEGER NOT NULL DEFAULT 0;
ALTER TABLE attempt ADD COLUMN run_answer INTEGER NOT NULL DEFAULT 0;
)sql",
};

int userVersion(RecordConnection& connection)
{
    RecordQuery query = connection.query("PRAGMA user_version");
    return query.step() ? static_cast<int>(query.integer(0)) : 0;
}

std::u16string number(int value)
{
    return Utf8Text::decodeReplacing(std::to_string(value));
}

// The version whose tables a file without a version has, judged by the columns the steps add.
int versionOfTables(RecordConnection& connection)
{
    RecordQuery query = connection.query("SELECT count(*) FROM pragma_table_info('attempt') "
                                         "WHERE name = 'discarded_keys'");
    return query.step() && query.integer(0) > 0 ? 2 : 1;
}

} // namespace

int RecordSchema::CheckedVersion(RecordConnection& connection)
{
    const int version = userVersion(connection);
    if (version > kVersion) {
        throw RecordError(RecordError::Kind::Other,
            PathText::utf8(connection.file()) + " was written by a newer tapomi (schema "
                + std::to_string(version) + ")",
            u"記録のファイルが新しい版のタポミで作られているため、使えません。");
    }
    if (version == 0) {
        RecordQuery tables = connection.query(
            "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'child'");
        if (tables.step() && tables.integer(0) > 0) {
            const int guess = versionOfTables(connection);
            throw RecordError(RecordError::Kind::Other,
                PathText::utf8(connection.file()) + " has the record's tables but no version",
                u"記録のファイルに表はありますが、版の番号（user_version）がありません。"
                u".dump から戻したファイルなら、sqlite3 でそのファイルを開いて「PRAGMA "
                u"user_version = "
                    + number(guess) + u";」を実行してから、もう一度開いてください。");
        }
    }
    return version;
}

void RecordSchema::Upgrade(RecordConnection& connection)
{
    connection.transaction(true, [&connection] {
        // Read again under the write lock: another program may have upgraded it meanwhile.
        const int version = CheckedVersion(connection);
        for (int step = version; step < kVersion; ++step)
            connection.exec(kUpgradeSteps[static_cast<std::size_t>(step)]);
        if (version < kVersion)
            connection.exec(("PRAGMA user_version = " + std::to_string(kVersion)).c_str());
    });
}
