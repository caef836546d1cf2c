#pragma once

#include <QWidget>

class KanaKeyboard;

// The 50-音 board: a button for every kana the child's keyboard can type, laid out in the order
// of the kana table on a school wall, and a button that takes the last kana back.
class KanaBoard final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KanaBoard)

public:
    // Only kana the keyboard types get a button, so nothing picked here is refused later.
    explicit KanaBoard(const KanaKeyboard& keyboard, QWidget* parent = nullptr);

signals:
    void picked(char16_t kana);
    void erased();
};
