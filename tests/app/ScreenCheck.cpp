// Reads a screenshot of the running drill and tells what it shows, for the end-to-end test:
//   tapomi_screen_check setup SHOT.png   exit 0 when the keyboard set-up picture fills the screen
//   tapomi_screen_check mark SHOT.png    exit 0 for the red ○, 2 for the red Ｘ, 1 for no mark

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

bool near(QRgb pixel, int red, int green, int blue, int tolerance)
{
    return std::abs(qRed(pixel) - red) <= tolerance && std::abs(qGreen(pixel) - green) <= tolerance
        && std::abs(qBlue(pixel) - blue) <= tolerance;
}

bool markRed(QRgb pixel)
{
    return qRed(pixel) >= 230 && qGreen(pixel) <= 40 && qBlue(pixel) <= 40;
}

int checkSetup(const QImage& shot)
{
    long background = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            background += near(shot.pixel(x, y), 101, 99, 83, 3) ? 1 : 0;
    }
    const double share = static_cast<double>(background) / (shot.width() * shot.height());
    std::printf("set-up background share %.2f\n", share);
    return share > 0.4 ? 0 : 1;
}

// The mark is drawn from 40 % of the width and 71 % of the height of the window, which fills
// the screen; only red pixels there count.
int checkMark(const QImage& shot)
{
    const QRect area(shot.width() * 4 / 10 - 2, shot.height() * 71 / 100 - 2,
        shot.width() * 6 / 10 + 2, shot.height() * 29 / 100 + 2);
    QRect box;
    long count = 0;
    for (int y = area.top(); y <= area.bottom() && y < shot.height(); ++y) {
        for (int x = area.left(); x <= area.right() && x < shot.width(); ++x) {
            if (markRed(shot.pixel(x, y))) {
                box |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    }
    if (count < 50) {
        std::printf("no mark (%ld red pixels)\n", count);
        return 1;
    }
    // A circle leaves its middle empty; the strokes of a cross meet there.
    const QPoint centre = box.center();
    bool centreRed = false;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx)
            centreRed = centreRed || markRed(shot.pixel(centre + QPoint(dx, dy)));
    }
    const bool square = box.width() > 20 && std::abs(box.width() - box.height()) < box.width() / 4;
    std::printf("mark %dx%d at %d,%d, %ld red pixels, centre %s\n", box.width(), box.height(),
        box.x(), box.y(), count, centreRed ? "red" : "empty");
    if (!square)
        return 1;
    return centreRed ? 2 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s setup|mark SHOT.png\n", argv[0]);
        return 64;
    }
    const QImage shot(QString::fromLocal8Bit(argv[2]));
    if (shot.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 65;
    }
    const QString mode = QString::fromLatin1(argv[1]);
    if (mode == QLatin1String("setup"))
        return checkSetup(shot);
    if (mode == QLatin1String("mark"))
        return checkMark(shot);
    std::fprintf(stderr, "unknown check %s\n", argv[1]);
    return 64;
}
