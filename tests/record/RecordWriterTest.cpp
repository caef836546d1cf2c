#include "record/RecordWriter.h"

#include "record/PendingAnswers.h"
#include "record/RecordProblems.h"
#include "record/RecordStore.h"

#include "OtherProgram.h"
#include "TempFolder.h"

#include "common/Utf8Text.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>

namespace {

constexpr std::int64_t kAlways = std::numeric_limits<std::int64_t>::max();

bool anyContains(const std::vector<std::u16string>& lines, std::u16string_view part)
{
    for (const std::u16string& line : lines) {
        if (line.find(part) != std::u16string::npos)
            return true;
    }
    return false;
}

std::string joined(const std::vector<std::u16string>& lines)
{
    std::string text;
    for (const std::u16string& line : lines)
        text += Utf8Text::encode(line) + "\n";
    return text;
}

Attempt answer(std::int64_t whenMs, std::u16string typed)
{
    Attempt attempt;
    attempt.whenMs = whenMs;
    attempt.folder = "/cards";
    attempt.word = u"いぬ";
    attempt.right = typed == attempt.word;
    attempt.typed = std::move(typed);
    attempt.discardedKeys = 1;
    return attempt;
}

// What stands between a drill and the record while it runs, and its taking away.
struct Obstacle
{
    const char* name;
    std::function<void(const std::filesystem::path& file)> put;
    std::function<void()> remove;
    const char16_t* reason; // as the teacher is told it
};

} // namespace

// A drill answers while the record cannot take its answers for a long while: none is lost. They
// wait in the pending file (safe from a killed drill from then on), the teacher is told how
// many and why, and the first opening of the record once it is free takes them in, into the
// same run, exactly once.
TEST(RecordWriterTest, AnAnswerTheRecordRefusesWaitsBesideItAndIsTakenInOnce)
{
    std::unique_ptr<OtherProgram> holder;
    const Obstacle obstacles[] = {
        { "held by another program",
            [&](const std::filesystem::path& file) {
                holder = std::make_unique<OtherProgram>(file);
                holder->exec("BEGIN IMMEDIATE");
            },
            [&] {
                holder->exec("ROLLBACK");
                holder.reset();
            },
            u"ほかのプログラム" },
        { "a full disk",
            [&](const std::filesystem::path& file) {
                // Another child's answers fill every page of the record's tables and indexes
                // to the last byte, and the file may not grow.
                OtherProgram(file).exec("INSERT INTO child (id, name) VALUES (99, 'padding');"
                                        "INSERT INTO run VALUES (99, 99, 1, 2, '/');");
                OtherProgram::fillDisk(file);
                sqlite3* filler = nullptr;
                sqlite3_open(file.string().c_str(), &filler);
                for (int size : { 1000, 250, 60, 15, 4, 1, 0 }) {
                    const std::string padding = "INSERT INTO attempt (run_id, child_id, when_ms, "
                                                "folder, word, typed, is_right, first_try, "
                                                "seconds_to_enter, kana_keys, backspaces, "
                                                "mark_keys, key_guard_tenths, talking_aid) "
                                                "VALUES (99, 99, 1, '', hex(zeroblob("
                        + std::to_string(size) + ")), '', 0, 0, 0, 0, 0, 0, 0, 0)";
                    while (sqlite3_exec(filler, padding.c_str(), nullptr, nullptr, nullptr)
                        == SQLITE_OK) { }
                }
                sqlite3_close(filler);
            },
            [&] { OtherProgram::fillDiskEnds(); }, u"ディスクがいっぱい" },
        { "a record from a newer tapomi, put back later",
            [&](const std::filesystem::path& file) {
                OtherProgram(file).exec("PRAGMA user_version = 99");
            },
            [] {}, u"新しい版" },
    };
    for (const Obstacle& obstacle : obstacles) {
        SCOPED_TRACE(obstacle.name);
        const TempFolder folder;
        const std::filesystem::path file = folder / "records.sqlite";
        std::int64_t child = 0;
        {
            RecordStore store(file);
            child = store.addChild(u"はなこ");
            store.addChild(u"たろう");
        }
        obstacle.put(file);

        RecordWriter::Options soon;
        soon.firstRetryAfter = std::chrono::milliseconds(1);
        soon.pendingAfter = std::chrono::milliseconds(0);
        RecordWriter writer(file, soon);
        writer.beginRun(child, u"はなこ", "/cards", 1000);
        writer.addAttempt(answer(2000, u"いね"));
        writer.addAttempt(answer(3000, u"いぬ"));
        writer.flush();
        EXPECT_TRUE(PendingAnswers(file).waiting()) << "kept before the drill ends";
        writer.addAttempt(answer(4000, u"いぬ"));
        writer.endRun(5000);
        EXPECT_TRUE(writer.finish(std::chrono::milliseconds(0)));
        const std::vector<std::u16string> told = RecordProblems(file).read();
        EXPECT_TRUE(anyContains(told, obstacle.reason)) << joined(told);
        EXPECT_TRUE(anyContains(told, u"その答え3件を「records-pending.txt」に残しました"))
            << joined(told);
        RecordProblems(file).take();

        // As if an earlier taking-in had been cut short after its commit: every line twice.
        {
            std::ifstream in(PendingAnswers(file).file(), std::ios::binary);
            const std::string waiting { std::istreambuf_iterator<char>(in), {} };
            std::ofstream(PendingAnswers(file).file(), std::ios::binary | std::ios::app) << waiting;
        }
        if (std::string(obstacle.name).starts_with("a record from a newer"))
            OtherProgram(file).exec("PRAGMA user_version = 2");
        obstacle.remove();
        for (int opening = 0; opening < 2; ++opening) {
            RecordStore store(file);
            const std::vector<Attempt> rows = store.attempts(child, 0, kAlways);
            ASSERT_EQ(rows.size(), 3u) << "opening " << opening;
            EXPECT_EQ(rows[0].typed, u"いね");
            EXPECT_EQ(rows[0].discardedKeys, 1);
            EXPECT_EQ(rows[2].whenMs, 4000);
            const std::vector<DrillRun> runs = store.runs(child, 0, kAlways);
            ASSERT_EQ(runs.size(), 1u);
            EXPECT_EQ(runs[0].startedMs, 1000);
            EXPECT_EQ(runs[0].endedMs, 5000);
            EXPECT_EQ(rows[0].runId, runs[0].id);
        }
        EXPECT_FALSE(PendingAnswers(file).waiting());
        EXPECT_TRUE(anyContains(RecordProblems(file).read(), u"3件を、記録に取りこみました"));
    }
}

// Answers for a child who is no longer in the record (removed by the teacher while the drill
// ran, or a record begun afresh) cannot join anyone's record: said, by name, not written to
// another child who has the same number now.
TEST(RecordWriterTest, AnswersOfAChildNoLongerInTheRecordAreToldNotMisplaced)
{
    const TempFolder folder;
    const std::filesystem::path file = folder / "records.sqlite";
    std::int64_t child = 0;
    {
        RecordStore store(file);
        child = store.addChild(u"はなこ");
    }
    RecordWriter writer(file);
    writer.beginRun(child, u"はなこ", "/cards", 1000);
    writer.addAttempt(answer(2000, u"いぬ"));
    writer.flush();
    {
        // The record begun afresh: another child has はなこ's number now.
        std::filesystem::remove(file);
        RecordStore store(file);
        ASSERT_EQ(store.addChild(u"じろう"), child);
    }
    writer.addAttempt(answer(3000, u"いぬ"));
    writer.endRun(4000);
    EXPECT_TRUE(writer.finish(RecordWriter::kExitWait));
    RecordStore store(file);
    EXPECT_TRUE(store.attempts(child, 0, kAlways).empty());
    EXPECT_TRUE(store.runs(child, 0, kAlways).empty());
    EXPECT_TRUE(anyContains(
        RecordProblems(file).read(), u"「はなこ」が記録にいないため、答え1件を記録できません"));
}
