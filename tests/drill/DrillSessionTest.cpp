#include "drill/DrillSession.h"

#include "DrillHarness.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every entry was logged, each one first after the one before it in the list.
::testing::AssertionResult inOrder(const EventLog& log, std::initializer_list<std::string> entries)
{
    int previous = -1;
    const std::string* previousEntry = nullptr;
    for (const std::string& entry : entries) {
        const int at = log.indexOf(entry);
        if (at < 0)
            return ::testing::AssertionFailure() << "\"" << entry << "\" was never logged";
        if (at <= previous)
            return ::testing::AssertionFailure()
                << "\"" << entry << "\" is not after \"" << *previousEntry << "\"";
        previous = at;
        previousEntry = &entry;
    }
    return ::testing::AssertionSuccess();
}

Settings plainSettings()
{
    Settings settings;
    settings.ShowSetupPicture = kFalse;
    return settings;
}

class DrillSessionTest : public ::testing::Test, protected DrillHarness
{
protected:
    DrillSessionTest()
    {
        data.pictures = { u"いぬ.jpg", u"ねこ.gif", u"ぱん.bmp" };
        data.settings = plainSettings();
        program.ArgumentText = u"/cards";
        program.DataPrefix = u"/cards/";
    }

    void start()
    {
        ASSERT_TRUE(session.Form_Load());
        session.Form_Activate();
    }
};

TEST_F(DrillSessionTest, StartUpLoadsInOrderAndWaitsBehindTheSetupPicture)
{
    data.settings = Settings {};
    view.screen = { 19200, 10800 };
    start();

    // The set-up picture is read ahead as soon as the settings say it will be shown.
    EXPECT_TRUE(inOrder(log,
        { "LoadSettings", "prepare Image2", "LoadPraisePhrases", "ListPictures", "LoadSelection",
            "show Image2" }));
    EXPECT_EQ(view.window, (TwipSize { 19200, 10800 }));
    EXPECT_EQ(view.geometry[Widget::Image2], (TwipRect { 0, 0, 19200, 10800 }));
    EXPECT_EQ(view.geometry.count(Widget::Label3), 0u) << "the mark is fitted when first shown";
    EXPECT_EQ(view.timerInterval[Timer::Timer1], 1000);
    EXPECT_EQ(view.timerInterval[Timer::Timer2], 100);

    EXPECT_TRUE(view.visible(Widget::Image2));
    EXPECT_TRUE(state().SetupPictureShown);
    EXPECT_TRUE(speech.spoken.empty());

    type("e3@");
    EXPECT_TRUE(speech.spoken.empty());
    EXPECT_TRUE(sound.played.empty());
    EXPECT_TRUE(view.visible(Widget::Image2));

    press(13);
    EXPECT_FALSE(view.visible(Widget::Image2));
    EXPECT_FALSE(state().SetupPictureShown);
    ASSERT_EQ(speech.spoken.size(), 1u);
    EXPECT_EQ(speech.spoken[0], u"いぬ、と、いれてください");
    EXPECT_TRUE(state().Speaking);
}

TEST_F(DrillSessionTest, TheSetupPictureNeedsTheTalkingAidLayout)
{
    data.settings = Settings {};
    data.settings.TalkingAidKeyboard = kFalse;
    start();
    EXPECT_FALSE(view.visible(Widget::Image2));
    EXPECT_FALSE(log.contains("prepare Image2"));
    EXPECT_EQ(speech.spoken.size(), 1u);
}

TEST_F(DrillSessionTest, AFolderWithoutPicturesEndsTheProgram)
{
    data.pictures.clear();
    EXPECT_FALSE(session.Form_Load());
    EXPECT_TRUE(view.ended);
    EXPECT_FALSE(log.contains("LoadSelection"));
}

TEST_F(DrillSessionTest, ARightAnswerPraisesTheWordAndMovesOn)
{
    view.screen = { 19200, 10800 };
    start();
    EXPECT_EQ(view.picturesLoaded.back(), u"/cards/いぬ.jpg");
    EXPECT_EQ(view.caption(Widget::Label1), u"いぬ");
    EXPECT_EQ(view.caption(Widget::Label2), u"");
    EXPECT_TRUE(view.visible(Widget::Image1));
    EXPECT_TRUE(view.visible(Widget::Label1));
    EXPECT_FALSE(view.visible(Widget::Label2));
    EXPECT_EQ(speech.spoken.back(), u"いぬ、と、いれてください");

    type("e");
    EXPECT_EQ(state().TypedText, u"") << "keys wait for the prompt to be spoken";
    EXPECT_TRUE(sound.played.empty());

    speech.finish();
    press('e');
    EXPECT_EQ(view.caption(Widget::Label2), u"い");
    EXPECT_TRUE(view.visible(Widget::Label2));
    EXPECT_EQ(sound.played.back(), u"い.wav");
    EXPECT_TRUE(view.isTimerEnabled(Timer::Timer2));
    endKeyGuard();

    log.clear();
    press('1');
    EXPECT_TRUE(inOrder(log, { "caption Label2 いぬ", "play ぬ.wav", "wait" }))
        << "the child sees the kana while hearing it";
    endKeyGuard();

    press(13);
    EXPECT_EQ(view.caption(Widget::Label3), u"○");
    EXPECT_TRUE(view.visible(Widget::Label3));
    EXPECT_EQ(view.geometry[Widget::Label3], (TwipRect { 7680, 7668, 9600, 5400 }));
    // A 16:9 screen: at W / 90 = 213 points the fake's glyph, inked down to 0.9 em, would end
    // below the window; at 168 points it ends a hundredth of the height above the bottom edge.
    EXPECT_EQ(view.fontSizes[Widget::Label3], 168);
    // The window system then adds a title bar of 30 pixels: the mark on screen shrinks into the
    // inside at once.
    view.client = TwipSize { 19200, 10800 - 450 };
    session.Form_Resize();
    EXPECT_EQ(view.fontSizes[Widget::Label3], 143);
    EXPECT_EQ(view.geometry[Widget::Label3], (TwipRect { 7680, 7668, 9600, 5400 }));
    EXPECT_EQ(sound.played.back(), u"ピンポン.wav");
    EXPECT_EQ(speech.spoken.back(), u"よくできました。これが、いぬ、だね。");
    EXPECT_EQ(view.caption(Widget::Label2), u"いぬ") << "the echo stays next to the mark";
    EXPECT_EQ(state().CardIndex, 1);
    EXPECT_TRUE(view.isTimerEnabled(Timer::Timer1));
    EXPECT_TRUE(view.isTimerEnabled(Timer::Timer2));
    endKeyGuard();

    type("e");
    EXPECT_EQ(state().TypedText, u"いぬ") << "no typing after the judgement";
    session.Timer1_Timer();
    EXPECT_TRUE(view.visible(Widget::Label3)) << "the sentence is still being spoken";

    speech.finish();
    type("e\r");
    EXPECT_EQ(state().TypedText, u"いぬ");
    session.Timer1_Timer();
    EXPECT_FALSE(view.visible(Widget::Label3));
    EXPECT_FALSE(view.isTimerEnabled(Timer::Timer1));
    EXPECT_EQ(view.picturesLoaded.back(), u"/cards/ねこ.gif");
    EXPECT_EQ(speech.spoken.back(), u"ねこ、と、いれてください");
    EXPECT_EQ(state().TypedText, u"");
    EXPECT_FALSE(view.visible(Widget::Label2));
}

TEST_F(DrillSessionTest, AWrongAnswerBringsTheSameCardBack)
{
    start();
    speech.finish();
    type("e\r");
    EXPECT_EQ(view.caption(Widget::Label3), u"Ｘ");
    EXPECT_EQ(sound.played.back(), u"ブー.wav");
    EXPECT_EQ(speech.spoken.back(), u"もう一度、やりなおしてね。");
    EXPECT_EQ(state().CardIndex, 0);

    speech.finish();
    session.Timer1_Timer();
    ASSERT_EQ(view.picturesLoaded.size(), 2u);
    EXPECT_EQ(view.picturesLoaded[1], u"/cards/いぬ.jpg");
    EXPECT_EQ(speech.spoken.back(), u"いぬ、と、いれてください");
    EXPECT_EQ(state().TypedText, u"");
    EXPECT_TRUE(state().Speaking);
    EXPECT_FALSE(state().Answered);
}

// The window is told which picture comes next while the child works on the current card, so that
// it can read it ahead: the next card of the deck, then after the last card nothing until the
// answer has reshuffled the deck.
TEST_F(DrillSessionTest, TheWindowIsToldWhichPictureComesNext)
{
    data.pictures = { u"いぬ.jpg", u"ねこ.gif" };
    start();
    EXPECT_EQ(view.prepared, std::vector<std::u16string> { u"/cards/ねこ.gif" });

    speech.finish();
    type("e\r"); // wrong: the same card comes back, and the next one stays the next
    speech.finish();
    session.Timer1_Timer();
    EXPECT_EQ(view.picturesLoaded.back(), u"/cards/いぬ.jpg");
    EXPECT_EQ(view.prepared.back(), u"/cards/ねこ.gif");

    speech.finish();
    type("e1\r");
    EXPECT_EQ(view.prepared.back(), u"/cards/ねこ.gif");
    speech.finish();
    session.Timer1_Timer();
    EXPECT_EQ(view.picturesLoaded.back(), u"/cards/ねこ.gif");
    EXPECT_EQ(view.prepared.back(), u"") << "the last card: the next shuffle is not made yet";

    random.values = { 0.0, 0.7, 0.0, 0.0 }; // the praise draw, then a shuffle that swaps the cards
    random.next = 0;
    speech.finish();
    type(",b\r");
    ASSERT_EQ(program.Deck[0], u"ねこ.gif");
    EXPECT_EQ(view.prepared.back(), u"/cards/ねこ.gif") << "the first card of the new shuffle";
    speech.finish();
    session.Timer1_Timer();
    EXPECT_EQ(view.picturesLoaded.back(), u"/cards/ねこ.gif");
    EXPECT_EQ(view.prepared.back(), u"/cards/いぬ.jpg");
}

// A name from a Mac is listed composed (ぶどう) while its file is stored decomposed (ふ + ゛): the
// card is read ahead, and loaded, under the file's own name.
TEST_F(DrillSessionTest, ACardIsReadAheadUnderItsFilesOwnName)
{
    data.pictures = { u"いぬ.jpg", u"ぶどう.jpg" };
    data.files = { { u"ぶどう.jpg", u"ふ\u3099どう.jpg" } };
    start();
    EXPECT_EQ(view.prepared.back(), u"/cards/ふ\u3099どう.jpg");

    speech.finish();
    type("e1\r");
    EXPECT_EQ(view.prepared.back(), u"/cards/ふ\u3099どう.jpg") << "told again by the answer";
    speech.finish();
    session.Timer1_Timer();
    EXPECT_EQ(view.picturesLoaded.back(), u"/cards/ふ\u3099どう.jpg");
    EXPECT_EQ(state().CurrentWord, u"ぶどう");
}

TEST_F(DrillSessionTest, TheKeyGuardDiscardsEveryKeyEscapeIncluded)
{
    start();
    speech.finish();
    press('e');
    ASSERT_TRUE(view.isTimerEnabled(Timer::Timer2));
    press('1');
    press(27);
    press('H');
    press(13);
    EXPECT_EQ(state().TypedText, u"い");
    EXPECT_FALSE(view.ended);
    EXPECT_TRUE(view.settingsShown.empty());
    EXPECT_EQ(sound.played.size(), 1u);

    session.Timer2_Timer();
    EXPECT_FALSE(view.isTimerEnabled(Timer::Timer2));
    press(27);
    EXPECT_TRUE(view.ended);
    EXPECT_TRUE(log.contains("stop sound"));
    EXPECT_TRUE(inOrder(log, { "stop sound", "stop speech", "end" }));
}

TEST_F(DrillSessionTest, KeyGuardTimesOutsideTheScrollBarStillEnd)
{
    data.settings.KeyGuardTenths = 0;
    start();
    speech.finish();
    press('e');
    EXPECT_FALSE(view.isTimerEnabled(Timer::Timer2)) << "no guard at all";
    press('1');
    EXPECT_EQ(state().TypedText, u"いぬ");

    program.settings.KeyGuardTenths = -5;
    session.Form_Activate();
    EXPECT_EQ(session.keyGuardMilliseconds(), 0);

    program.settings.KeyGuardTenths = 1000;
    session.Form_Activate();
    EXPECT_EQ(view.timerInterval[Timer::Timer2], 100000);
    EXPECT_FALSE(view.isTimerEnabled(Timer::Timer2));
}

TEST_F(DrillSessionTest, EditingKeysOnTheLine)
{
    start();
    speech.finish();

    press(13);
    EXPECT_FALSE(view.visible(Widget::Label2));
    EXPECT_TRUE(sound.played.empty()) << "Enter on an empty line judges nothing";
    EXPECT_FALSE(state().Answered);
    EXPECT_TRUE(view.isTimerEnabled(Timer::Timer2));
    endKeyGuard();

    type("e");
    press(8);
    EXPECT_EQ(state().TypedText, u"");
    EXPECT_FALSE(view.visible(Widget::Label2));
    EXPECT_EQ(sound.played.size(), 1u) << "Backspace is not heard";
    EXPECT_TRUE(view.isTimerEnabled(Timer::Timer2));
    endKeyGuard();

    type("4@");
    EXPECT_EQ(state().TypedText, u"う");
    EXPECT_EQ(sound.played.size(), 2u) << "a mark that changes nothing is not heard";

    type("1");
    ASSERT_EQ(state().TypedText, u"うぬ");
    press('3');
    EXPECT_EQ(state().TypedText, u"うぬ");
    EXPECT_EQ(sound.played.size(), 3u);
    EXPECT_FALSE(view.isTimerEnabled(Timer::Timer2)) << "a refused key starts no guard";
    type("\b");
    EXPECT_EQ(state().TypedText, u"う");
}

TEST_F(DrillSessionTest, MarksAreHeardAsTheNewKana)
{
    data.pictures = { u"ぱん.bmp" };
    start();
    speech.finish();
    type("f[y\r");
    EXPECT_EQ(sound.played[0], u"は.wav");
    EXPECT_EQ(sound.played[1], u"ぱ.wav");
    EXPECT_EQ(sound.played[2], u"ん.wav");
    EXPECT_EQ(view.caption(Widget::Label3), u"○");
}

TEST_F(DrillSessionTest, SettingsKeysStopTheVoiceAndOpenTheirWindow)
{
    start();
    press('H');
    EXPECT_EQ(view.settingsShown, std::vector { SettingsWindow::Form2 });
    EXPECT_TRUE(inOrder(log, { "stop sound", "stop speech", "show Form2" }));
    EXPECT_FALSE(view.isTimerEnabled(Timer::Timer2)) << "during the prompt the key goes no further";
    EXPECT_FALSE(speech.finish()) << "a stopped prompt is never reported spoken";
    EXPECT_TRUE(state().Speaking);

    session.Form_Activate(); // the options window hands back, with a new prompt
    ASSERT_TRUE(speech.finish());
    press('N');
    EXPECT_EQ(view.settingsShown.back(), SettingsWindow::Form3);
    EXPECT_EQ(state().TypedText, u"");
    EXPECT_TRUE(view.isTimerEnabled(Timer::Timer2))
        << "during input it then acts as an unmapped key";
    EXPECT_TRUE(sound.played.empty());
    endKeyGuard();

    type("hn");
    EXPECT_EQ(state().TypedText, u"くみ") << "lower-case h and n are kana keys";
    EXPECT_EQ(view.settingsShown.size(), 2u);
}

TEST_F(DrillSessionTest, ActivationDuringFeedbackRestartsAndTheTimerPresentsAgain)
{
    start();
    speech.finish();
    type("e1\r");
    ASSERT_EQ(state().CardIndex, 1);
    press('H');
    session.Form_Activate();
    EXPECT_EQ(state().CardIndex, 0);
    EXPECT_EQ(speech.spoken.back(), u"いぬ、と、いれてください");
    EXPECT_TRUE(view.isTimerEnabled(Timer::Timer1));
    EXPECT_FALSE(view.visible(Widget::Label3));

    const auto picturesBefore = view.picturesLoaded.size();
    session.Timer1_Timer();
    EXPECT_EQ(view.picturesLoaded.size(), picturesBefore) << "the prompt is still being spoken";
    speech.finish();
    session.Timer1_Timer();
    EXPECT_EQ(view.picturesLoaded.size(), picturesBefore + 1);
    EXPECT_EQ(view.picturesLoaded.back(), u"/cards/いぬ.jpg");
    EXPECT_FALSE(view.isTimerEnabled(Timer::Timer1));
}

TEST_F(DrillSessionTest, TheSetupPictureSurvivesASettingsWindow)
{
    data.settings = Settings {};
    start();
    press('H');
    EXPECT_EQ(view.settingsShown.size(), 1u);
    session.Form_Activate();
    EXPECT_TRUE(view.visible(Widget::Image2));
    EXPECT_TRUE(speech.spoken.empty());
    press(13);
    EXPECT_EQ(speech.spoken.size(), 1u);
}

TEST_F(DrillSessionTest, LongNamesAreCutForTypingButSpokenWhole)
{
    data.pictures = { u"あいうえおかきくけこさし.jpg" };
    start();
    EXPECT_EQ(view.caption(Widget::Label1), u"あいうえおかきくけこ");
    EXPECT_EQ(speech.spoken.back(), u"あいうえおかきくけこさし、と、いれてください");
    speech.finish();
    type("3e456tghtgh");
    EXPECT_EQ(state().TypedText, u"あいうえおかきくかき");
    type("\b\b:b\r");
    EXPECT_EQ(view.caption(Widget::Label3), u"○");
    EXPECT_EQ(speech.spoken.back(), u"よくできました。これが、あいうえおかきくけこさし、だね。");
}

TEST_F(DrillSessionTest, ASingleCardComesBackAfterEveryRightAnswer)
{
    data.pictures = { u"ねこ.gif" };
    start();
    speech.finish();
    type(",b\r");
    EXPECT_EQ(view.caption(Widget::Label3), u"○");
    EXPECT_EQ(state().CardIndex, 0);
    speech.finish();
    session.Timer1_Timer();
    EXPECT_EQ(view.picturesLoaded.back(), u"/cards/ねこ.gif");
    EXPECT_EQ(view.picturesLoaded.size(), 2u);
}

TEST_F(DrillSessionTest, TheLastCardReshufflesAndPraisePicksAtRandom)
{
    data.pictures = { u"いぬ.jpg", u"ねこ.gif" };
    data.praise = { u"すごい", u"えらい", u"いいね" };
    start();
    const int reseedsAtStart = random.reseeds;
    speech.finish();
    type("e1\r");
    speech.finish();
    session.Timer1_Timer();
    speech.finish();
    random.values = { 0.7 }; // floor(0.7 × 3) = 2
    type(",b\r");
    EXPECT_EQ(speech.spoken.back(), u"いいね。これが、ねこ、だね。");
    EXPECT_EQ(state().CardIndex, 0);
    EXPECT_EQ(random.reseeds, reseedsAtStart + 1);
}

TEST_F(DrillSessionTest, WithoutPraisePhrasesTheSentenceStartsAtTheFullStop)
{
    data.praise.clear();
    start();
    speech.finish();
    type("e1\r");
    EXPECT_EQ(speech.spoken.back(), u"。これが、いぬ、だね。");
}

TEST_F(DrillSessionTest, PromptKindModelColourAndLayoutFollowTheSettings)
{
    data.settings.PromptWithName = kFalse;
    data.settings.ShowModelWord = kTrue;
    start();
    EXPECT_EQ(speech.spoken.back(), u"この名前をいれてください");
    EXPECT_EQ(view.colours[Widget::Label1], 0x00FF8080u);
    EXPECT_EQ(view.geometry[Widget::Image1], (TwipRect { 128, 30, 513, 420 }));
    EXPECT_EQ(view.geometry[Widget::Label1], (TwipRect { 275, 490, 220, 110 }));
    EXPECT_EQ(view.geometry[Widget::Label2].left, 275);
    EXPECT_EQ(view.geometry[Widget::Label2].top, 490);
    EXPECT_EQ(view.fontSizes[Widget::Label2], 5);

    program.settings.ShowModelWord = kFalse;
    program.settings.PromptWithName = kTrue;
    session.Form_Activate();
    EXPECT_EQ(view.colours[Widget::Label1], 0x00FFFFFFu);
    EXPECT_EQ(speech.spoken.back(), u"いぬ、と、いれてください");
}

TEST_F(DrillSessionTest, TheLayoutChosenTakesEffectAtActivation)
{
    data.pictures = { u"らーめん.jpg" };
    data.settings.TalkingAidKeyboard = kFalse;
    start();
    speech.finish();
    type("o ");
    EXPECT_EQ(state().TypedText, u"ら");
    type("|");
    EXPECT_EQ(state().TypedText, u"らー");

    program.settings.TalkingAidKeyboard = kTrue;
    session.Form_Activate();
    speech.finish();
    type("o| ");
    EXPECT_EQ(state().TypedText, u"らー");
}

TEST_F(DrillSessionTest, AnEmptyDeckShowsTheHintAndKeepsTheTeachersKeys)
{
    data.selectAll = false;
    start();
    EXPECT_TRUE(view.emptyDeckHint);
    EXPECT_TRUE(view.picturesLoaded.empty());
    EXPECT_TRUE(speech.spoken.empty());
    EXPECT_FALSE(state().Speaking);
    EXPECT_FALSE(view.visible(Widget::Image1));
    EXPECT_FALSE(view.visible(Widget::Label1));

    type("e\r");
    EXPECT_EQ(state().TypedText, u"");
    EXPECT_TRUE(sound.played.empty());
    type("N");
    EXPECT_EQ(view.settingsShown.back(), SettingsWindow::Form3);

    // A selection made in the meantime: the next activation presents a card again.
    program.Deck[0] = u"ねこ.gif";
    program.DeckCount = 1;
    session.Form_Activate();
    EXPECT_FALSE(view.emptyDeckHint);
    EXPECT_EQ(view.picturesLoaded.back(), u"/cards/ねこ.gif");
}

} // namespace
