#include "cards/qt/CardMakerDialog.h"

#include "cards/CardCaptions.h"
#include "cards/CardName.h"
#include "cards/qt/CardImage.h"
#include "cards/qt/CardPreview.h"
#include "cards/qt/CropView.h"
#include "cards/qt/KanaBoard.h"
#include "cards/qt/KanaNameField.h"
#include "common/qt/JapaneseFileDialog.h"
#include "common/qt/QtText.h"
#include "media/SoundPlayer.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

CardMakerDialog::CardMakerDialog(std::filesystem::path folder, QWidget* parent, SoundPlayer* sound)
    : QDialog(parent)
    , m_actions(folder, KanaKeyboard::ForFolder(folder))
    , m_name(m_actions.keyboards())
    , m_sound(sound)
{
    setWindowTitle(QStringLiteral("カードをつくる"));
    setAcceptDrops(true);

    auto* pictureButtons = new QHBoxLayout;
    auto* choose = new QPushButton(QtText::toQString(CardCaptions::kChoosePicture), this);
    auto* pasteButton = new QPushButton(QtText::toQString(CardCaptions::kPaste), this);
    pictureButtons->addWidget(choose);
    pictureButtons->addWidget(pasteButton);
    pictureButtons->addWidget(
        new QLabel(QStringLiteral("（絵をこの窓にドラッグしても入ります）"), this), 1);
    connect(choose, &QPushButton::clicked, this, &CardMakerDialog::chooseFile);
    connect(pasteButton, &QPushButton::clicked, this, &CardMakerDialog::paste);
    auto* pasteKey = new QShortcut(QKeySequence::Paste, this);
    connect(pasteKey, &QShortcut::activated, this, &CardMakerDialog::paste);

    m_cropView = new CropView(this);
    m_preview = new CardPreview(this);
    connect(m_cropView, &CropView::cropChanged, this, &CardMakerDialog::refreshPreview);
    auto* pictures = new QGridLayout;
    pictures->addWidget(new QLabel(QStringLiteral("使うところをドラッグでえらびます"), this), 0, 0);
    pictures->addWidget(new QLabel(QStringLiteral("タポミではこう見えます"), this), 0, 1);
    pictures->addWidget(m_cropView, 1, 0);
    pictures->addWidget(m_preview, 1, 1);

    m_nameField = new KanaNameField(this);
    connect(m_nameField, &KanaNameField::keyTyped, this, &CardMakerDialog::keyTyped);
    m_board = new KanaBoard(m_actions.keyboards().front(), this);
    connect(m_board, &KanaBoard::picked, this, &CardMakerDialog::kanaPicked);
    connect(m_board, &KanaBoard::erased, this, [this]() { keyTyped(8); });
    auto* nameHelp = new QLabel(
        QStringLiteral("名前：子どもと同じかなのキーで打つか（@ で濁点、[ で半濁点、Backspace で"
                       "1字消す）、下の50音からえらびます。"),
        this);
    nameHelp->setWordWrap(true);

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_saveButton = new QPushButton(QtText::toQString(CardCaptions::kSave), this);
    auto* close = new QPushButton(QtText::toQString(CardCaptions::kClose), this);
    connect(m_saveButton, &QPushButton::clicked, this, [this]() { save(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_message, 1);
    bottom->addWidget(m_saveButton);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pictureButtons);
    layout->addLayout(pictures, 1);
    layout->addWidget(nameHelp);
    layout->addWidget(m_nameField);
    layout->addWidget(m_board);
    layout->addLayout(bottom);

    m_askReplace = [this](const QString& fileName) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("カードをつくる"),
            QStringLiteral("「%1」はもうあります。新しい絵に取りかえますか？").arg(fileName),
            QMessageBox::NoButton, this);
        QPushButton* replace
            = box.addButton(QtText::toQString(CardCaptions::kReplace), QMessageBox::AcceptRole);
        box.setDefaultButton(box.addButton(QStringLiteral("やめる"), QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == replace;
    };
    m_nameField->setFocus();
    nameChanged();
}

CardMakerDialog::~CardMakerDialog() = default;

bool CardMakerDialog::openPicture(const QString& path)
{
    QString reason;
    const QImage image = CardImage::load(path, reason);
    if (image.isNull()) {
        tell(reason, true);
        return false;
    }
    return setPicture(image);
}

bool CardMakerDialog::setPicture(const QImage& image)
{
    if (image.isNull()) {
        tell(QStringLiteral("絵が入っていません。"), true);
        return false;
    }
    m_picture = image;
    m_cropView->setPicture(m_picture);
    refreshPreview();
    tell(QStringLiteral("絵が入りました（%1 × %2）。").arg(image.width()).arg(image.height()),
        false);
    return true;
}

bool CardMakerDialog::paste()
{
    return takeMime(QApplication::clipboard()->mimeData());
}

bool CardMakerDialog::takeMime(const QMimeData* mime)
{
    if (mime == nullptr) {
        tell(QStringLiteral("絵がありません。"), true);
        return false;
    }
    // A copied file is read from the file, which keeps its EXIF orientation; a copied image
    // has already been turned by the program it came from.
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            return openPicture(url.toLocalFile());
    }
    if (mime->hasImage())
        return setPicture(qvariant_cast<QImage>(mime->imageData()));
    tell(QStringLiteral("絵がありません。絵か、絵のファイルをコピーしてください。"), true);
    return false;
}

void CardMakerDialog::setCrop(const QRect& crop)
{
    m_cropView->setCrop(crop);
}

QRect CardMakerDialog::crop() const
{
    return m_cropView->crop();
}

QImage CardMakerDialog::cardImage() const
{
    return m_picture.isNull() ? QImage() : CardImage::prepared(m_picture, crop());
}

QString CardMakerDialog::name() const
{
    return QtText::toQString(m_name.text());
}

void CardMakerDialog::setReplaceQuestion(std::function<bool(const QString&)> ask)
{
    m_askReplace = std::move(ask);
}

FolderActions::Result CardMakerDialog::save()
{
    if (m_picture.isNull()) {
        tell(QStringLiteral("先に絵を入れてください。"), true);
        return { FolderActions::Outcome::Failed, u"絵がありません。", {}, {} };
    }
    const QByteArray jpeg = CardImage::jpeg(cardImage());
    const std::string_view bytes(jpeg.constData(), static_cast<std::size_t>(jpeg.size()));
    FolderActions::Result result = m_actions.SaveCard(m_name.text(), bytes, false);
    if (result.outcome == FolderActions::Outcome::NameTaken
        && m_askReplace(name() + QStringLiteral(".jpg")))
        result = m_actions.SaveCard(m_name.text(), bytes, true);
    if (result.outcome == FolderActions::Outcome::Done) {
        const QString path = QtText::fromPath(result.file);
        tell(QtText::toQString(result.message), false);
        emit cardSaved(path);
    } else if (result.outcome == FolderActions::Outcome::NameTaken) {
        tell(QStringLiteral("取りかえませんでした。ほかの名前にしてください。"), true);
    } else {
        tell(QtText::toQString(result.message), true);
    }
    return result;
}

void CardMakerDialog::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() || event->mimeData()->hasImage())
        event->acceptProposedAction();
}

void CardMakerDialog::dropEvent(QDropEvent* event)
{
    if (takeMime(event->mimeData()))
        event->acceptProposedAction();
}

void CardMakerDialog::chooseFile()
{
    // At first in the pictures folder; then where the last picture came from.
    JapaneseFileDialog dialog(this, QStringLiteral("絵をえらぶ"), QStringLiteral("picture"),
        QStringLiteral("えらぶ"),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(
        { QStringLiteral("絵 (*.jpg *.jpeg *.png *.webp *.gif *.bmp *.tif *.tiff)"),
            QStringLiteral("すべてのファイル (*)") });
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        openPicture(dialog.selectedFiles().constFirst());
}

void CardMakerDialog::keyTyped(std::int16_t keyCode)
{
    if (m_name.Key(keyCode))
        nameChanged();
}

void CardMakerDialog::kanaPicked(char16_t kana)
{
    if (m_name.Pick(kana))
        nameChanged();
}

void CardMakerDialog::nameChanged()
{
    m_nameField->setKana(name());
    m_preview->setWord(name());
    if (m_sound != nullptr && !m_name.lastKana().empty()) {
        m_sound->StopSound();
        m_sound->PlaySound(m_name.lastKana() + u".wav");
    }
    const auto problem = CardName::NewWordProblem(m_name.text(), m_actions.keyboards());
    m_saveButton->setEnabled(!problem);
}

void CardMakerDialog::refreshPreview()
{
    m_preview->setPicture(cardImage());
}

void CardMakerDialog::tell(const QString& text, bool problem)
{
    m_message->setStyleSheet(problem ? QStringLiteral("color: #b00000") : QString());
    m_message->setText(text);
}
