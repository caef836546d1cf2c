#include "record/RecordStore.h"

#include "OtherProgram.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <limits>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// What only Linux has: file modes, and a writer killed part-way.

namespace {

constexpr std::int64_t kAlways = std::numeric_limits<std::int64_t>::max();

Attempt answer(std::int64_t whenMs, std::u16string word, std::u16string typed)
{
    Attempt attempt;
    attempt.whenMs = whenMs;
    attempt.folder = u8"/home/sensei/えカード";
    attempt.right = word == typed;
    attempt.word = std::move(word);
    attempt.typed = std::move(typed);
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

// A file the user may not write (a teacher's locked copy, another user's record).
TEST(RecordStorePosixTest, AFileThatMayNotBeWrittenIsReadOnly)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not stop root from writing";
    TempFolder folder;
    const std::filesystem::path file = folder.path() / "records.sqlite";
    std::int64_t child = 0;
    std::int64_t run = 0;
    {
        RecordStore store(file);
        child = store.addChild(u"はなこ");
        run = store.beginRun(child, "/cards", 1000);
        store.addAttempt(run, answer(2000, u"いぬ", u"いぬ"));
    }
    ::chmod(file.c_str(), 0444);
    {
        RecordStore store(file);
        EXPECT_EQ(store.attempts(child, 0, kAlways).size(), 1u);
        EXPECT_EQ(failureOf([&] { store.addAttempt(run, answer(3000, u"ねこ", u"ねこ")); }),
            RecordError::Kind::ReadOnly);
    }
    // A folder where no record can be made.
    ::chmod(folder.path().c_str(), 0555);
    EXPECT_EQ(failureOf([&] { RecordStore none(folder.path() / "other.sqlite"); }),
        RecordError::Kind::ReadOnly);
}

// A drill killed while it writes: every answer whose commit had returned is there, the file is
// whole, and at most the answer being written is missing.
TEST(RecordStorePosixTest, AKilledWriterLosesNoCommittedAnswer)
{
    TempFolder folder;
    const std::filesystem::path file = folder.path() / "records.sqlite";
    std::int64_t child = 0;
    std::int64_t run = 0;
    {
        RecordStore store(file);
        child = store.addChild(u"はなこ");
        run = store.beginRun(child, "/cards", 1000);
    }
    int acknowledgements[2];
    ASSERT_EQ(::pipe(acknowledgements), 0);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        ::close(acknowledgements[0]);
        try {
            RecordStore store(file);
            for (std::int64_t i = 0;; ++i) {
                store.addAttempt(run, answer(2000 + i, u"いぬ", u"いぬ"));
                if (::write(acknowledgements[1], &i, sizeof i) != sizeof i)
                    ::_exit(2);
            }
        } catch (...) {
            ::_exit(3);
        }
    }
    ::close(acknowledgements[1]);
    std::int64_t committed = -1;
    for (int read = 0; read < 40; ++read)
        ASSERT_EQ(::read(acknowledgements[0], &committed, sizeof committed), sizeof committed);
    ::kill(writer, SIGKILL);
    int status = 0;
    ::waitpid(writer, &status, 0);
    ::close(acknowledgements[0]);
    ASSERT_TRUE(WIFSIGNALED(status));

    OtherProgram check(file);
    EXPECT_EQ(
        check.number("SELECT count(*) FROM pragma_integrity_check WHERE integrity_check <> 'ok'"),
        0);
    RecordStore store(file);
    const std::vector<Attempt> attempts = store.attempts(child, 0, kAlways);
    ASSERT_GE(static_cast<std::int64_t>(attempts.size()), committed + 1);
    for (std::size_t i = 0; i < attempts.size(); ++i)
        EXPECT_EQ(attempts[i].whenMs, 2000 + static_cast<std::int64_t>(i));
}
