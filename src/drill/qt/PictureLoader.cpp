#include "drill/qt/PictureLoader.h"

#include "drill/DrillLayout.h"

#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

// a and b mixed, weight parts of 256 of b; red and blue are worked on together in one word.
QRgb mixed(QRgb a, QRgb b, std::uint32_t weight)
{
    const std::uint32_t rest = 256 - weight;
    const std::uint32_t redBlue
        = (((a & 0xFF00FFu) * rest + (b & 0xFF00FFu) * weight) >> 8) & 0xFF00FFu;
    const std::uint32_t green = (((a & 0xFF00u) * rest + (b & 0xFF00u) * weight) >> 8) & 0xFF00u;
    return 0xFF000000u | redBlue | green;
}

// Where each pixel of a line of the given length falls on a source line: the source pixel before
// it and the weight of the one after, pixel centres onto pixel centres.
struct Tap
{
    int before = 0;
    int after = 0;
    std::uint32_t weight = 0;
};

std::vector<Tap> tapsFor(int sourceLength, int length)
{
    std::vector<Tap> taps(static_cast<std::size_t>(length));
    const double step = static_cast<double>(sourceLength) / length;
    for (int i = 0; i < length; ++i) {
        const double at = std::clamp((i + 0.5) * step - 0.5, 0.0, sourceLength - 1.0);
        const int before = static_cast<int>(at);
        taps[static_cast<std::size_t>(i)] = { before, std::min(before + 1, sourceLength - 1),
            static_cast<std::uint32_t>((at - before) * 256) };
    }
    return taps;
}

} // namespace

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
    // A format that does not tell its size before decoding is fitted once it is read.
    if (!box.isEmpty() && target.isEmpty())
        target = fitted(image.size(), QRect(QPoint(), box)).size();
    if (!target.isEmpty() && image.size() != target && image.format() == QImage::Format_Indexed8
        && !image.hasAlphaChannel() && target.width() * 4 >= image.width() * 3
        && target.height() * 4 >= image.height() * 3)
        return fromPalette(image, target);
    image = image.convertToFormat(
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (!target.isEmpty() && image.size() != target)
        image = resized(image, target);
    return image;
}

// The set-up picture and GIF cards come as palette pictures, one byte a pixel. Turned into
// colours first, a 1600 x 1200 picture would take another 7.7 MB before being scaled into a third
// buffer; memory touched for the first time (some 3 ms a megabyte in a virtual machine) is what
// start-up spends most on here, so the colours are looked up while scaling, straight into the one
// buffer that is kept. The filter is bilinear, which looks the same as averaging every pixel in
// down to three quarters of the size; smaller than that (the set-up picture on a 1024 x 768 or
// 1366 x 768 screen), the picture takes the general way and is drawn as it always was.
QImage PictureLoader::fromPalette(const QImage& indexed, QSize target)
{
    std::array<QRgb, 256> colours {};
    const QList<QRgb> table = indexed.colorTable();
    std::copy_n(table.begin(), std::min<qsizetype>(table.size(), 256), colours.begin());
    const std::vector<Tap> columns = tapsFor(indexed.width(), target.width());
    const std::vector<Tap> rows = tapsFor(indexed.height(), target.height());
    QImage out(target, QImage::Format_RGB32);
    // Each picture line is coloured and scaled across once, into one of two lines kept: every
    // line drawn mixes the two picture lines it falls between, and the next line drawn mostly
    // falls between the same two or the second and the one after.
    const auto width = static_cast<std::size_t>(target.width());
    std::array<std::vector<QRgb>, 2> across { std::vector<QRgb>(width), std::vector<QRgb>(width) };
    std::array<int, 2> held { -1, -1 };
    const auto lineAcross = [&](int sourceRow, int keptRow) -> const QRgb* {
        for (std::size_t slot = 0; slot < 2; ++slot) {
            if (held[slot] == sourceRow)
                return across[slot].data();
        }
        const std::size_t slot = held[0] == keptRow ? 1 : held[1] == keptRow ? 0
            : held[0] < held[1]                                               ? 0
                                                                              : 1;
        const uchar* source = indexed.constScanLine(sourceRow);
        QRgb* line = across[slot].data();
        for (std::size_t x = 0; x < width; ++x) {
            const Tap& column = columns[x];
            line[x] = mixed(
                colours[source[column.before]], colours[source[column.after]], column.weight);
        }
        held[slot] = sourceRow;
        return line;
    };
    for (int y = 0; y < target.height(); ++y) {
        const Tap& row = rows[static_cast<std::size_t>(y)];
        const QRgb* upper = lineAcross(row.before, -1);
        const QRgb* lower = lineAcross(row.after, row.before);
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (std::size_t x = 0; x < width; ++x)
            line[x] = mixed(upper[x], lower[x], row.weight);
    }
    return out;
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
