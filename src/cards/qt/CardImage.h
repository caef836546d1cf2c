#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// A picture on its way to becoming a card: read upright after its EXIF orientation (phones
// store photos sideways and mark them), cut to the teacher's crop, scaled down to what a card
// needs, and written as JPEG, the format every drill reads.
class CardImage
{
public:
    // Larger pictures only cost the drill time to decode; 4:3 like the card's box.
    static constexpr QSize kMaxSize { 1600, 1200 };
    static constexpr int kJpegQuality = 90;

    // A null image and the reason (for the teacher) when the file is no picture Qt can read.
    static QImage load(const QString& path, QString& reason);
    static QImage loadData(const QByteArray& bytes, QString& reason);
    // The crop (in the picture's pixels, clipped to it; the whole picture when empty) scaled
    // down, aspect kept, to fit kMaxSize; never scaled up.
    static QImage prepared(const QImage& upright, QRect crop);
    static QByteArray jpeg(const QImage& image);
    // The largest rectangle of the given aspect centred in the picture.
    static QRect centredCrop(QSize picture, QSize aspect);
};
