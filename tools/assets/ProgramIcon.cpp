#include "ProgramIcon.h"

#include <QPainter>

QImage ProgramIcon::draw(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    // Light violet rim around a navy square.
    image.fill(QColor(0xC0, 0xA8, 0xF0));
    QPainter painter(&image);
    // Drawn on the 32-pixel grid; at other sizes the edges fall between pixels and are smoothed.
    const qreal scale = static_cast<qreal>(side) / kSide;
    painter.scale(scale, scale);
    const bool smooth = side != kSide;
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.fillRect(QRectF(2, 2, 28, 28), QColor(0x00, 0x00, 0x80));

    // The screen, cyan, with a lighter diagonal sheen over its upper part.
    painter.fillRect(QRectF(5, 5, 22, 15), QColor(0x00, 0xC8, 0xE0));
    painter.setRenderHint(QPainter::Antialiasing);
    QPolygon sheen;
    sheen << QPoint(5, 5) << QPoint(21, 5) << QPoint(11, 13) << QPoint(5, 13);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xA0, 0xF4, 0xFF));
    painter.drawPolygon(sheen);
    painter.setRenderHint(QPainter::Antialiasing, smooth);

    // The light grey bar below the screen.
    painter.fillRect(QRectF(7, 23, 18, 4), QColor(0xC8, 0xC8, 0xC8));
    painter.end();
    if (smooth)
        return image;
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}
