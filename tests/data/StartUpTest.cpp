#include "common/Utf8Text.h"
#include "data/DataFileError.h"
#include "data/DataFolder.h"
#include "drill/DrillSession.h"

#include "FakeDrillView.h"
#include "FakeMedia.h"
#include "RecordingWarningBox.h"
#include "ScriptedRandom.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The drill's start-up on the real files of a fresh folder, as on a teacher's first run.
class StartUpTest : public ::testing::Test
{
protected:
    StartUpTest()
    {
        std::filesystem::create_directory(working / "cards");
        program.ArgumentText = u"cards";
        speech.setDoneHandler([this] { session.PtSvr1_SpeechDone(); });
    }

    TempFolder working;
    EventLog log;
    ProgramState program;
    RecordingWarningBox warnings;
    DataFolder data { program, warnings, working.path() };
    FakeDrillView view { log };
    FakeSoundPlayer sound { log };
    FakeSpeechVoice speech { log };
    ScriptedRandom random;
    DrillSession session { program, view, data, sound, speech, random };
};

TEST_F(StartUpTest, AFirstRunCreatesTheFilesAndFillsTheDeck)
{
    working.write("cards/\xE3\x81\x84\xE3\x81\xAC.jpg", "x"); // いぬ.jpg
    working.write("cards/\xE3\x81\xAD\xE3\x81\x93.gif", "x"); // ねこ.gif

    ASSERT_TRUE(session.Form_Load());
    EXPECT_EQ(working.read("cards/tapomi.txt"), "#TRUE#,#FALSE#,#TRUE#,#TRUE#,1\r\n");
    EXPECT_EQ(working.read("cards/Fname.txt"),
        TempFolder::hex("22 82 A2 82 CA 2E 6A 70 67 22 2C 23 54 52 55 45 23 0D 0A"
                        "22 82 CB 82 B1 2E 67 69 66 22 2C 23 54 52 55 45 23 0D 0A"));
    EXPECT_EQ(
        working.read("O.txt"), TempFolder::hex("82 E6 82 AD 82 C5 82 AB 82 DC 82 B5 82 BD 0D 0A"));
    EXPECT_EQ(program.settings, Settings {});
    EXPECT_EQ(program.DataPrefix, u"cards/");
    EXPECT_EQ(program.DeckCount, 2);
    EXPECT_EQ(session.state().Praise.PraiseCount, 1);
    EXPECT_EQ(session.state().Praise.PraisePhrases[0], u"よくできました");
    EXPECT_TRUE(warnings.shown.empty());

    // Behind the set-up picture, Enter brings the first card, loaded through the prefix.
    session.Form_Activate();
    session.Form_KeyPress(DrillSession::kEnterKey);
    ASSERT_FALSE(view.picturesLoaded.empty());
    const std::u16string& shown = view.picturesLoaded.back();
    EXPECT_TRUE(shown == u"cards/いぬ.jpg" || shown == u"cards/ねこ.gif");
}

TEST_F(StartUpTest, AFolderWithoutPicturesEndsTheProgramAfterTheWarning)
{
    working.write("cards/a.png", "x");
    EXPECT_FALSE(session.Form_Load());
    EXPECT_TRUE(view.ended);
    ASSERT_EQ(warnings.shown.size(), 1u);
    EXPECT_EQ(warnings.shown[0].first, u"画像データが足りません！");
    EXPECT_TRUE(working.exists("cards/tapomi.txt"));
    EXPECT_TRUE(working.exists("O.txt"));
    EXPECT_FALSE(working.exists("cards/Fname.txt"));
}

TEST_F(StartUpTest, ANameFromAMacIsTypedComposedAndItsPictureLoadedByItsRealName)
{
    const std::u16string decomposed = u"ふ\u3099と\u3099う.jpg"; // ぶどう.jpg
    working.write("cards/" + Utf8Text::encode(decomposed), "x");

    ASSERT_TRUE(session.Form_Load());
    EXPECT_EQ(program.AllPictures[0], u"ぶどう.jpg");
    session.Form_Activate();
    session.Form_KeyPress(DrillSession::kEnterKey);
    ASSERT_EQ(view.picturesLoaded.size(), 1u);
    EXPECT_EQ(view.picturesLoaded[0], u"cards/" + decomposed);
    EXPECT_TRUE(std::filesystem::exists(working / Utf8Text::encode(view.picturesLoaded[0])));
    EXPECT_EQ(view.caption(Widget::Label1), u"ぶどう");
    EXPECT_EQ(session.state().WordLength, 3);
    EXPECT_EQ(speech.spoken.back(), u"ぶどう、と、いれてください");
}

TEST_F(StartUpTest, AFolderPulledOutDuringTheDrillLeavesTheDrillRunningAndSavesFail)
{
    working.write("cards/\xE3\x81\x84\xE3\x81\xAC.jpg", "x"); // いぬ.jpg
    working.write("cards/\xE3\x81\xAD\xE3\x81\x93.gif", "x"); // ねこ.gif
    ASSERT_TRUE(session.Form_Load());
    session.Form_Activate();
    session.Form_KeyPress(DrillSession::kEnterKey);
    speech.finish();

    std::filesystem::remove_all(working / "cards"); // the stick is pulled out

    // A wrong answer, then the next card: its picture is gone, so the window shows its
    // placeholder, and the card goes on as any other.
    session.Form_KeyPress('e');
    session.Timer2_Timer();
    session.Form_KeyPress(DrillSession::kEnterKey);
    speech.finish();
    session.Timer1_Timer();
    ASSERT_EQ(view.picturesLoaded.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(working / Utf8Text::encode(view.picturesLoaded[1])));
    EXPECT_TRUE(session.state().Speaking);
    EXPECT_FALSE(session.state().Answered);

    for (const auto& save : { &DataFolder::SaveSettings, &DataFolder::SaveSelection }) {
        try {
            (data.*save)();
            ADD_FAILURE() << "saved into a folder that is gone";
        } catch (const DataFileError& error) {
            EXPECT_EQ(error.kind(), DataFileError::Kind::Write);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(working / "cards"));
}

} // namespace
