#include "record/RecordWriter.h"

#include "record/RecordProblems.h"
#include "record/RecordStore.h"

#include "TempFolder.h"

#include "data/PathText.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <limits>

// The drill ends while another program holds the record: the writer gives up on the record at
// once when told to finish without waiting, keeps the answer in the pending file and tells the
// teacher; the next opening after the record is free takes it in.
TEST(RecordWriterTest, EndsAtOnceWhenTheRecordIsHeldAndKeepsTheAnswerForLater)
{
    const TempFolder folder;
    const std::filesystem::path file = folder / "records.sqlite";
    std::int64_t child = 0;
    {
        RecordStore store(file);
        child = store.addChild(u"はなこ");
    }
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(PathText::utf8(file).c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    RecordWriter writer(file);
    writer.beginRun(child, u"はなこ", "/cards", 1000);
    Attempt attempt;
    attempt.whenMs = 2000;
    attempt.word = u"いぬ";
    attempt.typed = u"いぬ";
    writer.addAttempt(attempt);
    writer.endRun(3000);
    EXPECT_TRUE(writer.finish(std::chrono::milliseconds(0)));

    const std::vector<std::u16string> problems = RecordProblems(file).read();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(
        problems[0].find(u"答え1件を「records-pending.txt」に残しました"), std::u16string::npos);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    RecordStore store(file);
    const std::vector<DrillRun> runs
        = store.runs(child, 0, std::numeric_limits<std::int64_t>::max());
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].endedMs, 3000);
    EXPECT_EQ(store.attempts(child, 0, std::numeric_limits<std::int64_t>::max()).size(), 1u);
}
