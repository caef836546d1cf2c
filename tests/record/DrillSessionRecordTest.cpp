#include "drill/DrillSession.h"

#include "DrillHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Writes down what the drill tells the record, in order.
class ListedRecord final : public DrillRecord
{
public:
    void runStarted() override { events.push_back("run started"); }
    void cardPresented(std::u16string_view word, bool repeat) override
    {
        events.push_back("card " + utf8(word) + (repeat ? " again" : ""));
    }
    void promptEnded() override { events.push_back("prompt ended"); }
    void keyTaken(Key key) override
    {
        events.push_back(key == Key::Kana ? "kana" : key == Key::Backspace ? "backspace" : "mark");
    }
    void wordJudged(std::u16string_view word, std::u16string_view typed, bool right) override
    {
        events.push_back(
            "judged " + utf8(word) + " " + utf8(typed) + (right ? " right" : " wrong"));
    }
    void keyDiscarded() override { events.push_back("discarded"); }
    void runEnded() override { events.push_back("run ended"); }

    std::vector<std::string> events;
};

class DrillSessionRecordTest : public ::testing::Test, protected DrillHarness
{
protected:
    DrillSessionRecordTest()
    {
        data.pictures = { u"いぬ.jpg", u"ねこ.gif" };
        data.settings.ShowSetupPicture = kFalse;
        session.setRecord(&record);
    }

    // The events since the last call.
    std::vector<std::string> told()
    {
        std::vector<std::string> events;
        events.swap(record.events);
        return events;
    }

    ListedRecord record;
};

using Events = std::vector<std::string>;

} // namespace

// Which moments of the drill reach the record: the run, each presentation (a second try marked
// as such), the end of the prompt but not of the sentences after a judgement, the keys that did
// something, the child's keys the drill did not take while the card was up (not the teacher's,
// nor those after Enter), each judgement, and the end of the run once.
TEST_F(DrillSessionRecordTest, TellsTheRecordWhatTheChildDidAndWhen)
{
    ASSERT_TRUE(session.Form_Load());
    EXPECT_EQ(told(), Events {}) << "nothing before the drill is on screen";
    session.Form_Activate();
    EXPECT_EQ(told(), (Events { "run started", "card いぬ" }));

    type("e"); // during the prompt: not taken
    press('H'); // the teacher's key is no try of the child's
    session.Form_Activate();
    EXPECT_EQ(told(), (Events { "discarded", "card いぬ" }));
    speech.finish();
    EXPECT_EQ(told(), Events { "prompt ended" });

    // い, the voiced mark on い (no change, still a mark key), Backspace, Backspace on the
    // empty line, an unmapped key, い and ぬ, and a third kana on the full line.
    type("e@\b\bAe1t");
    EXPECT_EQ(told(), (Events { "kana", "mark", "backspace", "kana", "kana" }));
    type("\b");
    press('2');
    press('r'); // within the key guard of ふ
    endKeyGuard();
    press(13);
    press('e'); // after Enter, within its key guard
    endKeyGuard();
    type("e"); // while the request to try again is heard
    EXPECT_EQ(told(), (Events { "backspace", "kana", "discarded", "judged いぬ いふ wrong" }));

    // The request to try again is heard, then the same card comes again.
    speech.finish();
    EXPECT_EQ(told(), Events {});
    session.Timer1_Timer();
    EXPECT_EQ(told(), Events { "card いぬ again" });
    speech.finish();
    type("e1");
    press(13);
    endKeyGuard();
    EXPECT_EQ(told(), (Events { "prompt ended", "kana", "kana", "judged いぬ いぬ right" }));
    speech.finish();
    session.Timer1_Timer();
    EXPECT_EQ(told(), Events { "card ねこ" });

    // A wrong answer, then the teacher's options and back: the deck starts afresh, so the next
    // card is a new presentation even when it is the same word.
    speech.finish();
    type(",");
    press(13);
    endKeyGuard();
    press('H');
    session.Form_Activate();
    EXPECT_EQ(told(), (Events { "prompt ended", "kana", "judged ねこ ね wrong", "card いぬ" }));

    press(27);
    session.Form_Unload();
    EXPECT_EQ(told(), Events { "run ended" });
}

// Closing the window through its title bar ends the run as Esc does.
TEST_F(DrillSessionRecordTest, ClosingTheWindowEndsTheRun)
{
    ASSERT_TRUE(session.Form_Load());
    session.Form_Activate();
    told();
    session.Form_Unload();
    EXPECT_EQ(told(), Events { "run ended" });
}
