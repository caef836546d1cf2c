#include "record/RecordWriter.h"

#include "record/RecordProblems.h"
#include "record/RecordStore.h"

#include "TempFolder.h"

#include "data/PathText.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <limits>

// The drill ends while another program holds the record: the writer, which would wait a long
// while for it, gives up at once when told to finish without waiting, drops what it could not
// write, and says so to the teacher.
TEST(RecordWriterTest, EndsAtOnceWhenTheRecordIsHeldAndNotesWhatWasLost)
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

    RecordWriter::Options patient;
    patient.lockedRetryFor = std::chrono::hours(1);
    RecordWriter writer(file, patient);
    writer.beginRun(child, "/cards", 1000);
    Attempt attempt;
    attempt.whenMs = 2000;
    attempt.word = u"いぬ";
    attempt.typed = u"いぬ";
    writer.addAttempt(attempt);
    writer.endRun(3000);
    EXPECT_FALSE(writer.finish(std::chrono::milliseconds(0)));

    const std::vector<std::u16string> problems = RecordProblems(file).read();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(u"書き込めませんでした"), std::u16string::npos);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(RecordStore(file).runs(child, 0, std::numeric_limits<std::int64_t>::max()).empty());
}
