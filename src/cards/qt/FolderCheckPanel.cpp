#include "cards/qt/FolderCheckPanel.h"

#include "cards/CardCaptions.h"
#include "cards/CardName.h"
#include "cards/FolderCheck.h"
#include "cards/qt/QtImageConverter.h"
#include "common/qt/QtText.h"

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
    m_done = new QLabel(this);
    m_done->setWordWrap(true);
    m_done->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_done->setStyleSheet(QStringLiteral("color: #006000"));
    m_done->hide();
    layout->addWidget(m_done);

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
    m_done->clear();
    m_done->hide();
    recheck();
}

QString FolderCheckPanel::lastDone() const
{
    return m_done->text();
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

    // The word is the teacher's to change; the rest of the name (".jpg", ".1.jpg") is the
    // suggestion's, which is free in the folder, or the picture's own.
    auto* actionLine = new QHBoxLayout;
    const bool copy = finding.fix == FolderFinding::Fix::MakeJpegCopy;
    const std::u16string word = CardName::Word(finding.suggestedName);
    const std::u16string rest = finding.suggestedName.empty()
        ? FolderActions::OwnRest(finding.file, copy)
        : finding.suggestedName.substr(word.size());
    auto* name = new QLineEdit(QtText::toQString(word), row);
    name->setPlaceholderText(QStringLiteral("新しい名前（ひらがな）"));
    auto* button = new QPushButton(
        QtText::toQString(copy ? CardCaptions::kMakeJpeg : CardCaptions::kRenameFile), row);
    actionLine->addWidget(new QLabel(QStringLiteral("名前："), row));
    actionLine->addWidget(name, 1);
    auto* restLabel = new QLabel(QtText::toQString(rest), row);
    restLabel->setTextFormat(Qt::PlainText);
    actionLine->addWidget(restLabel);
    actionLine->addWidget(button);
    layout->addLayout(actionLine);
    auto* answer = new QLabel(row);
    answer->setWordWrap(true);
    answer->setStyleSheet(QStringLiteral("color: #b00000"));
    answer->hide();
    layout->addWidget(answer);

    const FolderFinding held = finding;
    const auto run = [this, held, name, rest, answer]() { act(held, name->text(), rest, answer); };
    connect(button, &QPushButton::clicked, this, run);
    connect(name, &QLineEdit::returnPressed, this, run);
    return row;
}

void FolderCheckPanel::act(
    const FolderFinding& finding, const QString& word, const std::u16string& rest, QLabel* answer)
{
    const FolderActions actions(m_folder, KanaKeyboard::ForFolder(m_folder));
    const std::u16string newWord = QtText::toU16(word.trimmed());
    const FolderActions::Result result = finding.fix == FolderFinding::Fix::MakeJpegCopy
        ? actions.MakeJpegCopy(finding.file, newWord, *m_converter, rest)
        : actions.Rename(finding.file, newWord, rest);
    if (result.outcome != FolderActions::Outcome::Done) {
        answer->setText(QtText::toQString(result.message));
        answer->show();
        return;
    }
    m_done->setText(QtText::toQString(result.message));
    m_done->show();
    emit folderChanged();
    recheck();
}
