#include "teacher/qt/QtLauncherView.h"

#include "common/Environment.h"
#include "common/qt/QtText.h"
#include "data/PathText.h"
#include "media/TempFolder.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QProgressDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include <fstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#endif

namespace {

namespace fs = std::filesystem;

// Answers the next folder dialog as soon as it is on screen.
class DialogAnswer final : public QObject
{
public:
    explicit DialogAnswer(bool accept)
        : m_accept(accept)
    {
        qApp->installEventFilter(this);
    }
    ~DialogAnswer() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<QFileDialog*>(watched);
        if (dialog && event->type() == QEvent::Show)
            QMetaObject::invokeMethod(dialog, m_accept ? "accept" : "reject", Qt::QueuedConnection);
        return false;
    }

private:
    bool m_accept;
};

QString qtPath(const fs::path& path)
{
    return QtText::fromPath(path);
}

// Whether a process of this number still runs.
bool running(long long id)
{
#ifdef _WIN32
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (!process)
        return false;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return !ended;
#else
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH;
#endif
}

TEST(QtLauncherViewTest, FolderDialogIsInJapaneseAndOffersTheFolderFirst)
{
    TempFolder temp;
    const fs::path cards = temp / "えカード";
    fs::create_directories(cards);

    const auto dialog = QtLauncherView::folderDialog(cards);
    EXPECT_EQ(dialog->labelText(QFileDialog::Accept), QStringLiteral(u"えらぶ"));
    EXPECT_EQ(dialog->labelText(QFileDialog::Reject), QStringLiteral(u"やめる"));
    EXPECT_EQ(dialog->labelText(QFileDialog::LookIn), QStringLiteral(u"場所："));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral(u"絵カードのフォルダーをえらんでください"));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    // Inside the folder offered, so the folder around it (the record's, for the sample cards'
    // copy) is never listed; with nothing offered, in the teacher's home.
    EXPECT_EQ(dialog->directory(), QDir(qtPath(cards)));
    EXPECT_EQ(QtLauncherView::folderDialog({})->directory(), QDir(QDir::homePath()));

    QtLauncherView view(QStringLiteral("/nonexistent/tapomi-voicepack"));
    {
        DialogAnswer answer(true);
        EXPECT_EQ(view.askForFolder(cards), cards) << "one click takes the offered folder";
    }
    {
        DialogAnswer answer(false);
        EXPECT_EQ(view.askForFolder(cards), std::nullopt);
    }
}

TEST(QtLauncherViewTest, VoicePackShowsItsProgressAndEndsMadeFailedOrCancelled)
{
    TempFolder temp;
    const fs::path sounds = temp / "sounds";
    fs::create_directories(sounds);
    std::vector<std::pair<int, int>> reported;
    const fs::path standIn = PathText::fromUtf8(TAPOMI_VOICEPACK_STAND_IN);
    const auto runWith = [&](const fs::path& program, const char* mode) {
        Environment::set("TAPOMI_STAND_IN", mode);
        reported.clear();
        QtLauncherView view(qtPath(program));
        QObject::connect(&view, &QtLauncherView::soundProgress,
            [&](int done, int total) { reported.emplace_back(done, total); });
        return view.makeSounds(sounds);
    };

    EXPECT_EQ(runWith(standIn, "made"), LauncherView::SoundsOutcome::Made);
    EXPECT_EQ(reported, (std::vector<std::pair<int, int>> { { 1, 3 }, { 2, 3 }, { 3, 3 } }));

    EXPECT_EQ(runWith(standIn, "failed"), LauncherView::SoundsOutcome::Failed);
    EXPECT_EQ(runWith(temp / "missing", "made"), LauncherView::SoundsOutcome::Failed);

    // Cancelled while a file is being written: the voice pack ends at once and leaves no
    // temporary file behind; the teacher's files stay.
    std::ofstream(sounds / PathText::fromUtf8("あ.wav")) << "sensei";
    Environment::set("TAPOMI_STAND_IN", "slow");
    QtLauncherView view(qtPath(standIn));
    long long child = 0;
    QObject::connect(&view, &QtLauncherView::soundProgress, [&] {
        for (const auto& entry : fs::directory_iterator(sounds)) {
            const std::string name = PathText::utf8(entry.path().filename());
            if (name.starts_with("い.wav.tmp"))
                child = std::stoll(name.substr(std::string("い.wav.tmp").size()));
        }
        // The teacher clicks "やめる".
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(widget);
            if (progress && progress->isVisible())
                progress->findChild<QPushButton*>()->click();
        }
    });
    EXPECT_EQ(view.makeSounds(sounds), LauncherView::SoundsOutcome::Cancelled);
    ASSERT_GT(child, 0);
    EXPECT_FALSE(running(child)) << "the voice pack has ended";
    Environment::unset("TAPOMI_STAND_IN");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(sounds))
        left.push_back(PathText::utf8(entry.path().filename()));
    EXPECT_EQ(left, std::vector<std::string> { "あ.wav" });
}

} // namespace
