#include "record/RecordStore.h"

#include "common/Utf8Text.h"
#include "data/PathText.h"
#include "record/RecordProblems.h"

#include "OtherProgram.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <iterator>
#include <limits>
#include <string>

namespace {

constexpr std::int64_t kAlways = std::numeric_limits<std::int64_t>::max();

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

Attempt answer(std::int64_t whenMs, std::u16string word, std::u16string typed)
{
    Attempt attempt;
    attempt.whenMs = whenMs;
    attempt.folder = u8"/home/sensei/えカード";
    attempt.right = word == typed;
    attempt.word = std::move(word);
    attempt.typed = std::move(typed);
    attempt.secondsToEnter = 3.25;
    attempt.kanaKeys = 4;
    attempt.backspaces = 1;
    attempt.markKeys = 2;
    attempt.keyGuardTenths = 5;
    attempt.talkingAidKeyboard = false;
    return attempt;
}

RecordError::Kind failureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const RecordError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no RecordError";
    return RecordError::Kind::Other;
}

} // namespace

// A file written by the first version of the record, made here by hand, opens with everything in
// it; a file from a newer program is refused and left as it is.
TEST(RecordStoreTest, OpensEveryEarlierVersionAndRefusesANewerOne)
{
    TempFolder folder;
    const std::filesystem::path file = folder.path() / "records.sqlite";
    {
        OtherProgram first(file);
        first.exec(R"sql(
CREATE TABLE child (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,
    last_folder TEXT NOT NULL DEFAULT '');
CREATE TABLE run (id INTEGER PRIMARY KEY,
    child_id INTEGER NOT NULL REFERENCES child(id) ON DELETE CASCADE,
    started_ms INTEGER NOT NULL, ended_ms INTEGER NOT NULL DEFAULT 0, folder TEXT NOT NULL);
CREATE INDEX run_by_child ON run(child_id, started_ms);
CREATE TABLE attempt (id INTEGER PRIMARY KEY,
    run_id INTEGER NOT NULL REFERENCES run(id) ON DELETE CASCADE,
    child_id INTEGER NOT NULL REFERENCES child(id) ON DELETE CASCADE,
    when_ms INTEGER NOT NULL, folder TEXT NOT NULL, word TEXT NOT NULL, typed TEXT NOT NULL,
    is_right INTEGER NOT NULL, first_try INTEGER NOT NULL, seconds_to_enter REAL NOT NULL,
    kana_keys INTEGER NOT NULL, backspaces INTEGER NOT NULL, mark_keys INTEGER NOT NULL,
    key_guard_tenths INTEGER NOT NULL, talking_aid INTEGER NOT NULL);
CREATE INDEX attempt_by_child ON attempt(child_id, when_ms);
CREATE INDEX attempt_by_run ON attempt(run_id);
INSERT INTO child VALUES (7, 'たろう', '/home/sensei/どうぶつ');
INSERT INTO run VALUES (3, 7, 1765000000000, 1765000600000, '/home/sensei/どうぶつ');
INSERT INTO attempt VALUES (1, 3, 7, 1765000100000, '/home/sensei/どうぶつ', 'いぬ', 'いね',
    0, 1, 4.5, 2, 1, 0, 1, 1);
INSERT INTO attempt VALUES (2, 3, 7, 1765000200000, '/home/sensei/どうぶつ', 'いぬ', 'いぬ',
    1, 0, 2.0, 2, 0, 0, 1, 1);
PRAGMA user_version = 1;
)sql");
    }

    {
        RecordStore store(file);
        EXPECT_FALSE(store.setAsideFile());
        const std::vector<Child> children = store.children();
        ASSERT_EQ(children.size(), 1u);
        EXPECT_EQ(children[0].id, 7);
        EXPECT_EQ(children[0].name, u"たろう");
        EXPECT_EQ(children[0].lastFolder, std::filesystem::path(u8"/home/sensei/どうぶつ"));

        const std::vector<Attempt> attempts = store.attempts(7, 0, kAlways);
        ASSERT_EQ(attempts.size(), 2u);
        EXPECT_EQ(attempts[0].whenMs, 1765000100000);
        EXPECT_EQ(attempts[0].word, u"いぬ");
        EXPECT_EQ(attempts[0].typed, u"いね");
        EXPECT_FALSE(attempts[0].right);
        EXPECT_TRUE(attempts[0].firstTry);
        EXPECT_DOUBLE_EQ(attempts[0].secondsToEnter, 4.5);
        EXPECT_EQ(attempts[0].backspaces, 1);
        EXPECT_EQ(attempts[0].runId, 3);
        EXPECT_TRUE(attempts[1].right);
        EXPECT_FALSE(attempts[1].firstTry);
        // The period is half open.
        EXPECT_EQ(store.attempts(7, 1765000100000, 1765000200000).size(), 1u);

        const std::vector<DrillRun> runs = store.runs(7, 0, kAlways);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].endedMs, 1765000600000);

        // It goes on being written in the current version.
        const std::int64_t run = store.beginRun(7, u8"/home/sensei/どうぶつ", 1765100000000);
        store.addAttempt(run, answer(1765100001000, u"ねこ", u"ねこ"));
        EXPECT_EQ(store.attempts(7, 0, kAlways).size(), 3u);
    }
    OtherProgram check(file);
    EXPECT_EQ(check.number("PRAGMA user_version"), RecordStore::kSchemaVersion);

    // A new file starts at the current version; a file of a later version is not touched.
    const std::filesystem::path fresh = folder.path() / "new" / "records.sqlite";
    {
        RecordStore store(fresh);
    }
    EXPECT_EQ(OtherProgram(fresh).number("PRAGMA user_version"), RecordStore::kSchemaVersion);

    const std::filesystem::path newer = folder.path() / "newer.sqlite";
    OtherProgram(newer).exec("CREATE TABLE later (x); PRAGMA user_version = 99;");
    const std::string before = readBytes(newer);
    try {
        RecordStore store(newer);
        ADD_FAILURE() << "a newer file was opened";
    } catch (const RecordError& error) {
        EXPECT_EQ(error.kind(), RecordError::Kind::Other);
        EXPECT_NE(error.teacherText().find(u"新しい版"), std::u16string::npos);
    }
    EXPECT_TRUE(readBytes(newer) == before) << "the newer file was changed";

    // A record restored from a dump: the tables without their version. Refused with a sentence
    // that says what is missing and how to mend it, and left as it is.
    const std::filesystem::path dumped = folder.path() / "dumped.sqlite";
    {
        OtherProgram restore(dumped);
        restore.exec("CREATE TABLE child (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, "
                     "last_folder TEXT NOT NULL DEFAULT '');"
                     "CREATE TABLE attempt (id INTEGER PRIMARY KEY, word TEXT);");
    }
    const std::string restored = readBytes(dumped);
    try {
        RecordStore store(dumped);
        ADD_FAILURE() << "a file without its version was opened";
    } catch (const RecordError& error) {
        EXPECT_NE(error.teacherText().find(u"PRAGMA user_version = 1;"), std::u16string::npos)
            << Utf8Text::encode(error.teacherText());
    }
    EXPECT_TRUE(readBytes(dumped) == restored);
}

TEST(RecordStoreTest, KeepsChildrenByTrimmedUniqueNamesAndRemovesTheirRecordWithThem)
{
    TempFolder folder;
    RecordStore store(folder.path() / "records.sqlite");
    const std::int64_t hanako = store.addChild(u"\u3000はなこ ");
    const std::int64_t taro = store.addChild(u"たろう");
    EXPECT_EQ(store.findChild(u"はなこ")->id, hanako);
    EXPECT_EQ(store.childById(hanako)->name, u"はなこ");
    EXPECT_EQ(failureOf([&] { store.addChild(u"はなこ\t"); }), RecordError::Kind::NameTaken);
    EXPECT_EQ(failureOf([&] { store.addChild(u" \u3000"); }), RecordError::Kind::Other);
    EXPECT_EQ(failureOf([&] { store.renameChild(taro, u"はなこ"); }), RecordError::Kind::NameTaken);
    EXPECT_EQ(
        failureOf([&] { store.renameChild(99, u"じろう"); }), RecordError::Kind::UnknownChild);
    store.renameChild(taro, u" あきら");
    store.setLastFolder(taro, "/cards");

    // Listed as a Japanese class list is read (ぱ files under は, before ばんり's ん), not by
    // code point (はなこ, ばんり, ぱく).
    const std::int64_t banri = store.addChild(u"ばんり");
    const std::int64_t paku = store.addChild(u"ぱく");
    const std::vector<Child> children = store.children();
    ASSERT_EQ(children.size(), 4u);
    EXPECT_EQ(children[0].name, u"あきら");
    EXPECT_EQ(children[0].lastFolder, "/cards");
    EXPECT_EQ(children[1].name, u"ぱく");
    EXPECT_EQ(children[2].name, u"はなこ");
    EXPECT_EQ(children[2].lastFolder, "");
    EXPECT_EQ(children[3].name, u"ばんり");
    store.removeChild(banri);
    store.removeChild(paku);

    const std::int64_t run = store.beginRun(hanako, "/cards", 1000);
    store.addAttempt(run, answer(2000, u"いぬ", u"いぬ"));
    const std::int64_t otherRun = store.beginRun(taro, "/cards", 1000);
    store.addAttempt(otherRun, answer(2000, u"ねこ", u"ね"));
    EXPECT_EQ(
        failureOf([&] { store.beginRun(99, "/cards", 1000); }), RecordError::Kind::UnknownChild);

    store.removeChild(hanako);
    EXPECT_FALSE(store.findChild(u"はなこ"));
    EXPECT_TRUE(store.attempts(hanako, 0, kAlways).empty());
    EXPECT_TRUE(store.runs(hanako, 0, kAlways).empty());
    EXPECT_EQ(failureOf([&] { store.addAttempt(run, answer(3000, u"いぬ", u"いぬ")); }),
        RecordError::Kind::UnknownChild);
    EXPECT_EQ(store.attempts(taro, 0, kAlways).size(), 1u);
}

// Locked, full, read-only, opened twice and damaged: each failure is told by its kind, and
// whatever was recorded before it is still there afterwards.
TEST(RecordStoreTest, FailuresAreToldApartAndLoseNothingRecordedBefore)
{
    TempFolder folder;
    const std::filesystem::path file = folder.path() / "records.sqlite";
    std::int64_t child = 0;
    std::int64_t run = 0;
    {
        RecordStore store(file);
        child = store.addChild(u"はなこ");
        run = store.beginRun(child, "/cards", 1000);
        for (int i = 0; i < 3; ++i)
            store.addAttempt(run, answer(2000 + i, u"いぬ", u"いぬ"));

        // The same file again in this process, by any name that leads to it, would share the
        // process's locks: refused while the first store is open.
        const std::filesystem::path roundabout = folder.path() / "sub" / ".." / "records.sqlite";
        std::filesystem::create_directories(folder.path() / "sub");
        EXPECT_EQ(failureOf([&] { RecordStore twice(roundabout); }), RecordError::Kind::Other);
        EXPECT_EQ(failureOf([&] { RecordStore twice(file, RecordStore::Access::ReadOnly); }),
            RecordError::Kind::Other);
    }

    // Another program holds a write transaction: writing waits a moment, then gives up, while
    // reading goes on.
    {
        OtherProgram other(file);
        other.exec("BEGIN IMMEDIATE");
        RecordStore store(file);
        EXPECT_EQ(failureOf([&] { store.addAttempt(run, answer(3000, u"ねこ", u"ねこ")); }),
            RecordError::Kind::Locked);
        EXPECT_EQ(store.attempts(child, 0, kAlways).size(), 3u);
        other.exec("ROLLBACK");
        store.addAttempt(run, answer(3000, u"ねこ", u"ねこ"));
    }

    // The disk is full.
    int written = 0;
    {
        OtherProgram::fillDisk(file);
        RecordStore full(file);
        RecordError::Kind kind = RecordError::Kind::Other;
        for (; written < 1000; ++written) {
            try {
                full.addAttempt(
                    run, answer(4000 + written, u"ながいことばのかーど", u"ながいことば"));
            } catch (const RecordError& error) {
                kind = error.kind();
                break;
            }
        }
        OtherProgram::fillDiskEnds();
        EXPECT_EQ(kind, RecordError::Kind::Full);
    }

    // Opened for reading only: it reads, refuses to write, and never creates a missing file.
    {
        RecordStore reader(file, RecordStore::Access::ReadOnly);
        EXPECT_EQ(reader.attempts(child, 0, kAlways).size(), 4u + written);
        EXPECT_EQ(failureOf([&] { reader.addAttempt(run, answer(5000, u"いぬ", u"いぬ")); }),
            RecordError::Kind::ReadOnly);
        EXPECT_EQ(reader.attempts(child, 0, kAlways).size(), 4u + written);
        const std::filesystem::path missing = folder.path() / "missing.sqlite";
        EXPECT_EQ(failureOf([&] { RecordStore none(missing, RecordStore::Access::ReadOnly); }),
            RecordError::Kind::ReadOnly);
        EXPECT_FALSE(std::filesystem::exists(missing));
    }

    // A damaged file is kept under a new name, byte for byte, and a new record starts; a second
    // damaged file in the same minute gets a name of its own.
    const std::filesystem::path damagedFile = folder.path() / "damaged" / "records.sqlite";
    std::filesystem::create_directories(damagedFile.parent_path());
    const std::string garbage(8192, 'x');
    std::optional<std::filesystem::path> firstAside;
    for (int round = 0; round < 2; ++round) {
        writeBytes(damagedFile, garbage + std::to_string(round));
        RecordStore restarted(damagedFile);
        ASSERT_TRUE(restarted.setAsideFile());
        const std::filesystem::path aside = *restarted.setAsideFile();
        EXPECT_EQ(aside.parent_path(), damagedFile.parent_path());
        EXPECT_EQ(aside.filename().string().rfind("records.sqlite.damaged-", 0), 0u)
            << aside.filename();
        EXPECT_TRUE(readBytes(aside) == garbage + std::to_string(round));
        EXPECT_TRUE(restarted.children().empty());
        const std::int64_t again = restarted.addChild(u"はなこ");
        restarted.addAttempt(restarted.beginRun(again, "/cards", 1), answer(2, u"いぬ", u"いぬ"));
        EXPECT_EQ(restarted.attempts(again, 0, kAlways).size(), 1u);
        if (firstAside) {
            EXPECT_NE(aside, *firstAside);
            EXPECT_TRUE(readBytes(*firstAside) == garbage + "0");
        }
        firstAside = aside;
    }
    // Whoever opened it, the teacher hears of each, with the name of the file kept.
    const std::vector<std::u16string> notes = RecordProblems(damagedFile).read();
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_NE(notes[1].find(Utf8Text::decodeReplacing(PathText::utf8(*firstAside))),
        std::u16string::npos);
}
