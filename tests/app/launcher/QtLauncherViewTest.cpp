#include "app/launcher/qt/QtLauncherView.h"

#include "app/qt/QtText.h"
#include "media/TempFolder.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QProgressDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <sys/stat.h>

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

fs::path script(const TempFolder& folder, const std::string& name, const std::string& body)
{
    const fs::path path = folder / name;
    std::ofstream(path) << "#!/bin/sh\n" << body;
    ::chmod(path.c_str(), 0755);
    return path;
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
    EXPECT_EQ(dialog->directory().absolutePath(), qtPath(temp.path()));

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
    const auto runWith = [&](const fs::path& program) {
        reported.clear();
        QtLauncherView view(qtPath(program));
        QObject::connect(&view, &QtLauncherView::soundProgress,
            [&](int done, int total) { reported.emplace_back(done, total); });
        return view.makeSounds(sounds);
    };

    const fs::path made = script(temp, "made",
        "[ \"$2\" = --progress ] && [ -d \"$1\" ] || exit 2\n"
        "echo 'tapomi-voicepack: speaking'\nfor i in 1 2 3; do echo \"progress $i/3\"; done\n");
    EXPECT_EQ(runWith(made), LauncherView::SoundsOutcome::Made);
    EXPECT_EQ(reported, (std::vector<std::pair<int, int>> { { 1, 3 }, { 2, 3 }, { 3, 3 } }));

    EXPECT_EQ(runWith(script(temp, "failed", "echo 'progress 1/3'\nexit 1\n")),
        LauncherView::SoundsOutcome::Failed);
    EXPECT_EQ(runWith(temp / "missing"), LauncherView::SoundsOutcome::Failed);

    // Cancelled while a file is being written: the voice pack ends at once and leaves no
    // temporary file behind; the teacher's files stay.
    std::ofstream(sounds / "あ.wav") << "sensei";
    const fs::path slow
        = script(temp, "slow", "touch \"$1/い.wav.tmp$$\"\necho 'progress 1/78'\nexec sleep 60\n");
    QtLauncherView view(qtPath(slow));
    pid_t child = 0;
    QObject::connect(&view, &QtLauncherView::soundProgress, [&] {
        for (const auto& entry : fs::directory_iterator(sounds)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("い.wav.tmp"))
                child = std::stoi(name.substr(std::string("い.wav.tmp").size()));
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
    EXPECT_EQ(::kill(child, 0), -1) << "the voice pack has ended";
    EXPECT_EQ(errno, ESRCH);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(sounds))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string> { "あ.wav" });
}

} // namespace
