#include "cards/qt/CardImage.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

namespace {

QImage readUpright(QImageReader& reader, QString& reason)
{
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        reason = QStringLiteral("絵として読めませんでした（%1）。").arg(reader.errorString());
    return image;
}

} // namespace

QImage CardImage::load(const QString& path, QString& reason)
{
    QImageReader reader(path);
    return readUpright(reader, reason);
}

QImage CardImage::loadData(const QByteArray& bytes, QString& reason)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return readUpright(reader, reason);
}

QImage CardImage::prepared(const QImage& upright, QRect crop)
{
    const QRect whole = upright.rect();
    crop = crop.isEmpty() ? whole : crop.intersected(whole);
    QImage cut = upright.copy(crop);
    if (cut.width() > kMaxSize.width() || cut.height() > kMaxSize.height())
        cut = cut.scaled(kMaxSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // JPEG holds no transparency: a transparent PNG shows on white, as on a page.
    if (cut.hasAlphaChannel()) {
        QImage flat(cut.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QImage over = cut.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < flat.height(); ++y) {
            auto* target = reinterpret_cast<QRgb*>(flat.scanLine(y));
            const auto* source = reinterpret_cast<const QRgb*>(over.constScanLine(y));
            for (int x = 0; x < flat.width(); ++x) {
                const int alpha = qAlpha(source[x]);
                target[x] = qRgb(qRed(source[x]) + 255 - alpha, qGreen(source[x]) + 255 - alpha,
                    qBlue(source[x]) + 255 - alpha);
            }
        }
        cut = flat;
    }
    return cut.convertToFormat(QImage::Format_RGB32);
}

QByteArray CardImage::jpeg(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    writer.write(image);
    return bytes;
}

QRect CardImage::centredCrop(QSize picture, QSize aspect)
{
    if (picture.isEmpty() || aspect.isEmpty())
        return QRect(QPoint(0, 0), picture);
    const QSize fitted = aspect.scaled(picture, Qt::KeepAspectRatio);
    return QRect(
        QPoint((picture.width() - fitted.width()) / 2, (picture.height() - fitted.height()) / 2),
        fitted);
}
