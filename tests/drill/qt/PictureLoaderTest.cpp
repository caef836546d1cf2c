#include "drill/qt/PictureLoader.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool reddish(QRgb pixel)
{
    return qRed(pixel) > 180 && qBlue(pixel) < 80;
}

bool bluish(QRgb pixel)
{
    return qBlue(pixel) > 180 && qRed(pixel) < 80;
}

// A 40 × 20 JPEG, red on its left half and blue on its right, whose EXIF orientation says the
// camera was turned: it is to be shown turned a quarter clockwise.
QByteArray sidewaysJpeg()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);

    // APP1 with a little-endian TIFF header and one IFD entry: Orientation (0x0112) = 6.
    const unsigned char exif[] = { 0xFF, 0xE1, 0x00, 0x22, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 0x2A,
        0x00, 0x08, 0x00, 0x00, 0x00, 0x01, 0x00, 0x12, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00,
        0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00 };
    jpeg.insert(2, reinterpret_cast<const char*>(exif), sizeof(exif));
    return jpeg;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

TEST(PictureLoaderTest, DecodesStraightToItsDrawnSizeWithItsShape)
{
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral(u"りんご.jpg"));
    ASSERT_TRUE(wide.save(path, "JPEG"));

    // As wide as the box, a quarter of that high (12.5 rounded).
    const QImage image = PictureLoader::load(path, QSize(50, 80));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(50, 13));
    EXPECT_TRUE(reddish(image.pixel(25, 6)));
    EXPECT_EQ(PictureLoader::load(path, QSize()).size(), QSize(400, 100));

    // A large photo decoded reduced (a quarter of 1600 x 1200) keeps its shape in a wide box.
    QImage photo(1600, 1200, QImage::Format_RGB32);
    photo.fill(Qt::red);
    const QString photoPath = dir.filePath(QStringLiteral(u"くるま.jpg"));
    ASSERT_TRUE(photo.save(photoPath, "JPEG"));
    EXPECT_EQ(PictureLoader::load(photoPath, QSize(910, 300)).size(), QSize(400, 300));
}

TEST(PictureLoaderTest, TurnsPicturesUprightAfterTheirExifOrientation)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral(u"ねこ.jpg"), sidewaysJpeg());

    const QImage upright = PictureLoader::load(path, QSize());
    ASSERT_EQ(upright.size(), QSize(20, 40));
    EXPECT_TRUE(reddish(upright.pixel(10, 5)));
    EXPECT_TRUE(bluish(upright.pixel(10, 35)));

    // Fitted into a box, the turn still comes out the right way round, upright in shape.
    const QImage boxed = PictureLoader::load(path, QSize(30, 90));
    ASSERT_EQ(boxed.size(), QSize(30, 60));
    EXPECT_TRUE(reddish(boxed.pixel(15, 10)));
    EXPECT_TRUE(bluish(boxed.pixel(15, 50)));
}

TEST(PictureLoaderTest, ReadsTheThreeSampleFormats)
{
    const QString samples = QStringLiteral(TAPOMI_SAMPLES_DIR "/");
    for (const QString& name : { QStringLiteral(u"ぶどう.gif"), QStringLiteral(u"ねこ.bmp"),
             QStringLiteral(u"りんご.jpg") }) {
        const QImage image = PictureLoader::load(samples + name, QSize(64, 48));
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), QSize(64, 48));
        // The pictures are drawn on a light background, never a blank or black frame.
        EXPECT_GT(qGray(image.pixel(1, 1)), 180) << name.toStdString();
    }
}

int largestChannelDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({ largest, std::abs(qRed(p) - qRed(q)),
                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)) });
        }
    }
    return largest;
}

// A palette picture (the set-up picture, a GIF card) is scaled while its colours are looked up:
// the same picture as Qt's own bilinear filter draws it from full colour, made larger and made a
// little smaller, on a pattern of random colours that shows any shift or swapped channel.
TEST(PictureLoaderTest, APalettePictureScalesLikeItsFullColourSelf)
{
    QImage palette(64, 48, QImage::Format_Indexed8);
    QList<QRgb> colours;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 256; ++i) {
        seed = seed * 1103515245u + 12345u;
        colours.append(qRgb((seed >> 8) & 0xFF, (seed >> 16) & 0xFF, (seed >> 24) & 0xFF));
    }
    palette.setColorTable(colours);
    for (int y = 0; y < palette.height(); ++y) {
        for (int x = 0; x < palette.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            palette.setPixel(x, y, (seed >> 16) & 0xFF);
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral(u"いろ.png"));
    ASSERT_TRUE(palette.save(path, "PNG"));
    const QImage colour = palette.convertToFormat(QImage::Format_RGB32);

    for (const QSize box : { QSize(96, 72), QSize(56, 42) }) {
        const QImage loaded = PictureLoader::load(path, box);
        ASSERT_EQ(loaded.size(), box);
        QImage expected(box, QImage::Format_RGB32);
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QRect(QPoint(), box), colour);
        painter.end();
        EXPECT_LE(largestChannelDifference(loaded, expected), 3) << box.width();
    }
}

TEST(PictureLoaderTest, WhatIsNoPictureGivesNothing)
{
    QTemporaryDir dir;
    const QString text = writeFile(dir, QStringLiteral(u"いぬ.jpg"), QByteArray("not a picture"));
    const QString truncated
        = writeFile(dir, QStringLiteral(u"くま.gif"), QByteArray("GIF89a\x10\x00", 8));
    EXPECT_TRUE(PictureLoader::load(text, QSize(10, 10)).isNull());
    EXPECT_TRUE(PictureLoader::load(truncated, QSize(10, 10)).isNull());
    EXPECT_TRUE(
        PictureLoader::load(dir.filePath(QStringLiteral(u"ない.bmp")), QSize(10, 10)).isNull());

    const QImage placeholder = PictureLoader::placeholder(QSize(120, 90));
    EXPECT_EQ(placeholder.size(), QSize(120, 90));
    EXPECT_FALSE(PictureLoader::placeholder(QSize()).isNull());
}

} // namespace
