#include "cards/qt/CardPreview.h"

#include "common/qt/JapaneseFont.h"
#include "drill/DrillLayout.h"

#include <QPainter>

#include <algorithm>

CardPreview::CardPreview(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(240, 180);
}

void CardPreview::setPicture(const QImage& card)
{
    m_card = card;
    update();
}

void CardPreview::setWord(const QString& word)
{
    m_word = word;
    update();
}

QSize CardPreview::sizeHint() const
{
    return { 400, 300 };
}

void CardPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    // The screen, 4:3, as large as fits.
    const QSize screenSize = QSize(4, 3).scaled(size(), Qt::KeepAspectRatio);
    const QRect screen(
        QPoint((width() - screenSize.width()) / 2, (height() - screenSize.height()) / 2),
        screenSize);
    painter.fillRect(screen, Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(screen.adjusted(0, 0, -1, -1));

    // The drill's layout works in twips; it is proportional, so pixels serve as well.
    const TwipSize window { screen.width(), screen.height() };
    const TwipRect box = DrillLayout::CardPictureBox(window);
    const QRect pictureBox(screen.left() + box.left, screen.top() + box.top, box.width, box.height);
    if (!m_card.isNull())
        painter.drawImage(pictureBox, m_card); // stretched, as the drill draws it
    else
        painter.fillRect(pictureBox, QColor(235, 235, 235));

    if (m_word.isEmpty())
        return;
    const auto length = static_cast<std::int16_t>(std::min<qsizetype>(m_word.size(), 10));
    const DrillLayout::WordLabels labels = DrillLayout::PlaceWordLabels(window, length);
    QFont font = JapaneseFont::bold(12);
    font.setPixelSize(std::max(8, labels.cellSize * 3 / 4));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(screen.left() + labels.label1.left, screen.top() + labels.label1.top,
                         labels.label1.width, labels.label1.height),
        Qt::AlignCenter, m_word.left(10));
}
