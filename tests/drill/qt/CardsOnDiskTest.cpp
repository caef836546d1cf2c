#include "drill/qt/Form1.h"

#include "EventLog.h"
#include "FakeMedia.h"
#include "ScriptedRandom.h"
#include "WindowSystemFocus.h"

#include "common/Utf8Text.h"
#include "common/WarningBox.h"
#include "common/qt/FailureReport.h"
#include "data/DataFolder.h"
#include "data/PathText.h"
#include "drill/DrillSession.h"
#include "drill/qt/PictureBox.h"
#include "drill/qt/PictureLoader.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

// The drill window over a real picture folder: a picture named on a Mac is found by its real
// name, and a folder pulled out during the drill leaves the placeholder on the next card and
// reports the save that fails.
namespace {

class NoWarnings final : public WarningBox
{
public:
    void ShowWarning(std::u16string_view, std::u16string_view) override { ADD_FAILURE(); }
};

class CardsOnDiskTest : public ::testing::Test
{
protected:
    CardsOnDiskTest()
    {
        form.attach(session);
        speech.setDoneHandler([this] { form.speechDone(); });
        std::filesystem::create_directory(cards);
        program.ArgumentText = u"cards";
        // The program runs in its working directory, which the folder prefix is relative to.
        std::filesystem::current_path(working.path().toStdString());
    }
    ~CardsOnDiskTest() override
    {
        WindowSystemFocus::moveTo(nullptr);
        std::filesystem::current_path(m_previousDirectory);
    }

    const QImage& shownPicture() const
    {
        return form.findChild<PictureBox*>(QStringLiteral("Image1"))->image();
    }
    bool showsPlaceholder() const
    {
        return shownPicture() == PictureLoader::placeholder(shownPicture().size());
    }
    void tick(const char* timer)
    {
        auto* target = form.findChild<QTimer*>(QString::fromLatin1(timer));
        ASSERT_TRUE(target != nullptr && target->isActive());
        ASSERT_TRUE(QMetaObject::invokeMethod(target, "timeout"));
    }

    std::filesystem::path m_previousDirectory = std::filesystem::current_path();
    QTemporaryDir working;
    std::filesystem::path cards = std::filesystem::path(working.path().toStdString()) / "cards";
    EventLog log;
    ProgramState program;
    NoWarnings warnings;
    DataFolder data { program, warnings, working.path().toStdString() };
    FakeSoundPlayer sound { log };
    FakeSpeechVoice speech { log };
    ScriptedRandom random;
    QStringList reports;
    FailureReport failure { [this](const QString& text) { reports.append(text); } };
    Form1 form { failure };
    DrillSession session { program, form, data, sound, speech, random };
};

TEST_F(CardsOnDiskTest, AMacNameShowsItsPictureAndAPulledFolderThePlaceholder)
{
    const std::u16string decomposed = u"ふ\u3099と\u3099う.gif"; // ぶどう.gif as a Mac stores it
    std::filesystem::copy_file(
        PathText::fromUtf8(TAPOMI_SAMPLES_DIR "/\xE3\x81\xB6\xE3\x81\xA9\xE3\x81\x86.gif"),
        cards / PathText::fromText(decomposed));
    ASSERT_TRUE(form.load());
    form.show();
    QCoreApplication::processEvents();
    form.activate();
    QTest::keyClick(&form, Qt::Key_Return); // away with the set-up picture
    ASSERT_TRUE(speech.finish());
    ASSERT_FALSE(shownPicture().isNull());
    EXPECT_FALSE(showsPlaceholder()) << "the picture of the decomposed name was not found";

    std::filesystem::remove_all(cards); // the stick is pulled out
    QTest::keyClicks(&form, QStringLiteral(","));
    tick("Timer2");
    QTest::keyClick(&form, Qt::Key_Return); // wrong: the same card comes again
    ASSERT_TRUE(speech.finish());
    tick("Timer1");
    EXPECT_TRUE(showsPlaceholder());
    EXPECT_TRUE(reports.isEmpty());

    // The options window's save goes through the same failure handling as every event.
    EXPECT_FALSE(failure.run([this] { data.SaveSettings(); }));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("データファイルを書きこめません")));
    EXPECT_TRUE(reports[0].contains(QStringLiteral("tapomi.txt")));
}

} // namespace
