#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// The card as the drill will show it on a 4:3 screen: the picture filling the drill's picture
// box (placed by the drill's own layout) and the word on the word line below.
class CardPreview final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CardPreview)

public:
    explicit CardPreview(QWidget* parent = nullptr);

    void setPicture(const QImage& card);
    void setWord(const QString& word);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_card;
    QString m_word;
};
