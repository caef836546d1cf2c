#include "teacher/qt/QtTeacherView.h"

#include "common/ProgramFiles.h"
#include "common/qt/JapaneseFileDialog.h"
#include "common/qt/QtText.h"
#include "common/qt/QtWarningBox.h"
#include "common/qt/VerticalScrollArea.h"
#include "record/ChildName.h"
#include "teacher/TeacherCaptions.h"
#include "teacher/qt/ChildList.h"
#include "teacher/qt/QtLauncherView.h"
#include "teacher/qt/RecordWatcher.h"
#include "teacher/qt/ReportPanel.h"
#include "teacher/qt/ReportPdf.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QValidator>

namespace fs = std::filesystem;

namespace {

QString text(std::u16string_view value)
{
    return QtText::toQString(value);
}

// Stops the name field at the record's length, counted as the record counts it: Unicode
// characters of the cleaned name, so that a kanji past U+FFFF is one and blanks around don't
// count.
class NameLength final : public QValidator
{
public:
    explicit NameLength(QObject* parent)
        : QValidator(parent)
    { }
    State validate(QString& input, int&) const override
    {
        const QString cleaned = text(ChildName::Cleaned(QtText::toU16(input)));
        return static_cast<std::size_t>(cleaned.toUcs4().size()) <= ChildName::kMostCharacters
            ? Acceptable
            : Invalid;
    }
};

} // namespace

QtTeacherView::QtTeacherView(
    FolderMemory& memory, const TeacherClock& clock, TeacherWindow::Places places, QWidget* parent)
    : QWidget(parent)
    , m_logic(*this, memory, clock, std::move(places))
    , m_helpPage(ProgramFiles::dataFolder() / "help" / "index.html")
{
    setWindowTitle(QStringLiteral(u"タポミ　先生の画面"));
    auto* layout = new QVBoxLayout(this);

    // Both sides scroll up and down when the screen is small or the text large, never sideways:
    // the names, the report and the messages wrap instead.
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    // The children and the ways to practise.
    auto* leftSide = new QWidget;
    auto* left = new QVBoxLayout(leftSide);
    left->setContentsMargins(0, 0, 0, 0);
    columns->addWidget(new VerticalScrollArea(leftSide, this), 2);
    auto* childrenBox = new QGroupBox(text(TeacherCaptions::kChildren), leftSide);
    auto* childrenLayout = new QVBoxLayout(childrenBox);
    m_children = new ChildList(childrenBox);
    m_children->setMinimumHeight(m_children->fontMetrics().height() * 5);
    childrenLayout->addWidget(m_children, 1);

    auto* editRow = new QHBoxLayout;
    m_add = new QPushButton(text(TeacherCaptions::kAdd), childrenBox);
    editRow->addWidget(m_add);
    editRow->addWidget(makeButton(text(TeacherCaptions::kRename), Control::Rename));
    editRow->addWidget(makeButton(text(TeacherCaptions::kRemove), Control::Remove));
    childrenLayout->addLayout(editRow);
    childrenLayout->addWidget(
        makeButton(text(TeacherCaptions::kChooseFolder), Control::ChooseFolder));
    left->addWidget(childrenBox, 1);

    QPushButton* start = makeButton(text(TeacherCaptions::kStart), Control::Start);
    QFont big = start->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    start->setFont(big);
    start->setMinimumHeight(start->sizeHint().height() * 3 / 2);
    left->addWidget(start);
    m_practise = new QPushButton(text(TeacherCaptions::kPractise), leftSide);
    m_practise->setToolTip(QStringLiteral(u"子どもをえらばずに練習します。記録はのこりません。"));
    left->addWidget(m_practise);

    auto* toolsBox = new QGroupBox(text(TeacherCaptions::kCardTools), leftSide);
    auto* toolsLayout = new QHBoxLayout(toolsBox);
    toolsLayout->addWidget(makeButton(text(TeacherCaptions::kCheckFolder), Control::CheckFolder));
    toolsLayout->addWidget(makeButton(text(TeacherCaptions::kMakeCards), Control::MakeCards));
    left->addWidget(toolsBox);
    m_help = new QPushButton(text(TeacherCaptions::kHelp), leftSide);
    m_help->setToolTip(QStringLiteral(u"先生の画面のつかいかたを開きます（F1）"));
    left->addWidget(m_help, 0, Qt::AlignRight);

    // The report.
    auto* right = new QVBoxLayout;
    columns->addLayout(right, 3);
    m_report = new ReportPanel;
    m_reportArea = new VerticalScrollArea(m_report, this);
    right->addWidget(m_reportArea, 1);
    auto* exportRow = new QHBoxLayout;
    exportRow->addStretch();
    QPushButton* csv = makeButton(text(TeacherCaptions::kExportCsv), Control::ExportCsv);
    csv->setToolTip(QStringLiteral(u"表計算ソフトで開けるファイルにします"));
    exportRow->addWidget(csv);
    QPushButton* pdf = makeButton(text(TeacherCaptions::kExportPdf), Control::ExportPdf);
    pdf->setToolTip(QStringLiteral(u"印刷できる A4 1枚のまとめにします"));
    exportRow->addWidget(pdf);
    right->addLayout(exportRow);

    // Problems of the record, kept in view until the teacher has read them. The area keeps its
    // height however many there are, and scrolls.
    m_messageArea = new QFrame(this);
    m_messageArea->setFrameShape(QFrame::StyledPanel);
    m_messageArea->setAutoFillBackground(true);
    QPalette warm = m_messageArea->palette();
    warm.setColor(QPalette::Window, QColor(0xff, 0xf4, 0xe5));
    m_messageArea->setPalette(warm);
    auto* messageLayout = new QHBoxLayout(m_messageArea);
    m_messageText = new QLabel;
    m_messageText->setWordWrap(true);
    m_messageText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_messageText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* messageScroll = new VerticalScrollArea(m_messageText, m_messageArea);
    messageScroll->viewport()->setAutoFillBackground(false);
    m_messageText->setAutoFillBackground(false);
    messageScroll->setFixedHeight(m_messageText->fontMetrics().lineSpacing() * kMessageLines);
    // The newest message is the last: a new one is scrolled into view.
    connect(messageScroll->verticalScrollBar(), &QScrollBar::rangeChanged, messageScroll,
        [messageScroll](int, int bottom) { messageScroll->verticalScrollBar()->setValue(bottom); });
    messageLayout->addWidget(messageScroll, 1);
    auto* dismiss = new QPushButton(text(TeacherCaptions::kDismiss), m_messageArea);
    messageLayout->addWidget(dismiss, 0, Qt::AlignTop);
    m_messageArea->setVisible(false);
    layout->addWidget(m_messageArea);

    connect(
        m_children, &QTreeWidget::currentItemChanged, this, [this] { m_logic.childSelected(); });
    connect(m_children, &QTreeWidget::itemActivated, this, [this] { m_logic.startClicked(); });
    connect(m_add, &QPushButton::clicked, this, [this] { m_logic.addChildClicked(); });
    connect(m_practise, &QPushButton::clicked, this,
        [this] { m_logic.practiseWithoutRecordClicked(); });
    connect(m_report, &ReportPanel::periodChanged, this, [this] { m_logic.periodChanged(); });
    connect(dismiss, &QPushButton::clicked, this, [this] { m_logic.messagesDismissed(); });
    const std::pair<Control, void (TeacherWindow::*)()> actions[] = {
        { Control::Start, &TeacherWindow::startClicked },
        { Control::Rename, &TeacherWindow::renameClicked },
        { Control::Remove, &TeacherWindow::removeClicked },
        { Control::ChooseFolder, &TeacherWindow::chooseFolderClicked },
        { Control::ExportCsv, &TeacherWindow::exportCsvClicked },
        { Control::ExportPdf, &TeacherWindow::exportPdfClicked },
    };
    for (const auto& [control, action] : actions) {
        connect(m_buttons.at(control), &QPushButton::clicked, this,
            [this, action = action] { (m_logic.*action)(); });
    }
    for (const Control tool : { Control::CheckFolder, Control::MakeCards }) {
        connect(m_buttons.at(tool), &QPushButton::clicked, this,
            [this, tool] { m_logic.toolClicked(tool); });
    }
    auto* quit = new QShortcut(QKeySequence::Quit, this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &QtTeacherView::openHelp);
    connect(m_help, &QPushButton::clicked, this, &QtTeacherView::openHelp);

    m_drill = new QProcess(this);
    m_drill->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(m_drill, &QProcess::finished, this, &QtTeacherView::drillFinished);
}

QPushButton* QtTeacherView::makeButton(const QString& caption, Control control)
{
    auto* button = new QPushButton(caption, this);
    m_buttons[control] = button;
    return button;
}

void QtTeacherView::setHelpPage(fs::path page)
{
    m_helpPage = std::move(page);
}

QTreeWidget* QtTeacherView::childList() const
{
    return m_children;
}

void QtTeacherView::open()
{
    m_logic.open();
    // From now on what other programs do to the record shows here without a restart.
    if (!m_watcher) {
        m_watcher = new RecordWatcher(
            m_logic.places().records, [this] { m_logic.recordChanged(); }, this);
    }
    if (m_children->topLevelItemCount() == 0)
        m_practise->setFocus();
    else
        m_children->setFocus();
}

void QtTeacherView::setChildren(const std::vector<ChildRow>& rows, int selected)
{
    // Filling the list is not the teacher choosing a child.
    const QSignalBlocker quiet(m_children);
    QList<QPair<QString, QString>> shown;
    for (const ChildRow& row : rows)
        shown.append({ text(row.name), text(row.folder) });
    m_children->setRows(shown);
    if (selected >= 0 && selected < m_children->topLevelItemCount())
        m_children->setCurrentItem(m_children->topLevelItem(selected));
}

int QtTeacherView::selectedChild() const
{
    QTreeWidgetItem* current = m_children->currentItem();
    return current ? m_children->indexOfTopLevelItem(current) : -1;
}

ReportPeriod::Choice QtTeacherView::period() const
{
    return m_report->period();
}

void QtTeacherView::showReport(const std::optional<Report>& report)
{
    m_report->showReport(report);
}

void QtTeacherView::setMessages(const std::vector<std::u16string>& messages)
{
    QStringList lines;
    for (const std::u16string& message : messages)
        lines.append(text(message));
    m_messageText->setText(lines.join(QStringLiteral("\n\n")));
    m_messageArea->setVisible(!lines.isEmpty());
}

void QtTeacherView::setControlEnabled(Control control, bool enabled)
{
    m_buttons.at(control)->setEnabled(enabled);
}

std::optional<std::u16string> QtTeacherView::askName(
    std::u16string_view question, std::u16string_view current)
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral(u"タポミ"));
    dialog.setLabelText(
        text(question) + QStringLiteral(u"（%1文字まで）").arg(ChildName::kMostCharacters));
    dialog.setTextValue(text(current));
    dialog.setOkButtonText(QStringLiteral(u"決める"));
    dialog.setCancelButtonText(QStringLiteral(u"やめる"));
    // A name as long as the record takes shows whole, wide kanji and all (two more for the
    // field's frame and margins).
    if (auto* field = dialog.findChild<QLineEdit*>()) {
        field->setValidator(new NameLength(field));
        const QString widest(static_cast<qsizetype>(ChildName::kMostCharacters + 2), QChar(u'漢'));
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(widest));
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return QtText::toU16(dialog.textValue());
}

bool QtTeacherView::confirm(std::u16string_view question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral(u"タポミ"), text(question),
        QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(text(TeacherCaptions::kRemove), QMessageBox::DestructiveRole);
    QPushButton* no = box.addButton(QStringLiteral(u"やめる"), QMessageBox::RejectRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtTeacherView::warn(std::u16string_view message)
{
    QtWarningBox(this).ShowWarning(message, u"タポミ");
}

std::optional<fs::path> QtTeacherView::askForFolder(const fs::path& offered)
{
    const std::unique_ptr<QFileDialog> dialog = QtLauncherView::folderDialog(offered);
    dialog->setParent(this, dialog->windowFlags());
    dialog->resize(size() * 3 / 4);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return QtText::toPath(QDir::cleanPath(dialog->selectedFiles().constFirst()));
}

std::optional<fs::path> QtTeacherView::askForFile(FileKind kind, const fs::path& suggested)
{
    const bool csv = kind == FileKind::Csv;
    // Each export comes back to the folder it was last saved in, at first the documents.
    JapaneseFileDialog dialog(this,
        csv ? QStringLiteral(u"CSV の保存先") : QStringLiteral(u"PDF の保存先"),
        csv ? QStringLiteral("csv") : QStringLiteral("pdf"), QStringLiteral(u"保存"),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(
        csv ? QStringLiteral(u"CSV ファイル (*.csv)") : QStringLiteral(u"PDF ファイル (*.pdf)"));
    dialog.setDefaultSuffix(csv ? QStringLiteral("csv") : QStringLiteral("pdf"));
    dialog.selectFile(QtText::fromPath(suggested));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QtText::toPath(dialog.selectedFiles().constFirst());
}

std::optional<std::u16string> QtTeacherView::writePdf(const fs::path& file, const Report& report)
{
    return ReportPdf::Save(file, m_logic.places().records, report);
}

bool QtTeacherView::startDrill(const DrillLaunch& launch)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : launch.setVariables)
        environment.insert(QString::fromStdString(name), QtText::fromUtf8(value));
    for (const std::string& name : launch.unsetVariables)
        environment.remove(QString::fromStdString(name));
    m_drill->setProcessEnvironment(environment);
    m_drill->setProgram(QtText::fromPath(launch.program));
    // The folder is the drill's one argument, taken whole, blanks and all.
    m_drill->setArguments({ QtText::fromPath(launch.folder) });
    m_drill->setWorkingDirectory(QtText::fromPath(launch.workingDirectory));
    m_drill->start();
    if (!m_drill->waitForStarted())
        return false;
    hide();
    return true;
}

void QtTeacherView::openHelp()
{
    const QString page = QtText::fromPath(m_helpPage);
    if (!QFileInfo(page).isFile()) {
        warn(u"ヘルプのページが見つかりません。タポミをインストールしなおしてください。\n"
            + QtText::toU16(QDir::toNativeSeparators(page)));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page))) {
        warn(u"ヘルプのページを開けませんでした。ブラウザーで次のファイルを開いてください。\n"
            + QtText::toU16(QDir::toNativeSeparators(page)));
    }
}

void QtTeacherView::drillFinished()
{
    show();
    raise();
    activateWindow();
    m_logic.drillEnded(m_drill->exitStatus() == QProcess::CrashExit, m_drill->exitCode());
}
