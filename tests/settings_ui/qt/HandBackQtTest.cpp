#include "settings_ui/qt/Form2.h"
#include "settings_ui/qt/Form3.h"
#include "settings_ui/qt/SettingsWindows.h"

#include "EventLog.h"
#include "FakeDataStore.h"
#include "FakeMedia.h"
#include "ScriptedRandom.h"
#include "WindowSystemFocus.h"

#include "common/qt/ActivationTracker.h"
#include "common/qt/FailureReport.h"
#include "drill/DrillSession.h"
#include "drill/qt/Form1.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The drill window and the settings windows wired as the program wires them, with fakes for
// the data folder and the media.
class HandBackQtTest : public ::testing::Test
{
protected:
    HandBackQtTest()
    {
        form.attach(session);
        speech.setDoneHandler([this] { form.speechDone(); });
        activation.registerWindow(&form, [this] { form.activate(); });
        form.setSettingsWindowHook([this](SettingsWindow window) { settings.show(window); });
        data.pictures = { u"いぬ.jpg", u"ねこ.gif", u"ぱん.bmp", u"らっぱ.jpg", u"りんご.jpg" };
        data.settings.ShowSetupPicture = kFalse;
    }

    ~HandBackQtTest() override { WindowSystemFocus::moveTo(nullptr); }

    void start()
    {
        ASSERT_TRUE(form.load());
        activation.bringToFront(&form);
        speech.finish();
    }

    void type(const QString& keys)
    {
        for (const QChar key : keys) {
            if (form.isTimerEnabled(Timer::Timer2))
                QMetaObject::invokeMethod(
                    form.findChild<QTimer*>(QStringLiteral("Timer2")), "timeout");
            QTest::keyClicks(&form, QString(key));
        }
    }

    static void click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    EventLog log;
    ProgramState program;
    FakeDataStore data { program, log };
    FakeSoundPlayer sound { log };
    FakeSpeechVoice speech { log };
    ScriptedRandom random;
    FailureReport failure { [](const QString&) {} };
    Form1 form { failure };
    DrillSession session { program, form, data, sound, speech, random };
    ActivationTracker activation;
    SettingsWindows settings { program, data, failure, activation, form };
};

TEST_F(HandBackQtTest, HOpensTheOptionsAndApplyingALayoutHandsBackWithIt)
{
    start();
    type(QStringLiteral("e"));
    ASSERT_EQ(session.state().TypedText, u"い");

    type(QStringLiteral("H"));
    ASSERT_NE(settings.options(), nullptr);
    Form2& options = *settings.options();
    EXPECT_TRUE(options.isVisible());
    EXPECT_EQ(activation.lastActive(), &options);
    EXPECT_TRUE(options.option(5)->isChecked()) << "the stored layout is loaded";

    const auto spokenBefore = speech.spoken.size();
    click(options.option(6));
    click(options.applyButton());
    EXPECT_EQ(data.settings.TalkingAidKeyboard, kFalse);
    EXPECT_EQ(activation.lastActive(), &form);
    EXPECT_EQ(speech.spoken.size(), spokenBefore + 1) << "the drill restarted with a new card";
    EXPECT_EQ(session.state().TypedText, u"");

    speech.finish();
    type(QStringLiteral(" |"));
    EXPECT_EQ(session.state().TypedText, u"ー") << "the ordinary layout: space nothing, bar ー";

    type(QStringLiteral("H"));
    EXPECT_EQ(settings.options(), &options) << "the window is made once and kept";
    EXPECT_TRUE(options.option(6)->isChecked());
}

TEST_F(HandBackQtTest, NListsTheFolderWithTheDeckMarkedAndConfirmingRestarts)
{
    data.selectAll = false;
    data.selection = { u"ねこ.gif", u"りんご.jpg" };
    start();
    type(QStringLiteral("N"));
    ASSERT_NE(settings.selection(), nullptr);
    QListWidget* list = settings.selection()->list();
    ASSERT_EQ(list->count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list->item(i)->text().toStdU16String(), data.pictures[i]);
    EXPECT_FALSE(list->item(0)->isSelected());
    EXPECT_TRUE(list->item(1)->isSelected());
    EXPECT_TRUE(list->item(4)->isSelected());

    click(settings.selection()->markAllButton());
    click(settings.selection()->confirmButton());
    EXPECT_EQ(program.DeckCount, 5);
    EXPECT_EQ(data.selectionSaves, 1);
    EXPECT_EQ(activation.lastActive(), &form);
    EXPECT_EQ(session.state().CardIndex, 0);
}

} // namespace
