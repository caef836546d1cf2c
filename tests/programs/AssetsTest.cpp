#include "GifWriter.h"
#include "ProgramIcon.h"
#include "SamplePictures.h"
#include "SetupPicture.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Pixels compared as colours, whatever the two images' formats.
int differingPixels(const QImage& a, const QImage& b, int tolerance)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    if (left.size() != right.size())
        return left.width() * left.height() + 1;
    int differing = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance
                || std::abs(qGreen(p) - qGreen(q)) > tolerance
                || std::abs(qBlue(p) - qBlue(q)) > tolerance)
                ++differing;
        }
    }
    return differing;
}

TEST(AssetsTest, TheEmbeddedPicturesHaveTheirSizesAndColours)
{
    const QImage icon(QStringLiteral(":/tapomi/icon.png"));
    ASSERT_EQ(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x)
            colours.insert(icon.pixel(x, y));
    }
    EXPECT_LE(colours.size(), 256);
    EXPECT_EQ(QColor(icon.pixel(16, 1)), QColor(0xC0, 0xA8, 0xF0)); // violet rim
    EXPECT_EQ(QColor(icon.pixel(3, 28)), QColor(0x00, 0x00, 0x80)); // navy square
    // The committed icon is what the generator draws now.
    EXPECT_EQ(differingPixels(icon, ProgramIcon::draw(), 0), 0);

    const QImage setup(QStringLiteral(":/tapomi/setup.png"));
    ASSERT_EQ(setup.size(), QSize(800, 600));
    EXPECT_EQ(QColor(setup.pixel(4, 590)), QColor(101, 99, 83));
    EXPECT_EQ(QColor(setup.pixel(795, 5)), QColor(101, 99, 83));
    // The heading is white on the background, in its rows.
    int white = 0;
    for (int x = 0; x < 800; ++x)
        white += setup.pixel(x, 45) == qRgb(255, 255, 255) ? 1 : 0;
    EXPECT_GT(white, 20);

    // The same picture drawn at twice the size, for larger screens.
    const QImage sharper(QStringLiteral(":/tapomi/setup@2x.png"));
    ASSERT_EQ(sharper.size(), QSize(1600, 1200));
    // Stored in 256 colours so that it decodes quickly at start-up, without visible loss: only
    // a few edge pixels differ from the drawing, and none by much.
    EXPECT_EQ(sharper.format(), QImage::Format_Indexed8);
    const QImage drawn = SetupPicture::draw(2);
    EXPECT_LT(differingPixels(sharper, drawn, 8), 1600 * 1200 / 1000);
    EXPECT_EQ(differingPixels(sharper, drawn, 48), 0);
    const QImage reduced
        = sharper.convertToFormat(QImage::Format_RGB32)
              .scaled(setup.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(differingPixels(reduced, setup, 48), 800 * 600 / 50);
}

TEST(AssetsTest, TheDesktopIconsAreTheDrawingAtEachSize)
{
    const QDir icons(QStringLiteral(TAPOMI_ASSETS_DIR "/icons"));
    for (int side : ProgramIcon::kDesktopSides) {
        const QImage committed = side == ProgramIcon::kSide
            ? QImage(QStringLiteral(":/tapomi/icon.png"))
            : QImage(icons.filePath(QStringLiteral("tapomi-%1.png").arg(side)));
        ASSERT_EQ(committed.size(), QSize(side, side)) << side;
        EXPECT_EQ(differingPixels(committed, ProgramIcon::draw(side), 0), 0) << side;
        // The same picture at every size: the rim, the navy square and the grey bar.
        const auto at = [&](double x, double y) {
            return QColor(
                committed.pixel(static_cast<int>(x * side / 32), static_cast<int>(y * side / 32)));
        };
        EXPECT_EQ(at(16, 0.5), QColor(0xC0, 0xA8, 0xF0)) << side;
        EXPECT_EQ(at(3, 28), QColor(0x00, 0x00, 0x80)) << side;
        EXPECT_EQ(at(16, 25), QColor(0xC8, 0xC8, 0xC8)) << side;
    }
}

TEST(AssetsTest, TheSampleCardsAreTheGeneratorsDrawings)
{
    const QDir samples(QStringLiteral(TAPOMI_SAMPLES_DIR));
    QSet<QString> suffixes;
    for (const SamplePictures::Sample& sample : SamplePictures::draw()) {
        const QString name = sample.word + QLatin1Char('.') + sample.suffix;
        const QImage committed(samples.filePath(name));
        ASSERT_FALSE(committed.isNull()) << name.toStdString();
        suffixes.insert(sample.suffix);
        if (sample.suffix == QLatin1String("jpg")) {
            // Lossy: only a little, and only here and there along the edges.
            const int differing = differingPixels(committed, sample.image, 48);
            EXPECT_LT(differing, committed.width() * committed.height() / 100)
                << name.toStdString();
        } else {
            // Exactly the drawing reduced to 256 colours.
            const QImage indexed
                = sample.image.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
            EXPECT_EQ(differingPixels(committed, indexed, 0), 0) << name.toStdString();
        }
    }
    EXPECT_EQ(suffixes,
        (QSet<QString> { QStringLiteral("jpg"), QStringLiteral("gif"), QStringLiteral("bmp") }));
}

TEST(GifWriterTest, WritesWhatQtReadsBackPixelForPixel)
{
    QTemporaryDir dir;
    // A picture with few colours comes back exactly; one with many colours exercises the code
    // table filling up and being cleared many times over.
    QImage flat(97, 61, QImage::Format_RGB32);
    flat.fill(qRgb(10, 200, 30));
    for (int x = 0; x < 97; ++x)
        flat.setPixel(x, x % 61, qRgb(250, 250, 250));
    QImage busy(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x)
            busy.setPixel(x, y, qRgb((x * 7 + y * 3) & 0xFF, (x * y) & 0xFF, (x ^ y) & 0xFF));
    }
    for (const QImage& image : { flat, busy }) {
        const QString path = dir.filePath(QStringLiteral(u"え.gif"));
        ASSERT_TRUE(GifWriter::write(image, path));
        const QImage back(path, "GIF");
        ASSERT_FALSE(back.isNull());
        // What was written is the picture reduced to 256 colours.
        const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
        EXPECT_EQ(differingPixels(back, indexed, 0), 0);
    }
}

} // namespace
