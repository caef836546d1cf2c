#include "drill/qt/PictureBox.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureBox::setImage(const QImage& image)
{
    m_image = image;
    m_fitted = QPixmap();
    setAttribute(Qt::WA_OpaquePaintEvent, !image.isNull() && !image.hasAlphaChannel());
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_image.isNull() || width() <= 0 || height() <= 0)
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize target = (QSizeF(size()) * ratio).toSize();
    if (m_fitted.isNull() || m_fitted.size() != target) {
        const QImage fitted = m_image.size() == target
            ? m_image
            : m_image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_fitted = QPixmap::fromImage(fitted);
        m_fitted.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_fitted);
}
