#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <filesystem>
#include <functional>

// Tells the teacher's window that the record's files may have changed: a child added by
// --add-child, a drill's answers, a second window. The file system says so (inotify on Linux,
// change notifications on Windows); nothing polls, and a burst of changes (a drill's commit
// touches the record and its journal) is told once, a moment after it has settled.
class RecordWatcher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecordWatcher)

public:
    RecordWatcher(const std::filesystem::path& records, std::function<void()> changed,
        QObject* parent = nullptr);

private:
    // The folder itself, and each of the record's files that exists now: a file made or
    // replaced later is taken up when the folder says it changed.
    void watchFiles();
    void somethingChanged();

    std::filesystem::path m_records;
    std::function<void()> m_changed;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
