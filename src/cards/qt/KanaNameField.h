#pragma once

#include <QLabel>

#include <cstdint>

// Where the name of a new card is typed. It takes the plain character of each key, as the drill
// does, with no input method in between, and shows the kana the name has so far; the dialog
// turns the keys into kana.
class KanaNameField final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KanaNameField)

public:
    explicit KanaNameField(QWidget* parent = nullptr);

    void setKana(const QString& kana);

signals:
    // The key's character code (Backspace is 8), as the drill's key table knows it.
    void keyTyped(std::int16_t keyCode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
