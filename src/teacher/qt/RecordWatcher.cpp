#include "teacher/qt/RecordWatcher.h"

#include "common/qt/QtText.h"
#include "record/PendingAnswers.h"
#include "record/RecordProblems.h"

#include <QFileInfo>

namespace {

constexpr int kSettleMs = 300;

} // namespace

RecordWatcher::RecordWatcher(
    const std::filesystem::path& records, std::function<void()> changed, QObject* parent)
    : QObject(parent)
    , m_records(records)
    , m_changed(std::move(changed))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] { m_changed(); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        watchFiles();
        somethingChanged();
    });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        watchFiles();
        somethingChanged();
    });
    const QString folder = QtText::fromPath(m_records.parent_path());
    if (QFileInfo(folder).isDir())
        m_watcher.addPath(folder);
    watchFiles();
}

void RecordWatcher::watchFiles()
{
    const QStringList watched = m_watcher.files();
    for (const std::filesystem::path& file :
        { m_records, PendingAnswers(m_records).file(), RecordProblems(m_records).file() }) {
        const QString path = QtText::fromPath(file);
        if (!watched.contains(path) && QFileInfo::exists(path))
            m_watcher.addPath(path);
    }
}

void RecordWatcher::somethingChanged()
{
    m_settle.start();
}
