#include "drill/qt/PictureBox.h"

#include <gtest/gtest.h>

namespace {

QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A picture handed over as a source is taken once, when the box draws it (or when it is asked
// for), and is then drawn like any other.
TEST(PictureBoxTest, APictureSourceIsTakenOnceWhenTheBoxIsDrawn)
{
    PictureBox box;
    box.resize(40, 30);
    int taken = 0;
    box.setImageSource([&] {
        ++taken;
        return filled(QSize(40, 30), Qt::red);
    });
    EXPECT_TRUE(box.hasPendingImage());
    EXPECT_EQ(taken, 0) << "not taken before it is needed";

    const QImage drawn = box.grab().toImage();
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(QColor(drawn.pixel(20, 15)), QColor(Qt::red));
    box.grab();
    EXPECT_EQ(box.image().size(), QSize(40, 30));
    EXPECT_EQ(taken, 1);
    EXPECT_FALSE(box.hasPendingImage());

    // A picture set meanwhile replaces a source that was never drawn.
    box.setImageSource([&] {
        ++taken;
        return filled(QSize(40, 30), Qt::green);
    });
    box.setImage(filled(QSize(40, 30), Qt::blue));
    EXPECT_EQ(QColor(box.grab().toImage().pixel(20, 15)), QColor(Qt::blue));
    EXPECT_EQ(taken, 1);
}

} // namespace
