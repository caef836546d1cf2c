#include "cards/qt/CropView.h"

#include "cards/qt/CardImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdlib>

CropView::CropView(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(240, 180);
    setCursor(Qt::CrossCursor);
}

void CropView::setPicture(const QImage& upright)
{
    m_picture = upright;
    setCrop(CardImage::centredCrop(upright.size(), kAspect));
}

void CropView::setCrop(const QRect& crop)
{
    const QRect clipped = crop.intersected(m_picture.rect());
    if (clipped == m_crop)
        return;
    m_crop = clipped;
    update();
    emit cropChanged(m_crop);
}

QSize CropView::sizeHint() const
{
    return { 480, 360 };
}

QRect CropView::pictureArea() const
{
    if (m_picture.isNull())
        return {};
    const QSize shown = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

QPoint CropView::toPicture(const QPoint& widgetPoint) const
{
    const QRect area = pictureArea();
    if (area.isEmpty())
        return {};
    const double scale = static_cast<double>(m_picture.width()) / area.width();
    return {
        std::clamp(static_cast<int>((widgetPoint.x() - area.left()) * scale), 0, m_picture.width()),
        std::clamp(static_cast<int>((widgetPoint.y() - area.top()) * scale), 0, m_picture.height())
    };
}

QRect CropView::toWidget(const QRect& pictureRect) const
{
    const QRect area = pictureArea();
    if (area.isEmpty())
        return {};
    const double scale = static_cast<double>(area.width()) / m_picture.width();
    return QRect(area.left() + static_cast<int>(pictureRect.left() * scale),
        area.top() + static_cast<int>(pictureRect.top() * scale),
        static_cast<int>(pictureRect.width() * scale),
        static_cast<int>(pictureRect.height() * scale));
}

void CropView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (m_picture.isNull())
        return;
    const QRect area = pictureArea();
    painter.drawImage(area, m_picture);
    // What is left out is shaded; the card's part stays bright inside a frame.
    const QRect cropArea = toWidget(m_crop);
    QPainterPath outside;
    outside.addRect(area);
    QPainterPath inside;
    inside.addRect(cropArea);
    painter.fillPath(outside.subtracted(inside), QColor(0, 0, 0, 140));
    painter.setPen(QPen(Qt::yellow, 2));
    painter.drawRect(cropArea.adjusted(0, 0, -1, -1));
}

void CropView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_picture.isNull())
        return;
    m_anchor = toPicture(event->position().toPoint());
    m_dragging = true;
}

void CropView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        dragTo(event->position().toPoint());
}

void CropView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    dragTo(event->position().toPoint());
    m_dragging = false;
}

void CropView::dragTo(const QPoint& widgetPoint)
{
    const QPoint end = toPicture(widgetPoint);
    const int dx = end.x() - m_anchor.x();
    const int dy = end.y() - m_anchor.y();
    // The larger of the two movements decides the size; the shape stays 4:3 and the part stays
    // inside the picture.
    int w = std::max(std::abs(dx), std::abs(dy) * kAspect.width() / kAspect.height());
    const int roomX = dx < 0 ? m_anchor.x() : m_picture.width() - m_anchor.x();
    const int roomY = dy < 0 ? m_anchor.y() : m_picture.height() - m_anchor.y();
    w = std::min({ w, roomX, roomY * kAspect.width() / kAspect.height() });
    const int h = w * kAspect.height() / kAspect.width();
    if (w < 8 || h < 6)
        return;
    const int left = dx < 0 ? m_anchor.x() - w : m_anchor.x();
    const int top = dy < 0 ? m_anchor.y() - h : m_anchor.y();
    setCrop(QRect(left, top, w, h));
}
