#include "cards/qt/KanaBoard.h"

#include "cards/KanaKeyboard.h"

#include <QGridLayout>
#include <QPushButton>

#include <string_view>

namespace {

// Columns of five, top to bottom; a blank is an empty place.
constexpr std::u16string_view kColumns[]
    = { u"あいうえお", u"かきくけこ", u"がぎぐげご", u"さしすせそ", u"ざじずぜぞ", u"たちつてと",
          u"だぢづでど", u"なにぬねの", u"はひふへほ", u"ばびぶべぼ", u"ぱぴぷぺぽ", u"まみむめも",
          u"や ゆ よ", u"らりるれろ", u"わ を ん", u"ゃ ゅ ょ", u"っ ー  " };

} // namespace

KanaBoard::KanaBoard(const KanaKeyboard& keyboard, QWidget* parent)
    : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    int column = 0;
    for (const std::u16string_view kana : kColumns) {
        for (int row = 0; row < static_cast<int>(kana.size()); ++row) {
            const char16_t unit = kana[static_cast<std::size_t>(row)];
            if (unit == u' ' || !keyboard.canType(unit))
                continue;
            auto* button = new QPushButton(QString(QChar(unit)), this);
            button->setFixedSize(36, 36);
            button->setFocusPolicy(Qt::NoFocus);
            connect(button, &QPushButton::clicked, this, [this, unit]() { emit picked(unit); });
            grid->addWidget(button, row, column);
        }
        ++column;
    }
    auto* erase = new QPushButton(QStringLiteral("1字消す"), this);
    erase->setFocusPolicy(Qt::NoFocus);
    connect(erase, &QPushButton::clicked, this, &KanaBoard::erased);
    grid->addWidget(erase, 5, column - 3, 1, 3);
}
