#include "common/qt/JapaneseFileDialog.h"

#include "common/qt/QtText.h"

#include "TempFolder.h"

#include <QFileSystemModel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTreeView>

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>

namespace {

namespace fs = std::filesystem;

// Counts the times any process opens the files watched.
class OpenWatch final
{
public:
    OpenWatch()
        : m_fd(inotify_init1(IN_NONBLOCK))
    { }
    ~OpenWatch() { ::close(m_fd); }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool watch(const fs::path& file) { return inotify_add_watch(m_fd, file.c_str(), IN_OPEN) >= 0; }
    int opens()
    {
        alignas(inotify_event) char events[4096];
        for (;;) {
            const ssize_t got = ::read(m_fd, events, sizeof events);
            if (got <= 0)
                return m_opens;
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                if (event->mask & IN_OPEN)
                    ++m_opens;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

private:
    int m_fd;
    int m_opens = 0;
};

// A dialog that goes to the record's folder lists it without opening a file in it: closing any
// descriptor of the record's files would drop the locks the teacher's window holds on them. Its
// sizes, types and dates are in Japanese whatever the desktop's language.
TEST(JapaneseFileDialogPosixTest, ListsTheRecordsFolderInJapaneseWithoutOpeningItsFiles)
{
    TempFolder temp;
    fs::create_directories(temp / "start");
    fs::create_directories(temp / "data/えカード");
    const std::string header("SQLite format 3\0", 16);
    const fs::path files[] = { temp / "data/records.sqlite", temp / "data/records.sqlite-wal",
        temp / "data/records.sqlite-shm", temp / "data/O.txt" };
    for (const fs::path& file : files)
        temp.write(fs::relative(file, temp.path()).string(), header);
    OpenWatch watch;
    for (const fs::path& file : files)
        ASSERT_TRUE(watch.watch(file)) << file << ": " << errno;

    JapaneseFileDialog dialog(nullptr, QStringLiteral("x"), QStringLiteral("posix"),
        QStringLiteral(u"えらぶ"), QtText::fromPath(temp / "start"));
    const auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    dialog.show();
    dialog.setDirectory(QtText::fromPath(temp / "data"));
    while (loaded.isEmpty()
        || loaded.constLast().constFirst().toString() != QtText::fromPath(temp / "data"))
        ASSERT_TRUE(loaded.wait(5000));
    // The icons and types are looked up as the rows are drawn.
    dialog.grab();
    EXPECT_EQ(watch.opens(), 0);

    const QTreeView& view = *dialog.findChild<QTreeView*>();
    const QAbstractItemModel& shown = *view.model();
    const auto cell = [&](const char* name, int column) {
        const QModelIndexList rows = shown.match(shown.index(0, 0, view.rootIndex()),
            Qt::DisplayRole, QString::fromUtf8(name), 1, Qt::MatchExactly);
        return rows.isEmpty() ? QString() : rows[0].siblingAtColumn(column).data().toString();
    };
    EXPECT_EQ(cell("えカード", 2).toStdString(), "フォルダー");
    EXPECT_EQ(cell("O.txt", 1).toStdString(), "16 バイト");
    EXPECT_EQ(cell("records.sqlite-shm", 2).toStdString(), "SQLITE-SHM ファイル");
    EXPECT_TRUE(
        cell("O.txt", 3)
            .contains(QRegularExpression(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d$"))))
        << cell("O.txt", 3).toStdString();
}

} // namespace
