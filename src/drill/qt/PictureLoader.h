#pragma once

#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>

// Reads the card pictures: JPEG, GIF (its first frame) and BMP, turned upright after their EXIF
// orientation and decoded straight at the size they are shown at, so that a large photo costs
// little more than a small one.
class PictureLoader
{
public:
    // The picture stretched to exactly target (aspect not kept); the original size when target
    // is empty. A null image when the file is missing, unreadable or not a picture.
    static QImage load(const QString& path, QSize target);
    // What a card shows in place of a picture that cannot be loaded.
    static QImage placeholder(QSize size);

private:
    // Below this quality setting Qt's JPEG reader uses the fast integer transform.
    static constexpr int kFastDecodeQuality = 49;

    // For a JPEG much larger than the box, the reduced size to decode it at (and the fast
    // decoder set); empty for any other picture, which is decoded at its own size.
    static QSize jpegReduction(QImageReader& reader, QSize wanted);
    static QImage stretched(const QImage& image, QSize target);
};
