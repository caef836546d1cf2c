#include "record/ChildRecorder.h"

#include "DrillHarness.h"
#include "TempFolder.h"

#include "record/RecordClock.h"
#include "record/RecordProblems.h"
#include "record/RecordStore.h"
#include "record/RecordWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>

namespace {

constexpr std::int64_t kAlways = std::numeric_limits<std::int64_t>::max();
// 2026-12-09 10:00 in Japan.
constexpr std::int64_t kMorning = 1796778000000;

// Time stands still until the test moves it.
class FakeClock final : public RecordClock
{
public:
    std::int64_t unixMilliseconds() override { return unixMs; }
    std::int64_t steadyMilliseconds() override { return steadyMs; }

    // Both clocks on by the same amount.
    void advance(std::int64_t milliseconds)
    {
        unixMs += milliseconds;
        steadyMs += milliseconds;
    }

    std::int64_t unixMs = kMorning;
    std::int64_t steadyMs = 50'000;
};

class ChildRecorderTest : public ::testing::Test, protected DrillHarness
{
protected:
    ChildRecorderTest()
    {
        file = m_folder / "records.sqlite";
        data.pictures = { u"いぬ.jpg", u"ねこ.gif" };
        data.settings.ShowSetupPicture = kFalse;
        data.settings.KeyGuardTenths = 3;
        data.settings.TalkingAidKeyboard = kTrue;
    }
    void start()
    {
        ASSERT_TRUE(session.Form_Load());
        session.Form_Activate();
    }

    std::filesystem::path file;
    FakeClock clock;

private:
    TempFolder m_folder;
};

} // namespace

// A wrong answer, the same card again answered right, the next card left unanswered, Esc: two
// rows with what the child did, and the run from its start to Esc.
TEST_F(ChildRecorderTest, EachJudgedEnterBecomesARowOfTheChildsRecord)
{
    std::int64_t child = 0;
    {
        RecordStore store(file);
        store.addChild(u"たろう");
        child = store.addChild(u"はなこ");
    }
    RecordWriter writer(file);
    ChildRecorder recorder(writer, clock, program.settings, child, u"はなこ", "/cards");
    session.setRecord(&recorder);

    start();
    ASSERT_EQ(state().CurrentWord, u"いぬ");
    type("e"); // while the prompt is spoken: dropped, counted as such
    clock.advance(1'500);
    speech.finish();
    // い, か, the voiced mark on it (が), Backspace, が again: "いが".
    type("et@\bt@");
    clock.advance(4'250);
    press(13);
    endKeyGuard();
    ASSERT_EQ(view.caption(Widget::Label3), u"Ｘ");

    // The request to try again is heard: that is no prompt, the time runs on until the card's
    // own prompt has been spoken again.
    clock.advance(3'000);
    speech.finish();
    session.Timer1_Timer();
    ASSERT_EQ(state().CurrentWord, u"いぬ");
    clock.advance(2'000);
    speech.finish();
    // The teacher shortens the key guard meanwhile; the answer carries the setting it was made
    // with.
    program.settings.KeyGuardTenths = 2;
    type("e1");
    clock.advance(2'000);
    press(13);
    endKeyGuard();
    ASSERT_EQ(view.caption(Widget::Label3), u"○");

    clock.advance(1'000);
    speech.finish();
    session.Timer1_Timer();
    ASSERT_EQ(state().CurrentWord, u"ねこ");
    speech.finish();
    type(",");
    clock.advance(10'000);
    press(27);
    EXPECT_TRUE(view.ended);
    writer.flush();

    RecordStore store(file);
    const std::vector<Attempt> rows = store.attempts(child, 0, kAlways);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].whenMs, kMorning + 1'500 + 4'250);
    EXPECT_EQ(rows[0].folder, "/cards");
    EXPECT_EQ(rows[0].word, u"いぬ");
    EXPECT_EQ(rows[0].typed, u"いが");
    EXPECT_FALSE(rows[0].right);
    EXPECT_TRUE(rows[0].firstTry);
    EXPECT_DOUBLE_EQ(rows[0].secondsToEnter, 4.25);
    EXPECT_EQ(rows[0].kanaKeys, 3);
    EXPECT_EQ(rows[0].backspaces, 1);
    EXPECT_EQ(rows[0].markKeys, 2);
    EXPECT_EQ(rows[0].keyGuardTenths, 3);
    EXPECT_TRUE(rows[0].talkingAidKeyboard);
    EXPECT_EQ(rows[0].discardedKeys, 1);

    EXPECT_EQ(rows[1].whenMs, kMorning + 1'500 + 4'250 + 3'000 + 2'000 + 2'000);
    EXPECT_EQ(rows[1].typed, u"いぬ");
    EXPECT_TRUE(rows[1].right);
    EXPECT_FALSE(rows[1].firstTry);
    EXPECT_DOUBLE_EQ(rows[1].secondsToEnter, 2.0);
    EXPECT_EQ(rows[1].kanaKeys, 2);
    EXPECT_EQ(rows[1].backspaces, 0);
    EXPECT_EQ(rows[1].markKeys, 0);
    EXPECT_EQ(rows[1].keyGuardTenths, 2);
    EXPECT_EQ(rows[1].discardedKeys, 0);

    const std::vector<DrillRun> runs = store.runs(child, 0, kAlways);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].startedMs, kMorning);
    EXPECT_EQ(runs[0].endedMs, kMorning + 1'500 + 4'250 + 3'000 + 2'000 + 2'000 + 1'000 + 10'000);
    EXPECT_EQ(runs[0].folder, "/cards");
    EXPECT_EQ(rows[0].runId, runs[0].id);
    EXPECT_TRUE(RecordProblems(file).read().empty());
}

// The record's file turns out damaged when the drill starts: it is set aside, the drill goes on
// as if nothing happened, and the teacher finds both the damage and the lost answers noted.
TEST_F(ChildRecorderTest, ARecordThatCannotBeWrittenLeavesTheDrillAsItWasAndIsNoted)
{
    std::ofstream(file, std::ios::binary) << std::string(4096, 'x');
    RecordWriter writer(file);
    ChildRecorder recorder(writer, clock, program.settings, 1, u"はなこ", "/cards");
    session.setRecord(&recorder);

    start();
    speech.finish();
    type("e1");
    press(13);
    endKeyGuard();
    EXPECT_EQ(view.caption(Widget::Label3), u"○");
    speech.finish();
    session.Timer1_Timer();
    EXPECT_EQ(state().CurrentWord, u"ねこ");
    session.Form_Unload();
    EXPECT_TRUE(writer.finish(RecordWriter::kExitWait));

    const std::vector<std::u16string> problems = RecordProblems(file).read();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find(u"こわれて"), std::u16string::npos);
    EXPECT_NE(problems[0].find(u"records.sqlite.damaged-"), std::u16string::npos);
    EXPECT_NE(problems[1].find(u"「はなこ」が記録にいない"), std::u16string::npos);
    RecordStore store(file);
    EXPECT_FALSE(store.setAsideFile());
    EXPECT_TRUE(store.children().empty());
}
