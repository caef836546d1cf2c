#pragma once

#include "teacher/LauncherView.h"

#include <QObject>
#include <QString>

#include <memory>

class QFileDialog;

// The launcher's dialogs on Qt Widgets, in Japanese: Qt's own folder dialog (the same on every
// desktop, whatever its language) and a progress window over the voice pack program, which
// runs as a child process so that cancelling can end it at once.
class QtLauncherView final : public QObject, public LauncherView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QtLauncherView)

public:
    explicit QtLauncherView(QString voicePackProgram, QObject* parent = nullptr);

    std::optional<std::filesystem::path> askForFolder(
        const std::filesystem::path& offered) override;
    SoundsOutcome makeSounds(const std::filesystem::path& folder) override;

    // The folder dialog as askForFolder shows it, opened on the offered folder's parent with the
    // offered folder selected, so that one click on "えらぶ" takes it; with none offered, where
    // the dialog was last left or in the home folder.
    static std::unique_ptr<QFileDialog> folderDialog(const std::filesystem::path& offered);

signals:
    // After each sound file the voice pack has made or kept.
    void soundProgress(int done, int total);

private:
    QString m_voicePackProgram;
};
