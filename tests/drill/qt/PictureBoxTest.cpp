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

// A picture of another shape than its box is drawn as large as fits, centred; the rest of the box
// shows the window's background, whatever was drawn under the box.
TEST(PictureBoxTest, APictureOfAnotherShapeIsCentredOnTheBackground)
{
    QWidget window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    window.setPalette(palette);
    window.resize(60, 40);
    auto* under = new QWidget(&window);
    under->setGeometry(0, 0, 60, 40);
    under->setAutoFillBackground(true);
    QPalette white = under->palette();
    white.setColor(QPalette::Window, Qt::white);
    under->setPalette(white);
    auto* box = new PictureBox(&window);
    box->setGeometry(0, 0, 60, 40);

    box->setImage(filled(QSize(30, 10), Qt::red)); // 3:1 in a 3:2 box: 60 x 20, 10 rows each side
    QImage drawn = window.grab().toImage();
    EXPECT_EQ(QColor(drawn.pixel(30, 5)), QColor(0, 0, 128));
    EXPECT_EQ(QColor(drawn.pixel(30, 9)), QColor(0, 0, 128));
    EXPECT_EQ(QColor(drawn.pixel(30, 10)), QColor(Qt::red));
    EXPECT_EQ(QColor(drawn.pixel(0, 20)), QColor(Qt::red));
    EXPECT_EQ(QColor(drawn.pixel(59, 29)), QColor(Qt::red));
    EXPECT_EQ(QColor(drawn.pixel(30, 30)), QColor(0, 0, 128));

    box->setImage(filled(QSize(20, 40), Qt::green)); // portrait: 20 x 40 in the middle
    drawn = window.grab().toImage();
    EXPECT_EQ(QColor(drawn.pixel(19, 20)), QColor(0, 0, 128));
    EXPECT_EQ(QColor(drawn.pixel(20, 20)), QColor(Qt::green));
    EXPECT_EQ(QColor(drawn.pixel(39, 20)), QColor(Qt::green));
    EXPECT_EQ(QColor(drawn.pixel(40, 20)), QColor(0, 0, 128));

    // A box reaching below the window (the set-up picture's box under a title bar): the picture
    // is fitted into the part that is seen, 45 x 30 of the 3:2 picture in 60 x 30.
    window.resize(60, 30);
    box->setImage(filled(QSize(30, 20), Qt::red));
    drawn = window.grab().toImage();
    EXPECT_EQ(QColor(drawn.pixel(6, 15)), QColor(0, 0, 128));
    EXPECT_EQ(QColor(drawn.pixel(7, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(drawn.pixel(51, 29)), QColor(Qt::red));
    EXPECT_EQ(QColor(drawn.pixel(52, 15)), QColor(0, 0, 128));
}

} // namespace
