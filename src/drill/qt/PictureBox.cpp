#include "drill/qt/PictureBox.h"

#include "drill/qt/PictureLoader.h"

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
    // Every pixel of the box is painted: the picture, and the background around it.
    setAttribute(Qt::WA_OpaquePaintEvent, !image.isNull());
}

void PictureBox::paintEvent(QPaintEvent*)
{
    takeFromSource();
    if (m_image.isNull() || width() <= 0 || height() <= 0)
        return;
    // Only the part of the box inside the window is seen: the set-up picture's box covers the
    // window's outer size, and under a window manager the title bar's height of it lies below
    // the window's bottom edge. The picture is fitted into what is seen.
    QRect seen = rect();
    if (const QWidget* parent = parentWidget())
        seen &= parent->rect().translated(-pos());
    if (seen.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize target = (QSizeF(seen.size()) * ratio).toSize();
    const QRect drawn = PictureLoader::fitted(m_image.size(), QRect(QPoint(), target));
    const QRectF at(
        QPointF(seen.topLeft()) + QPointF(drawn.topLeft()) / ratio, QSizeF(drawn.size()) / ratio);
    QPainter painter(this);
    // The window's background around a picture of another shape than the box, and under a
    // transparent one: the set-up picture covers the card widgets, which must not show there.
    if (drawn.size() != target || seen != rect() || m_image.hasAlphaChannel())
        painter.fillRect(rect(), palette().window());
    if (m_image.size() == drawn.size()) {
        // A card decoded at its drawn size is drawn as it is: a second, screen-ready copy of a
        // photo-sized picture would cost as much memory again and time at every card.
        painter.drawImage(at, m_image);
        return;
    }
    if (m_fitted.isNull() || m_fitted.size() != drawn.size()) {
        m_fitted = QPixmap::fromImage(
            m_image.scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_fitted.setDevicePixelRatio(ratio);
    }
    painter.drawPixmap(at.topLeft(), m_fitted);
}
