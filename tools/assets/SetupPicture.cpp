#include "SetupPicture.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kBackground(101, 99, 83);
const QColor kArrowRed(0xE0, 0x20, 0x20);

QFont boldFont(int pixels)
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

void drawArrow(QPainter& painter, QPointF from, QPointF to)
{
    painter.setPen(QPen(kArrowRed, 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double spread = 0.45;
    const double length = 20;
    QPolygonF head;
    head << to
         << QPointF(to.x() - length * std::cos(angle - spread),
                to.y() - length * std::sin(angle - spread))
         << QPointF(to.x() - length * std::cos(angle + spread),
                to.y() - length * std::sin(angle + spread));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kArrowRed);
    painter.drawPolygon(head);
}

// The Talking Aid keyboard seen from above, in columns 16 to 360 and rows 98 to 368.
// Returns the centre of its red power button.
QPointF drawKeyboard(QPainter& painter)
{
    const QRectF body(16, 120, 344, 248);
    painter.setPen(QPen(QColor(60, 60, 60), 3));
    painter.setBrush(QColor(232, 232, 226));
    painter.drawRoundedRect(body, 22, 22);

    // The display strip along the top edge.
    painter.setPen(QPen(QColor(50, 50, 50), 2));
    painter.setBrush(QColor(170, 200, 170));
    painter.drawRoundedRect(QRectF(44, 136, 220, 34), 6, 6);

    const QPointF power(322, 153);
    painter.setBrush(QColor(220, 30, 30));
    painter.drawEllipse(power, 14, 14);

    // Five rows of ten keys, like the kana rows of the device.
    painter.setPen(QPen(QColor(90, 90, 90), 1.5));
    painter.setBrush(Qt::white);
    const double keySide = 27;
    const double gap = 5;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 10; ++column) {
            const QRectF key(
                30 + column * (keySide + gap), 188 + row * (keySide + gap), keySide, keySide);
            painter.drawRoundedRect(key, 4, 4);
        }
    }
    // The cable to the adapter.
    painter.setPen(QPen(QColor(30, 30, 30), 5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    QPainterPath cable(QPointF(200, 368));
    cable.cubicTo(QPointF(200, 420), QPointF(240, 440), QPointF(262, 440));
    painter.drawPath(cable);
    return power;
}

// The USB adapter in columns 224 to 385 and rows 380 to 521. Returns the centre of its kana
// button.
QPointF drawAdapter(QPainter& painter)
{
    const QRectF body(262, 392, 118, 122);
    painter.setPen(QPen(QColor(40, 40, 40), 3));
    painter.setBrush(QColor(245, 245, 240));
    painter.drawRoundedRect(body, 12, 12);

    painter.setPen(QColor(20, 20, 20));
    QFont label = boldFont(12);
    painter.setFont(label);
    painter.drawText(QRectF(266, 400, 110, 40), Qt::AlignCenter | Qt::TextWordWrap,
        QStringLiteral(u"トーキングエイド用\nUSBアダプタ"));

    const QPointF kana(321, 478);
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.setBrush(QColor(250, 200, 40));
    painter.drawRoundedRect(QRectF(kana.x() - 26, kana.y() - 18, 52, 36), 8, 8);
    painter.setPen(QColor(20, 20, 20));
    painter.setFont(boldFont(18));
    painter.drawText(
        QRectF(kana.x() - 26, kana.y() - 18, 52, 36), Qt::AlignCenter, QStringLiteral(u"かな"));

    // The USB plug.
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.setBrush(QColor(150, 150, 160));
    painter.drawRect(QRectF(224, 430, 38, 20));
    return kana;
}

} // namespace

QImage SetupPicture::draw(int scale)
{
    QImage image(kWidth * scale, kHeight * scale, QImage::Format_RGB888);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);

    painter.setPen(Qt::white);
    painter.setFont(boldFont(56));
    painter.drawText(
        QRect(0, 13, kWidth, 66), Qt::AlignCenter, QStringLiteral(u"タポミソフトの準備"));

    const QPointF power = drawKeyboard(painter);
    const QPointF kana = drawAdapter(painter);

    const QString digits = QStringLiteral(u"①②③④⑤⑥⑦");
    const QString steps[] = {
        QStringLiteral(u"トーキングエイドの\n電源を入れる。"),
        QStringLiteral(u"Ｈ を押す。"),
        QStringLiteral(u"Ｐ を押す。"),
        QStringLiteral(u"７ を押す。"),
        QStringLiteral(u"１ を押す。"),
        QStringLiteral(u"５ を押す。"),
        QStringLiteral(u"アダプタのかなボタンを押す。"),
    };
    const int stepHeight = (521 - 98) / 7;
    for (int i = 0; i < 7; ++i) {
        const int top = 98 + i * stepHeight;
        painter.setPen(Qt::white);
        painter.setFont(boldFont(28));
        painter.drawText(
            QRect(393, top, 30, stepHeight), Qt::AlignLeft | Qt::AlignVCenter, digits.mid(i, 1));
        painter.setFont(boldFont(22));
        painter.drawText(QRect(449, top, 769 - 449, stepHeight),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, steps[i]);
    }
    drawArrow(painter, QPointF(388, 98 + stepHeight / 2.0), power + QPointF(14, 8));
    drawArrow(painter, QPointF(388, 98 + 6.5 * stepHeight), kana + QPointF(28, 4));

    painter.setPen(Qt::white);
    painter.setFont(boldFont(40));
    painter.drawText(QRect(0, 533, kWidth, 45), Qt::AlignCenter,
        QStringLiteral(u"準備ができたらEnterを押してください"));
    return image;
}
