#include "teacher/qt/QtLauncherView.h"

#include "common/qt/JapaneseFileDialog.h"
#include "common/qt/QtText.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>

namespace fs = std::filesystem;

namespace {

// The voice pack writes each file under a temporary name first; a killed run leaves its
// temporary files behind, named after its process id.
void removeTemporaryFiles(const fs::path& folder, qint64 processId)
{
    const std::string ending = ".tmp" + std::to_string(processId);
    const fs::path::string_type nativeEnding(ending.begin(), ending.end()); // ASCII either way
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path::string_type name = it->path().filename().native();
        if (name.size() > nativeEnding.size() && name.ends_with(nativeEnding)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

} // namespace

QtLauncherView::QtLauncherView(QString voicePackProgram, QObject* parent)
    : QObject(parent)
    , m_voicePackProgram(std::move(voicePackProgram))
{ }

std::unique_ptr<QFileDialog> QtLauncherView::folderDialog(const fs::path& offered)
{
    auto dialog = std::make_unique<JapaneseFileDialog>(nullptr,
        QStringLiteral(u"絵カードのフォルダーをえらんでください"), QStringLiteral("cardFolder"),
        QStringLiteral(u"えらぶ"));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setLabelText(QFileDialog::FileName, QStringLiteral(u"フォルダー："));
    dialog->setNameFilter(QStringLiteral(u"フォルダー"));
    // It opens inside the folder offered, so that accepting at once chooses it, and never lists
    // the folder around it: the sample cards' copy sits beside the record, whose files a file
    // dialog must not open. With nothing offered it opens in the teacher's home.
    dialog->setDirectory(offered.empty() ? QDir::homePath() : QtText::fromPath(offered));
    return dialog;
}

std::optional<fs::path> QtLauncherView::askForFolder(const fs::path& offered)
{
    const std::unique_ptr<QFileDialog> dialog = folderDialog(offered);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return QtText::toPath(QDir::cleanPath(dialog->selectedFiles().constFirst()));
}

LauncherView::SoundsOutcome QtLauncherView::makeSounds(const fs::path& folder)
{
    QProgressDialog progress(QStringLiteral(u"かなの音をつくっています。はじめの一回だけです。"),
        QStringLiteral(u"やめる"), 0, 0);
    progress.setWindowTitle(QStringLiteral(u"タポミ"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setProgram(m_voicePackProgram);
    process.setArguments({ QtText::fromPath(folder), QStringLiteral("--progress") });

    QEventLoop loop;
    bool cancelled = false;
    const QRegularExpression line(QStringLiteral("^progress (\\d+)/(\\d+)"));
    connect(&process, &QProcess::readyReadStandardOutput, &progress, [&] {
        while (process.canReadLine()) {
            const auto match = line.match(QString::fromUtf8(process.readLine()));
            if (!match.hasMatch())
                continue;
            const int done = match.captured(1).toInt();
            const int total = match.captured(2).toInt();
            progress.setMaximum(total);
            progress.setValue(done);
            emit soundProgress(done, total);
        }
    });
    connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    // The cancel button and closing the window say "canceled"; Esc only rejects.
    const auto cancel = [&] {
        cancelled = true;
        loop.quit();
    };
    connect(&progress, &QProgressDialog::canceled, &loop, cancel);
    connect(&progress, &QDialog::rejected, &loop, cancel);

    process.start();
    if (!process.waitForStarted())
        return SoundsOutcome::Failed;
    progress.show();
    loop.exec();
    progress.hide();

    if (cancelled) {
        if (process.state() != QProcess::NotRunning) {
            const qint64 id = process.processId();
            process.kill();
            process.waitForFinished();
            removeTemporaryFiles(folder, id);
        }
        return SoundsOutcome::Cancelled;
    }
    const bool made = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return made ? SoundsOutcome::Made : SoundsOutcome::Failed;
}
