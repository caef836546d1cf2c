#pragma once

#include "cards/CardNameInput.h"
#include "cards/FolderActions.h"

#include <QDialog>
#include <QImage>

#include <filesystem>
#include <functional>

class CardPreview;
class CropView;
class KanaBoard;
class KanaNameField;
class QLabel;
class QPushButton;
class SoundPlayer;

// カードをつくる: makes a new card in a picture folder. The picture comes from a file dialog,
// is dragged onto the window or pasted (an image or a file); it is turned upright after its
// EXIF orientation, shown as the drill will show it, cropped by dragging over it, scaled down
// to at most 1600 × 1200 and saved as NAME.jpg. The name is typed with the child's kana keys
// or picked on the 50-音 board, so it is always a name the child can type; a card that is
// already there is replaced only when the teacher says so.
class CardMakerDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CardMakerDialog)

public:
    // sound, when given, plays each typed kana's sound file as the drill does.
    explicit CardMakerDialog(
        std::filesystem::path folder, QWidget* parent = nullptr, SoundPlayer* sound = nullptr);
    ~CardMakerDialog() override;

    // False (and the reason shown) when it is no picture Qt can read.
    bool openPicture(const QString& path);
    bool setPicture(const QImage& image);
    // From the clipboard: a copied image, or a copied picture file.
    bool paste();

    const QImage& picture() const { return m_picture; }
    void setCrop(const QRect& crop);
    QRect crop() const;
    // The picture as it will be saved: cropped and scaled down.
    QImage cardImage() const;
    QString name() const;
    KanaNameField& nameField() const { return *m_nameField; }

    // Saves the card; on a name that is taken, asks whether to replace it.
    FolderActions::Result save();
    // The question asked before a card is replaced (a message box unless set).
    void setReplaceQuestion(std::function<bool(const QString& fileName)> ask);

signals:
    void cardSaved(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void chooseFile();
    bool takeMime(const class QMimeData* mime);
    void keyTyped(std::int16_t keyCode);
    void kanaPicked(char16_t kana);
    void nameChanged();
    void refreshPreview();
    void tell(const QString& text, bool problem);

    FolderActions m_actions;
    CardNameInput m_name;
    SoundPlayer* m_sound;
    std::function<bool(const QString&)> m_askReplace;
    QImage m_picture;
    CropView* m_cropView = nullptr;
    CardPreview* m_preview = nullptr;
    KanaNameField* m_nameField = nullptr;
    KanaBoard* m_board = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_saveButton = nullptr;
};
