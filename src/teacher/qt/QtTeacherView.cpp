#include "teacher/qt/QtTeacherView.h"

#include "app/launcher/qt/QtLauncherView.h"
#include "app/qt/JapaneseFileDialog.h"
#include "app/qt/QtText.h"
#include "app/qt/QtWarningBox.h"
#include "teacher/qt/ReportPanel.h"
#include "teacher/qt/ReportPdf.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fs = std::filesystem;

namespace {

QString qtPath(const fs::path& path)
{
    return QtText::fromPath(path);
}

fs::path stdPath(const QString& path)
{
    return QtText::toPath(path);
}

QString text(std::u16string_view value)
{
    return QtText::toQString(value);
}

} // namespace

QtTeacherView::QtTeacherView(
    FolderMemory& memory, const TeacherClock& clock, TeacherWindow::Places places, QWidget* parent)
    : QWidget(parent)
    , m_logic(*this, memory, clock, std::move(places))
{
    setWindowTitle(QStringLiteral(u"タポミ　先生の画面"));
    auto* layout = new QVBoxLayout(this);

    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    // The children and the ways to practise.
    auto* left = new QVBoxLayout;
    columns->addLayout(left, 2);
    auto* childrenBox = new QGroupBox(QStringLiteral(u"子ども"), this);
    auto* childrenLayout = new QVBoxLayout(childrenBox);
    m_children = new QTreeWidget(childrenBox);
    m_children->setColumnCount(2);
    m_children->setHeaderLabels(
        { QStringLiteral(u"名前"), QStringLiteral(u"前に使ったカードのフォルダー") });
    m_children->setRootIsDecorated(false);
    m_children->setUniformRowHeights(true);
    m_children->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_children->setAccessibleName(QStringLiteral(u"子どもの一覧"));
    childrenLayout->addWidget(m_children, 1);

    auto* editRow = new QHBoxLayout;
    m_add = new QPushButton(QStringLiteral(u"追加する"), childrenBox);
    editRow->addWidget(m_add);
    editRow->addWidget(makeButton(QStringLiteral(u"名前を変える"), Control::Rename));
    editRow->addWidget(makeButton(QStringLiteral(u"消す"), Control::Remove));
    childrenLayout->addLayout(editRow);
    childrenLayout->addWidget(
        makeButton(QStringLiteral(u"カードのフォルダーをえらぶ"), Control::ChooseFolder));
    left->addWidget(childrenBox, 1);

    QPushButton* start = makeButton(QStringLiteral(u"この子の練習をはじめる"), Control::Start);
    QFont big = start->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    start->setFont(big);
    start->setMinimumHeight(start->sizeHint().height() * 3 / 2);
    left->addWidget(start);
    m_practise = new QPushButton(QStringLiteral(u"記録しないで練習"), this);
    m_practise->setToolTip(QStringLiteral(u"子どもをえらばずに練習します。記録はのこりません。"));
    left->addWidget(m_practise);

    auto* toolsBox = new QGroupBox(QStringLiteral(u"カードの道具"), this);
    auto* toolsLayout = new QHBoxLayout(toolsBox);
    toolsLayout->addWidget(makeButton(QStringLiteral(u"フォルダーを調べる"), Control::CheckFolder));
    toolsLayout->addWidget(makeButton(QStringLiteral(u"カードをつくる"), Control::MakeCards));
    left->addWidget(toolsBox);

    // The report, which scrolls when the screen is small or the text large.
    auto* right = new QVBoxLayout;
    columns->addLayout(right, 3);
    m_report = new ReportPanel;
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(m_report);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    right->addWidget(scroll, 1);
    auto* exportRow = new QHBoxLayout;
    exportRow->addStretch();
    exportRow->addWidget(makeButton(QStringLiteral(u"CSV で保存（表計算）"), Control::ExportCsv));
    exportRow->addWidget(makeButton(QStringLiteral(u"PDF で保存（印刷用）"), Control::ExportPdf));
    right->addLayout(exportRow);

    // Problems of the record, kept in view until the teacher has read them.
    m_messageArea = new QFrame(this);
    m_messageArea->setFrameShape(QFrame::StyledPanel);
    m_messageArea->setAutoFillBackground(true);
    QPalette warm = m_messageArea->palette();
    warm.setColor(QPalette::Window, QColor(0xff, 0xf4, 0xe5));
    m_messageArea->setPalette(warm);
    auto* messageLayout = new QHBoxLayout(m_messageArea);
    m_messageText = new QLabel(m_messageArea);
    m_messageText->setWordWrap(true);
    m_messageText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    messageLayout->addWidget(m_messageText, 1);
    auto* dismiss = new QPushButton(QStringLiteral(u"とじる"), m_messageArea);
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

void QtTeacherView::open()
{
    m_logic.open();
    if (m_children->topLevelItemCount() == 0)
        m_practise->setFocus();
    else
        m_children->setFocus();
}

void QtTeacherView::setChildren(const std::vector<ChildRow>& rows, int selected)
{
    // Filling the list is not the teacher choosing a child.
    const QSignalBlocker quiet(m_children);
    m_children->clear();
    for (const ChildRow& row : rows)
        new QTreeWidgetItem(m_children, { text(row.name), text(row.folder) });
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
    dialog.setLabelText(text(question));
    dialog.setTextValue(text(current));
    dialog.setOkButtonText(QStringLiteral(u"決める"));
    dialog.setCancelButtonText(QStringLiteral(u"やめる"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return QtText::toU16(dialog.textValue());
}

bool QtTeacherView::confirm(std::u16string_view question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral(u"タポミ"), text(question),
        QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(QStringLiteral(u"消す"), QMessageBox::DestructiveRole);
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
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return stdPath(QDir::cleanPath(dialog->selectedFiles().constFirst()));
}

std::optional<fs::path> QtTeacherView::askForFile(FileKind kind, const fs::path& suggested)
{
    const bool csv = kind == FileKind::Csv;
    // Each export comes back to the folder it was last saved in, at first the documents.
    JapaneseFileDialog dialog(this,
        csv ? QStringLiteral(u"CSV の保存先") : QStringLiteral(u"PDF の保存先"),
        csv ? QStringLiteral("csv") : QStringLiteral("pdf"), QStringLiteral(u"保存"),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(
        csv ? QStringLiteral(u"CSV ファイル (*.csv)") : QStringLiteral(u"PDF ファイル (*.pdf)"));
    dialog.setDefaultSuffix(csv ? QStringLiteral("csv") : QStringLiteral("pdf"));
    dialog.selectFile(qtPath(suggested));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return stdPath(dialog.selectedFiles().constFirst());
}

std::optional<std::u16string> QtTeacherView::writePdf(const fs::path& file, const Report& report)
{
    return ReportPdf::Save(file, report);
}

bool QtTeacherView::startDrill(const DrillLaunch& launch)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : launch.setVariables)
        environment.insert(QString::fromStdString(name), QtText::fromUtf8(value));
    for (const std::string& name : launch.unsetVariables)
        environment.remove(QString::fromStdString(name));
    m_drill->setProcessEnvironment(environment);
    m_drill->setProgram(qtPath(launch.program));
    // The folder is the drill's one argument, taken whole, blanks and all.
    m_drill->setArguments({ qtPath(launch.folder) });
    m_drill->setWorkingDirectory(qtPath(launch.workingDirectory));
    m_drill->start();
    if (!m_drill->waitForStarted())
        return false;
    hide();
    return true;
}

void QtTeacherView::drillFinished()
{
    show();
    raise();
    activateWindow();
    m_logic.drillEnded(m_drill->exitStatus() == QProcess::CrashExit, m_drill->exitCode());
}
