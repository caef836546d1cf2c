#include "cards/qt/FolderCheckPanel.h"

#include "app/qt/QtText.h"
#include "cards/CardCaptions.h"
#include "cards/CardName.h"
#include "cards/FolderCheck.h"
#include "cards/qt/QtImageConverter.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QString escaped(const std::u16string& text)
{
    return QtText::toQString(text).toHtmlEscaped();
}

} // namespace

FolderCheckPanel::FolderCheckPanel(QWidget* parent)
    : QWidget(parent)
    , m_converter(std::make_unique<QtImageConverter>())
{
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* list = new QWidget(scroll);
    m_rows = new QVBoxLayout(list);
    m_rows->addStretch();
    scroll->setWidget(list);
    layout->addWidget(scroll, 1);

    auto* again = new QPushButton(QtText::toQString(CardCaptions::kRecheck), this);
    connect(again, &QPushButton::clicked, this, &FolderCheckPanel::recheck);
    layout->addWidget(again, 0, Qt::AlignRight);
}

FolderCheckPanel::~FolderCheckPanel() = default;

void FolderCheckPanel::setFolder(
    const std::filesystem::path& folder, const std::filesystem::path& praiseFile)
{
    m_folder = folder;
    m_praiseFile = praiseFile;
    recheck();
}

void FolderCheckPanel::recheck()
{
    m_findings.clear();
    try {
        m_findings = FolderCheck(m_folder, m_praiseFile).Run();
        m_summary->setText(m_findings.empty()
                ? QStringLiteral("どの絵も、子どもが答えられるカードです。")
                : QStringLiteral("先生に見てほしいところが %1 件あります。")
                      .arg(m_findings.size()));
    } catch (const std::exception& failure) {
        m_summary->setText(QStringLiteral("フォルダーを調べられませんでした：%1")
                               .arg(QtText::fromUtf8(failure.what())));
    }
    rebuildRows();
}

void FolderCheckPanel::rebuildRows()
{
    // The rows go later: the button whose click got here is still inside its handler.
    while (m_rows->count() > 1) {
        QLayoutItem* item = m_rows->takeAt(0);
        if (QWidget* row = item->widget()) {
            row->hide();
            row->deleteLater();
        }
        delete item;
    }
    for (const FolderFinding& finding : m_findings)
        m_rows->insertWidget(m_rows->count() - 1, makeRow(finding));
}

QWidget* FolderCheckPanel::makeRow(const FolderFinding& finding)
{
    auto* row = new QFrame;
    row->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(row);
    auto* text = new QLabel(
        QStringLiteral("<b>%1</b><br>%2<br>%3")
            .arg(escaped(finding.fileName), escaped(finding.reason), escaped(finding.advice)),
        row);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text);
    if (finding.fix == FolderFinding::Fix::None)
        return row;

    auto* actionLine = new QHBoxLayout;
    auto* name = new QLineEdit(QtText::toQString(CardName::Word(finding.suggestedName)), row);
    name->setPlaceholderText(QStringLiteral("新しい名前（ひらがな）"));
    const bool copy = finding.fix == FolderFinding::Fix::MakeJpegCopy;
    auto* button = new QPushButton(
        QtText::toQString(copy ? CardCaptions::kMakeJpeg : CardCaptions::kRenameFile), row);
    actionLine->addWidget(new QLabel(QStringLiteral("名前："), row));
    actionLine->addWidget(name, 1);
    actionLine->addWidget(new QLabel(copy ? QStringLiteral(".jpg") : QString(), row));
    actionLine->addWidget(button);
    layout->addLayout(actionLine);
    auto* answer = new QLabel(row);
    answer->setWordWrap(true);
    answer->setStyleSheet(QStringLiteral("color: #b00000"));
    answer->hide();
    layout->addWidget(answer);

    const FolderFinding held = finding;
    const auto run = [this, held, name, answer]() { act(held, name->text(), answer); };
    connect(button, &QPushButton::clicked, this, run);
    connect(name, &QLineEdit::returnPressed, this, run);
    return row;
}

void FolderCheckPanel::act(const FolderFinding& finding, const QString& word, QLabel* answer)
{
    const FolderActions actions(m_folder, KanaKeyboard::ForFolder(m_folder));
    const std::u16string newWord = QtText::toU16(word.trimmed());
    const FolderActions::Result result = finding.fix == FolderFinding::Fix::MakeJpegCopy
        ? actions.MakeJpegCopy(finding.file, newWord, *m_converter)
        : actions.Rename(finding.file, newWord);
    if (result.outcome != FolderActions::Outcome::Done) {
        answer->setText(QtText::toQString(result.message));
        answer->show();
        return;
    }
    emit folderChanged();
    recheck();
}
