#pragma once

#include <QImage>
#include <QImageReader>
#include <QRect>
#include <QSize>
#include <QString>

// Reads the card pictures: JPEG, GIF (its first frame) and BMP, turned upright after their EXIF
// orientation and decoded straight at the size they are shown at, with their own shape, so that
// a large photo costs little more than a small one.
class PictureLoader
{
public:
    // The picture as large as fits inside a box of the given size with its own shape; the
    // original size when box is empty. A null image when the file is missing, unreadable or not
    // a picture.
    static QImage load(const QString& path, QSize box);
    // Where a picture of the given size is drawn inside box: as large as fits, centred.
    static QRect fitted(QSize picture, const QRect& box);
    // What a card shows in place of a picture that cannot be loaded.
    static QImage placeholder(QSize size);

private:
    // Below this quality setting Qt's JPEG reader uses the fast integer transform.
    static constexpr int kFastDecodeQuality = 49;

    // For a JPEG much larger than wanted, the reduced size to decode it at (and the fast
    // decoder set); empty for any other picture, which is decoded at its own size.
    static QSize jpegReduction(QImageReader& reader, QSize wanted);
    static QImage resized(const QImage& image, QSize target);
    // A palette picture scaled to target and turned into colours in one pass.
    static QImage fromPalette(const QImage& indexed, QSize target);
};
