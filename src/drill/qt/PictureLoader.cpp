#include "drill/qt/PictureLoader.h"

#include "drill/DrillLayout.h"

#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>
#include <QPolygon>

QImage PictureLoader::load(const QString& path, QSize box)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize target;
    const QSize stored = reader.size();
    if (!box.isEmpty() && !stored.isEmpty()) {
        // The scaled size applies before the EXIF rotation: a picture stored on its side is
        // fitted upright and decoded at the transposed size, so that it comes out right once
        // turned.
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        target = fitted(turned ? stored.transposed() : stored, QRect(QPoint(), box)).size();
        const QSize reduced = jpegReduction(reader, turned ? target.transposed() : target);
        if (!reduced.isEmpty())
            reader.setScaledSize(reduced);
    }
    QImage image = reader.read();
    if (image.isNull())
        return {};
    image = image.convertToFormat(
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    // A format that does not tell its size before decoding is fitted once it is read.
    if (!box.isEmpty() && target.isEmpty())
        target = fitted(image.size(), QRect(QPoint(), box)).size();
    if (!target.isEmpty() && image.size() != target)
        image = resized(image, target);
    return image;
}

QRect PictureLoader::fitted(QSize picture, const QRect& box)
{
    const TwipRect drawn = DrillLayout::FitPicture(
        { box.x(), box.y(), box.width(), box.height() }, { picture.width(), picture.height() });
    return QRect(drawn.left, drawn.top, drawn.width, drawn.height);
}

QSize PictureLoader::jpegReduction(QImageReader& reader, QSize wanted)
{
    const QSize stored = reader.size();
    if (reader.format() != "jpeg" || stored.isEmpty())
        return {};
    // A JPEG can be decoded at a half, a quarter or an eighth of its size for a fraction of the
    // work. The largest such reduction that is still at least as big as wanted is decoded, and
    // then scaled smoothly to that size: a 12-megapixel photo costs little more than a small one.
    int denominator = 1;
    while (denominator < 8 && stored.width() / (denominator * 2) >= wanted.width()
        && stored.height() / (denominator * 2) >= wanted.height())
        denominator *= 2;
    if (denominator == 1)
        return {};
    // The fast transform and plain colour upsampling are invisible once the picture is reduced
    // at least by half.
    reader.setQuality(kFastDecodeQuality);
    return QSize((stored.width() + denominator - 1) / denominator,
        (stored.height() + denominator - 1) / denominator);
}

QImage PictureLoader::resized(const QImage& image, QSize target)
{
    // Made smaller, every pixel of the picture is averaged in; made larger (the usual camera
    // picture on a big screen, or a small drawing), the bilinear filter of the painter looks the
    // same and takes a third less time.
    if (image.width() >= target.width() && image.height() >= target.height())
        return image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage out(target, image.format());
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRect(QPoint(0, 0), target), image);
    return out;
}

QImage PictureLoader::placeholder(QSize size)
{
    const QSize area = size.isEmpty() ? QSize(64, 48) : size;
    QImage image(area, QImage::Format_RGB32);
    image.fill(QColor(0xE4, 0xE4, 0xE4));

    // A plain picture sign (a frame with a hill and a sun) in soft grey: it tells the teacher the
    // picture is missing without showing the child anything to read.
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor sign(0xA8, 0xA8, 0xA8);
    const int side = std::min(area.width(), area.height()) / 3;
    const QRect frame(
        (area.width() - side * 4 / 3) / 2, (area.height() - side) / 2, side * 4 / 3, side);
    painter.setPen(QPen(sign, std::max(2, side / 16)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    painter.setPen(Qt::NoPen);
    painter.setBrush(sign);
    painter.drawEllipse(
        QPoint(frame.left() + frame.width() * 3 / 4, frame.top() + frame.height() / 3), side / 10,
        side / 10);
    QPolygon hill;
    hill << QPoint(frame.left(), frame.bottom())
         << QPoint(frame.left() + frame.width() / 3, frame.top() + frame.height() / 2)
         << QPoint(frame.left() + frame.width() * 2 / 3, frame.bottom())
         << QPoint(frame.left(), frame.bottom());
    painter.drawPolygon(hill);
    return image;
}
