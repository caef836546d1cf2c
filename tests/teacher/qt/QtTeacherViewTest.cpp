#include "teacher/qt/QtTeacherView.h"

#include "common/qt/JapaneseFont.h"
#include "data/PathText.h"
#include "record/RecordStore.h"
#include "teacher/FolderMemory.h"
#include "teacher/TeacherClock.h"
#include "teacher/TeacherTool.h"
#include "teacher/qt/RecordWatcher.h"
#include "teacher/qt/ReportPanel.h"
#include "teacher/qt/ReportPdf.h"

#include "common/qt/QtText.h"

#include "media/TempFolder.h"

#include "cards/CardCaptions.h"
#include "cards/qt/CardMakerDialog.h"
#include "common/qt/JapaneseFont.h"
#include "common/qt/QtText.h"
#include "teacher/qt/CardMakerTool.h"
#include "teacher/qt/DayChart.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>

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

QString qtPath(const fs::path& path)
{
    return QtText::fromPath(path);
}

// A folder as the file system knows it, for comparing folders however they are written.
std::string canonical(const QString& folder)
{
    return QFileInfo(folder).canonicalFilePath().toStdString();
}

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

// A card folder with one card, and a record whose one child, はなこ, practises on it.
void recordWithHanako(const fs::path& records, const fs::path& cards)
{
    fs::create_directories(cards);
    std::ofstream(cards / PathText::fromUtf8("りんご.jpg")) << "apple";
    RecordStore store(records);
    store.setLastFolder(store.addChild(u"はなこ"), cards);
}

TEST(QtTeacherViewTest, StartsTheDrillAsAProgramAndComesBackWithTheReport)
{
    TempFolder temp;
    const fs::path records = temp / "records.sqlite";
    const fs::path work = temp / "work";
    const fs::path cards = temp / "えカード 1組";
    fs::create_directories(work);
    recordWithHanako(records, cards);
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
// window the size the launcher gives it on a 1366×768 screen: the field takes no more and shows
// them all, and the name is kept whole (how the list and the report fit it is the layout test's).
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
}

// A card tool that has something new to say each time it runs.
class TalkativeTool final : public TeacherTool
{
public:
    std::optional<std::u16string> run(const fs::path&) override
    {
        return u"知らせ " + QtText::toU16(QString::number(++m_runs))
            + u" 回目：フォルダーの名前がとても長いときも、ここに出ます。";
    }

private:
    int m_runs = 0;
};

// Answers each dialog of a kind as it appears, once the dialog's own event loop runs.
template<typename Dialog> class Answers final : public QObject
{
public:
    explicit Answers(std::function<void(Dialog&)> answer)
        : m_answer(std::move(answer))
    {
        qApp->installEventFilter(this);
    }
    ~Answers() override { qApp->removeEventFilter(this); }
    Answers(const Answers&) = delete;
    Answers& operator=(const Answers&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<Dialog*>(watched);
        if (dialog != nullptr && event->type() == QEvent::Show)
            QTimer::singleShot(0, dialog, [this, dialog] { m_answer(*dialog); });
        return false;
    }

private:
    std::function<void(Dialog&)> m_answer;
};

// The titles of a file dialog's columns, then the words on its buttons.
QStringList shownWords(const QFileDialog& dialog)
{
    QStringList words;
    if (const auto* view = dialog.findChild<QTreeView*>()) {
        for (int column = 0; column < view->model()->columnCount(); ++column)
            words << view->model()->headerData(column, Qt::Horizontal).toString();
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        words << button->text();
    return words;
}

// The window's widgets settle their sizes over a few turns of the event loop.
void settle()
{
    for (int turn = 0; turn < 5; ++turn)
        QApplication::processEvents();
}

TEST(QtTeacherViewTest, FitsLaptopAndLargeScreensAtBothScalesWithALongNameWithoutScrollingSideways)
{
    // At 200 % a window has half the screen's pixels for the same fonts; the launcher opens it
    // at nine tenths of the screen.
    struct Screen
    {
        const char* name;
        QSize logical;
    };
    const Screen screens[] = {
        { "1366x768 at 100%", QSize(1366, 768) },
        { "1366x768 at 200%", QSize(683, 384) },
        { "1920x1080 at 100%", QSize(1920, 1080) },
        { "1920x1080 at 200%", QSize(960, 540) },
    };
    const QString longName = QStringLiteral(u"寿限無寿限無五劫の擦り切れ海砂利水魚の水"); // 20

    TempFolder temp;
    const fs::path records = temp / "records.sqlite";
    const fs::path cards = temp / "cards";
    fs::create_directories(cards);
    std::ofstream(cards / "apple.jpg") << "apple";
    {
        RecordStore store(records);
        store.addChild(u"はなこ");
        store.setLastFolder(store.addChild(QtText::toU16(longName)), cards);
    }
    // The launcher's font.
    const QFont before = QApplication::font();
    QApplication::setFont(QFont(JapaneseFont::chooseFamily(), 12));
    NoFolderMemory memory;
    const FixedClock clock;
    // No drill to start: each start leaves a message that says so, with the long path.
    QtTeacherView window(memory, clock, { temp / "no drill here", temp.path(), records });
    TalkativeTool tool;
    window.logic().attachTool(Control::CheckFolder, &tool);
    window.show();
    window.open();
    QTreeWidget& list = *window.childList();
    const auto longRow = list.findItems(longName, Qt::MatchExactly);
    ASSERT_EQ(longRow.size(), 1);
    list.setCurrentItem(longRow.front());
    window.button(Control::Start)->click();

    for (const Screen& screen : screens) {
        SCOPED_TRACE(screen.name);
        const QSize size = screen.logical * 9 / 10;
        window.resize(size);
        settle();
        EXPECT_EQ(window.width(), size.width()) << "the window needs no wider a screen";
        EXPECT_EQ(window.height(), size.height()) << "the window needs no taller a screen";
        for (const QAbstractScrollArea* area : window.findChildren<QAbstractScrollArea*>())
            EXPECT_FALSE(area->horizontalScrollBar()->isVisible())
                << area->metaObject()->className();

        // The report, its heading and its chart lie inside the report's pane.
        const QScrollArea& pane = *window.reportArea();
        const QWidget& viewport = *pane.viewport();
        EXPECT_LE(window.reportPanel()->width(), viewport.width());
        for (const QWidget* part : std::initializer_list<const QWidget*> {
                 window.reportPanel()->findChild<QLabel*>(), window.reportPanel()->chart() }) {
            const QPoint left = part->mapTo(&viewport, QPoint(0, 0));
            EXPECT_GE(left.x(), 0);
            EXPECT_LE(left.x() + part->width(), viewport.width());
        }
        const QLabel& heading = *window.reportPanel()->findChild<QLabel*>();
        ASSERT_TRUE(heading.text().startsWith(longName));
        EXPECT_GE(heading.height(), heading.heightForWidth(heading.width()))
            << "the heading's last line is not cut";

        // The name in the list is whole: its row is as tall as the name wrapped in its column.
        const QRect row = list.visualItemRect(longRow.front());
        const int margin
            = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
        const QRect wrapped = list.fontMetrics().boundingRect(
            QRect(0, 0, list.columnWidth(0) - 2 * margin, 10000), Qt::TextWordWrap, longName);
        EXPECT_GE(row.height(), wrapped.height());
        EXPECT_LE(list.columnWidth(0), list.viewport()->width());
    }

    // More messages scroll within the message area, which keeps its height, and so does the
    // report's pane.
    ASSERT_TRUE(window.messageArea()->isVisible());
    const int areaHeight = window.messageArea()->height();
    const int paneHeight = window.reportArea()->height();
    window.button(Control::CheckFolder)->click();
    window.button(Control::CheckFolder)->click();
    settle();
    ASSERT_TRUE(window.messageLabel()->text().contains(QStringLiteral(u"はじめられませんでした")));
    ASSERT_TRUE(window.messageLabel()->text().contains(QStringLiteral(u"知らせ 2 回目")));
    EXPECT_EQ(window.messageArea()->height(), areaHeight);
    EXPECT_EQ(window.reportArea()->height(), paneHeight);
    EXPECT_GT(window.messageLabel()->height(), window.messageLabel()->parentWidget()->height())
        << "three messages are more than the area shows at once";
    QApplication::setFont(before);
}

TEST(QtTeacherViewTest, OpensTheHelpThatNamesEveryButtonFromF1AndItsButtonOrSaysWhereItIsMissing)
{
    TempFolder temp;
    const fs::path page = PathText::fromUtf8(TAPOMI_HELP_PAGE);
    const QString help = QString::fromUtf8(read(page));
    ASSERT_TRUE(help.contains(QStringLiteral("</html>"))) << PathText::utf8(page);
    NoFolderMemory memory;
    const FixedClock clock;
    QtTeacherView window(memory, clock, { temp / "drill", temp.path(), temp / "records.sqlite" });
    window.setHelpPage(page);

    // The help calls each button, box and period as the window does.
    QStringList words;
    for (const QPushButton* button : window.findChildren<QPushButton*>())
        words << button->text();
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        words << box->title();
    for (int period = 0; period < window.reportPanel()->periodBox()->count(); ++period)
        words << window.reportPanel()->periodBox()->itemText(period);
    ASSERT_GE(words.size(), 20);
    for (const QString& word : words)
        EXPECT_TRUE(
            help.contains(QStringLiteral(u"「") + word.toHtmlEscaped() + QStringLiteral(u"」")))
            << word.toStdString();

    // A text browser stands in for the desktop's.
    QTextBrowser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "setSource");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(browser.source(), QUrl::fromLocalFile(qtPath(page)));
    EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral(u"先生の画面")));
    browser.setSource(QUrl());
    window.helpButton()->click();
    EXPECT_EQ(browser.source(), QUrl::fromLocalFile(qtPath(page)));

    // Without the page, a message names the file looked for.
    QStringList messages;
    const Answers<QMessageBox> boxes([&messages](QMessageBox& box) {
        messages << box.text();
        box.accept();
    });
    window.setHelpPage(temp / "missing" / "index.html");
    window.helpButton()->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral(u"ヘルプ")));
    EXPECT_TRUE(
        messages[0].contains(QDir::toNativeSeparators(qtPath(temp / "missing" / "index.html"))));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

TEST(QtTeacherViewTest, FileDialogsOpenAwayFromTheRecordWhereTheyWereLeftWithJapaneseColumns)
{
    TempFolder temp;
    const fs::path data = temp / "data"; // the working directory, where the record lives
    const fs::path cards = temp / "cards";
    const fs::path elsewhere = temp / "elsewhere";
    for (const fs::path& folder : { data, cards, elsewhere })
        fs::create_directories(folder);
    std::ofstream(cards / "apple.jpg") << "apple";
    std::ofstream(elsewhere / "photo.jpg") << "photo";
    const fs::path records = data / "records.sqlite";
    {
        RecordStore store(records);
        store.setLastFolder(store.addChild(u"はなこ"), cards);
    }
    // Settings need a program's name to be kept (on Windows in the registry).
    QCoreApplication::setOrganizationName(QStringLiteral("tapomi-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("tapomi_teacher_qt_tests"));
    QStandardPaths::setTestModeEnabled(true);
    QSettings().remove(QStringLiteral("fileDialogs"));
    // A dialog left in the working directory last time does not open there again.
    QSettings().setValue(QStringLiteral("fileDialogs/pdf"), qtPath(data));
    const QString before = QDir::currentPath();
    QDir::setCurrent(qtPath(data));

    NoFolderMemory memory;
    const FixedClock clock;
    QtTeacherView window(memory, clock, { temp / "drill", data, records });
    CardMakerTool cardMaker(&window, [] { return nullptr; });
    window.logic().attachTool(Control::MakeCards, &cardMaker);
    window.show();
    window.open();
    window.childList()->setCurrentItem(window.childList()->topLevelItem(0));

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const auto orHome = [](const QString& folder) {
        return QFileInfo(folder).isDir() ? QDir(folder).absolutePath() : QDir::homePath();
    };
    struct Dialog
    {
        const char* name;
        QPushButton* button;
        QString first; // where it opens the first time
        QString chosen; // what is chosen in it: it opens there the next time
    };
    const Dialog dialogs[] = {
        { "CSV", window.button(Control::ExportCsv), orHome(documents),
            qtPath(elsewhere / "はなこ.csv") },
        { "PDF", window.button(Control::ExportPdf), orHome(documents),
            qtPath(elsewhere / "はなこ.pdf") },
        { "picture", window.button(Control::MakeCards), orHome(pictures),
            qtPath(elsewhere / "photo.jpg") },
    };
    const QStringList columns { QStringLiteral(u"名前"), QStringLiteral(u"大きさ"),
        QStringLiteral(u"種類"), QStringLiteral(u"更新日時") };
    const QString cancel = QStringLiteral(u"やめる");
    // Each dialog is answered with the next choice, or cancelled when none is left; the card
    // maker is asked for a picture, then closed.
    QStringList choices;
    std::vector<std::pair<std::string, QStringList>> seen; // where it opened, its columns
    const Answers<QFileDialog> files([&](QFileDialog& dialog) {
        seen.emplace_back(canonical(dialog.directory().absolutePath()), shownWords(dialog));
        if (choices.isEmpty())
            return dialog.reject();
        dialog.selectFile(choices.takeFirst());
        static_cast<QDialog&>(dialog).accept(); // QFileDialog's own is not public
    });
    const Answers<CardMakerDialog> maker([](CardMakerDialog& dialog) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == QtText::toQString(CardCaptions::kChoosePicture))
                button->click();
        }
        dialog.reject();
    });
    for (const Dialog& dialog : dialogs) {
        SCOPED_TRACE(dialog.name);
        seen.clear();
        choices = { dialog.chosen };
        dialog.button->click();
        dialog.button->click();
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].first, canonical(dialog.first));
        EXPECT_EQ(seen[1].first, canonical(qtPath(elsewhere))) << "where it was left";
        EXPECT_EQ(seen[0].second.mid(0, 4), columns);
        EXPECT_TRUE(seen[0].second.contains(cancel)) << seen[0].second.join(u' ').toStdString();
    }
    EXPECT_TRUE(fs::exists(elsewhere / "はなこ.csv"));

    // The folder dialogs open on the folder the window offers, in Japanese too.
    for (QPushButton* button : { window.button(Control::ChooseFolder), window.practiseButton() }) {
        seen.clear();
        button->click();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].second.mid(0, 4), columns);
        EXPECT_TRUE(seen[0].second.contains(cancel)) << seen[0].second.join(u' ').toStdString();
    }
    QDir::setCurrent(before);
    QSettings().remove(QStringLiteral("fileDialogs"));
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
    recordWithHanako(records, cards);
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
