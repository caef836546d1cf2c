#include "drill/qt/PictureBox.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureBox::setImageSource(Source source)
{
    m_source = std::move(source);
    m_image = QImage();
    m_fitted = QPixmap();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    update();
}

const QImage& PictureBox::image()
{
    takeFromSource();
    return m_image;
}

void PictureBox::takeFromSource()
{
    if (!m_source)
        return;
    const Source source = std::move(m_source);
    m_source = nullptr;
    // No update: the box is being painted now, or will be, having been told of the source.
    adopt(source());
}

void PictureBox::setImage(const QImage& image)
{
    m_source = nullptr;
    adopt(image);
    update();
}

void PictureBox::adopt(const QImage& image)
{
    m_image = image;
    m_fitted = QPixmap();
    setAttribute(Qt::WA_OpaquePaintEvent, !image.isNull() && !image.hasAlphaChannel());
}

void PictureBox::paintEvent(QPaintEvent*)
{
    takeFromSource();
    if (m_image.isNull() || width() <= 0 || height() <= 0)
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize target = (QSizeF(size()) * ratio).toSize();
    QPainter painter(this);
    if (m_image.size() == target) {
        // A card decoded at the box's size is drawn as it is: a second, screen-ready copy of a
        // photo-sized picture would cost as much memory again and time at every card.
        painter.drawImage(QRectF(rect()), m_image);
        return;
    }
    if (m_fitted.isNull() || m_fitted.size() != target) {
        m_fitted = QPixmap::fromImage(
            m_image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_fitted.setDevicePixelRatio(ratio);
    }
    painter.drawPixmap(0, 0, m_fitted);
}
