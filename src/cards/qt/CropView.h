#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

// The whole picture with the part that becomes the card marked on it. Dragging marks a new
// part, always in the shape of the drill's picture box (4:3), so the card is not stretched out
// of shape when the drill fills the box with it.
class CropView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CropView)

public:
    static constexpr QSize kAspect { 4, 3 };

    explicit CropView(QWidget* parent = nullptr);

    // Marks the largest 4:3 part in the middle.
    void setPicture(const QImage& upright);
    // In the picture's pixels; clipped to the picture.
    void setCrop(const QRect& crop);
    QRect crop() const { return m_crop; }

    QSize sizeHint() const override;

signals:
    void cropChanged(const QRect& crop);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Where the picture is drawn, aspect kept, in the widget.
    QRect pictureArea() const;
    QPoint toPicture(const QPoint& widgetPoint) const;
    QRect toWidget(const QRect& pictureRect) const;
    void dragTo(const QPoint& widgetPoint);

    QImage m_picture;
    QRect m_crop;
    QPoint m_anchor;
    bool m_dragging = false;
};
