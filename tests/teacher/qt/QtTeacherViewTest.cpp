#include "teacher/qt/QtTeacherView.h"

#include "app/launcher/FolderMemory.h"
#include "app/qt/JapaneseFont.h"
#include "data/PathText.h"
#include "record/RecordStore.h"
#include "teacher/TeacherClock.h"
#include "teacher/qt/RecordWatcher.h"
#include "teacher/qt/ReportPanel.h"
#include "teacher/qt/ReportPdf.h"

#include "app/qt/QtText.h"

#include "media/TempFolder.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <limits>

namespace {

namespace fs = std::filesystem;
using Control = TeacherView::Control;

class FixedClock final : public TeacherClock
{
public:
    std::int64_t nowMs() const override { return 1796778000000; } // 2026-12-09 10:00 in Japan
    int localOffsetSeconds() const override { return 9 * 3600; }
};

class NoFolderMemory final : public FolderMemory
{
public:
    fs::path lastFolder() const override { return {}; }
    void remember(const fs::path&) override { }
};

std::string read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// Runs the event loop until the window is shown again, for at most ten seconds.
void awaitShown(QWidget& window)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (window.isVisible())
            loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    poll.start(20);
    loop.exec();
}

TEST(QtTeacherViewTest, StartsTheDrillAsAProgramAndComesBackWithTheReport)
{
    TempFolder temp;
    const fs::path records = temp / "records.sqlite";
    const fs::path work = temp / "work";
    const fs::path cards = temp / "えカード 1組";
    fs::create_directories(work);
    fs::create_directories(cards);
    std::ofstream(cards / PathText::fromUtf8("りんご.jpg")) << "apple";
    {
        RecordStore store(records);
        store.setLastFolder(store.addChild(u"はなこ"), cards);
    }
    // A stand-in for the drill: notes where it runs, on what and for whom.
    const fs::path drill = PathText::fromUtf8(TAPOMI_DRILL_STAND_IN);

    NoFolderMemory memory;
    const FixedClock clock;
    QtTeacherView window(memory, clock, { drill, work, records });
    window.show();
    window.open();
    ASSERT_EQ(window.childList()->topLevelItemCount(), 1);
    EXPECT_EQ(window.childList()->topLevelItem(0)->text(0), QStringLiteral(u"はなこ"));
    EXPECT_FALSE(window.button(Control::Start)->isEnabled()) << "no child chosen yet";
    EXPECT_FALSE(window.button(Control::MakeCards)->isEnabled()) << "no tool attached";

    window.childList()->setCurrentItem(window.childList()->topLevelItem(0));
    ASSERT_TRUE(window.button(Control::Start)->isEnabled());
    EXPECT_TRUE(window.reportPanel()->shownText().contains(QStringLiteral(u"はなこさんの記録")));
    EXPECT_TRUE(window.reportPanel()->shownText().contains(QStringLiteral(u"ためしたカード：0枚")));

    window.button(Control::Start)->click();
    EXPECT_FALSE(window.isVisible()) << "hidden while the drill runs";
    awaitShown(window);
    ASSERT_TRUE(window.isVisible()) << "back when the drill ended";
    const std::int64_t id = RecordStore(records).findChild(u"はなこ")->id;
    const std::string ran = read(temp / "ran");
    const std::size_t where = ran.find('|');
    ASSERT_NE(where, std::string::npos) << "the drill ran: " << ran;
    EXPECT_TRUE(fs::equivalent(PathText::fromUtf8(ran.substr(0, where)), work)) << ran;
    EXPECT_EQ(ran.substr(where + 1),
        PathText::utf8(cards) + "|1|" + std::to_string(id) + "|" + PathText::utf8(records));
    EXPECT_FALSE(window.messageLabel()->isVisible()) << "nothing went wrong";
    EXPECT_TRUE(window.reportPanel()->shownText().contains(QStringLiteral(u"はなこさんの記録")))
        << "the report of the same child again";
}

TEST(QtTeacherViewTest, WritesTheSummaryAsOnePdfWithItsFontOrNothing)
{
    TempFolder temp;
    TeacherView::Report report { u"はなこ", u"ぜんぶ", {} };
    report.figures.daysPractised = 2;
    report.figures.cardsTried = 5;
    report.figures.days = { { "2026-12-08", 3, 1, 4 }, { "2026-12-09", 2, 2, 3 } };

    const fs::path records = temp / "records.sqlite";
    const fs::path file = temp / "はなこ.pdf";
    EXPECT_EQ(ReportPdf::Save(file, records, report), std::nullopt);
    const std::string pdf = read(file);
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_NE(pdf.find("/FontFile2"), std::string::npos) << "the Japanese font is embedded";
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos) << "one page";

    const fs::path nowhere = temp / "no such folder" / "x.pdf";
    const std::optional<std::u16string> problem = ReportPdf::Save(nowhere, records, report);
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find(u"フォルダーがありません"), std::u16string::npos);
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
}

// Twenty wide kanji, as many characters as a name may have, typed into the name field of a
// window the size the launcher gives it on a 1366×768 screen: the field takes no more, shows
// them all, and so do the list and the report's heading, which wraps rather than widening the
// report.
TEST(QtTeacherViewTest, ShowsTheLongestNameWhole)
{
    // The launcher's font, for this test alone.
    struct LauncherFont
    {
        const QFont before = QApplication::font();
        LauncherFont()
        {
            QFont font(JapaneseFont::chooseFamily());
            font.setPointSize(12);
            QApplication::setFont(font);
        }
        ~LauncherFont() { QApplication::setFont(before); }
    } launcherFont;
    TempFolder temp;
    NoFolderMemory memory;
    const FixedClock clock;
    QtTeacherView window(memory, clock, { temp / "tapomi", temp.path(), temp / "records.sqlite" });
    window.resize(1366 * 9 / 10, 768 * 9 / 10);
    window.show();
    window.open();

    const QString longest(20, QChar(u'髙'));
    bool asked = false;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        asked = true;
        auto* field = dialog->findChild<QLineEdit*>();
        field->insert(longest);
        field->insert(QStringLiteral(u"髙"));
        EXPECT_EQ(field->text(), longest) << "a twenty-first character is not taken";
        // With the end of the name in view, its start is at the field's left edge too.
        field->setCursorPosition(static_cast<int>(longest.size()));
        EXPECT_EQ(field->cursorPositionAt(QPoint(field->contentsRect().left() + 1, 1)), 0);
        dialog->accept();
    });
    window.addButton()->click();
    ASSERT_TRUE(asked);

    QTreeWidget* list = window.childList();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), longest);
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    EXPECT_GE(list->columnWidth(0), list->fontMetrics().horizontalAdvance(longest) + 2 * margin);
    EXPECT_LE(list->header()->sectionViewportPosition(0) + list->columnWidth(0),
        list->viewport()->width());

    QApplication::processEvents();
    QLabel* heading = nullptr;
    for (QLabel* label : window.reportPanel()->findChildren<QLabel*>()) {
        if (label->text().startsWith(longest))
            heading = label;
    }
    ASSERT_TRUE(heading);
    EXPECT_GE(heading->height(), heading->heightForWidth(heading->width())) << "cut below";
    auto* scroll = qobject_cast<QScrollArea*>(window.reportPanel()->parentWidget()->parentWidget());
    ASSERT_TRUE(scroll);
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << "the report is wider than its pane";
}

} // namespace

// The record's worst afternoon in the window: a child added, then a save dialog open on the
// record's own folder (which opens and lists its files) while another program reads the record
// and exports it, then a drill for a child, five answers. Every child and every answer is in
// the record afterwards, and the window shows them.
TEST(QtTeacherViewTest, AFileDialogAndAnotherProgramLoseNoChildAndNoAnswer)
{
    TempFolder temp;
    const fs::path data = temp / "data";
    const fs::path records = data / "records.sqlite";
    const fs::path cards = temp / "cards";
    fs::create_directories(data);
    fs::create_directories(cards);
    std::ofstream(cards / PathText::fromUtf8("りんご.jpg")) << "apple";
    {
        RecordStore store(records);
        store.setLastFolder(store.addChild(u"はなこ"), cards);
    }
    const QString standIn = QtText::fromUtf8(TAPOMI_DRILL_STAND_IN);
    NoFolderMemory memory;
    const FixedClock clock;
    QtTeacherView window(memory, clock, { QtText::toPath(standIn), data, records });
    window.show();
    window.open();

    // Answers the next modal dialog the window opens, once it is up.
    const auto whenDialog = [](std::function<void(QWidget*)> answer) {
        QTimer::singleShot(0, [answer] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            answer(dialog);
        });
    };
    whenDialog([](QWidget* dialog) {
        auto* input = qobject_cast<QInputDialog*>(dialog);
        ASSERT_NE(input, nullptr);
        input->setTextValue(QStringLiteral(u"たろう"));
        input->accept();
    });
    window.addButton()->click();
    ASSERT_EQ(window.childList()->topLevelItemCount(), 2);

    window.childList()->setCurrentItem(window.childList()->topLevelItem(1));
    ASSERT_EQ(window.childList()->currentItem()->text(0), QStringLiteral(u"はなこ"));
    const fs::path exported = temp / "exported.csv";
    int exportStatus = -1;
    whenDialog([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        files->setDirectory(QtText::fromPath(data));
        QEventLoop listing;
        QTimer::singleShot(500, &listing, &QEventLoop::quit);
        listing.exec();
        QProcess other;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TAPOMI_RECORDS"), QtText::fromPath(records));
        environment.insert(QStringLiteral("TAPOMI_CHILD_NAME"), QStringLiteral(u"はなこ"));
        other.setProcessEnvironment(environment);
        other.start(standIn, { QStringLiteral("--export"), QtText::fromPath(exported) });
        other.waitForFinished(30000);
        exportStatus = other.exitStatus() == QProcess::NormalExit ? other.exitCode() : -2;
        files->reject();
    });
    window.button(Control::ExportCsv)->click();
    EXPECT_EQ(exportStatus, 0);
    EXPECT_TRUE(fs::exists(exported));

    qputenv("TAPOMI_STAND_IN_ANSWERS", "5");
    window.button(Control::Start)->click();
    awaitShown(window);
    qunsetenv("TAPOMI_STAND_IN_ANSWERS");
    ASSERT_TRUE(window.isVisible());

    RecordStore store(records);
    const std::vector<Child> children = store.children();
    ASSERT_EQ(children.size(), 2u);
    const std::optional<Child> hanako = store.findChild(u"はなこ");
    ASSERT_TRUE(hanako);
    EXPECT_EQ(store.attempts(hanako->id, 0, std::numeric_limits<std::int64_t>::max()).size(), 5u);
    EXPECT_TRUE(store.findChild(u"たろう"));
    EXPECT_TRUE(window.reportPanel()->shownText().contains(QStringLiteral(u"ためしたカード：5枚")))
        << window.reportPanel()->shownText().toStdString();
    EXPECT_FALSE(window.messageLabel()->isVisible()) << window.messageLabel()->text().toStdString();
}

// The window follows the record without polling, and reading the record (as the window does at
// every reload) changes none of its files: a reload never sets off another one.
TEST(QtTeacherViewTest, TheRecordIsWatchedAndReadingItIsNoChange)
{
    TempFolder temp;
    const fs::path records = temp / "records.sqlite";
    {
        RecordStore store(records);
        store.addChild(u"はなこ");
    }
    int told = 0;
    RecordWatcher watcher(records, [&] { ++told; });
    const auto settle = [] {
        QEventLoop loop;
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        loop.exec();
    };
    for (int reading = 0; reading < 3; ++reading) {
        RecordStore store(records);
        EXPECT_EQ(store.children().size(), 1u);
    }
    settle();
    EXPECT_EQ(told, 0) << "reading the record was taken for a change";

    RecordStore(records).addChild(u"たろう");
    settle();
    EXPECT_EQ(told, 1) << "one change, told once";
}
