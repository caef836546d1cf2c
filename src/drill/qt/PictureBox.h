#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// An image box: shows its picture stretched to fill the box exactly, with no border.
class PictureBox final : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    // The picture at the box's current size, made once per size rather than at every paint.
    QPixmap m_fitted;
};
