// Reads a screenshot of the running drill and tells what it shows, for the end-to-end test:
//   tapomi_screen_check setup SHOT.png   exit 0 when the keyboard set-up picture is on screen
//   tapomi_screen_check mark SHOT.png    exit 0 for the red ○, 2 for the red Ｘ, 1 for no mark
//   tapomi_screen_check echo SHOT.png    exit 0 when typed kana show in the word line
//   tapomi_screen_check cross-over-word SHOT.png
//                                        exit 0 when the red Ｘ is seen whole, most of it over
//                                        the white word line; 2 for red of a mark drawn in
//                                        any other way (a sliver, a cut one); 1 for no mark

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

struct Mark
{
    QRect box;
    long count = 0;
    bool cross = false;
};

// The mark is drawn from 40 % of the width and 71 % of the height of the window, which fills
// the screen; only red pixels there count.
Mark findMark(const QImage& shot)
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
        return {};
    }
    // A circle leaves its middle empty; the strokes of a cross meet there.
    const QPoint centre = box.center();
    bool centreRed = false;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx)
            centreRed = centreRed || markRed(shot.pixel(centre + QPoint(dx, dy)));
    }
    std::printf("mark %dx%d at %d,%d, %ld red pixels, centre %s\n", box.width(), box.height(),
        box.x(), box.y(), count, centreRed ? "red" : "empty");
    return { box, count, centreRed };
}

// Only a whole mark counts: a cut one is no square.
bool isSquare(const Mark& mark)
{
    return mark.box.width() > 20
        && std::abs(mark.box.width() - mark.box.height()) < mark.box.width() / 4;
}

int checkMark(const QImage& shot)
{
    const Mark mark = findMark(shot);
    if (mark.count == 0 || !isSquare(mark))
        return 1;
    return mark.cross ? 2 : 0;
}

// The word line is the white box under the picture: the model word (white on white unless it
// is shown) with the typed kana over it.
QRect findWordLine(const QImage& shot)
{
    QRect word;
    for (int y = shot.height() * 72 / 100; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixel(x, y) == qRgb(255, 255, 255))
                word |= QRect(x, y, 1, 1);
        }
    }
    return word;
}

// The typed kana are black on the word line's white.
int checkEcho(const QImage& shot)
{
    const QRect word = findWordLine(shot);
    long dark = 0;
    for (int y = word.top(); y <= word.bottom(); ++y) {
        for (int x = word.left(); x <= word.right(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            dark += qRed(pixel) < 80 && qGreen(pixel) < 80 && qBlue(pixel) < 80 ? 1 : 0;
        }
    }
    std::printf("word line %dx%d at %d,%d with %ld dark pixels\n", word.width(), word.height(),
        word.x(), word.y(), dark);
    return dark >= 30 ? 0 : 1;
}

int checkCrossOverWord(const QImage& shot)
{
    const Mark mark = findMark(shot);
    if (mark.count == 0)
        return 1;
    const QRect word = findWordLine(shot);
    long over = 0;
    for (int y = word.top(); y <= word.bottom(); ++y) {
        for (int x = word.left(); x <= word.right(); ++x)
            over += markRed(shot.pixel(x, y)) ? 1 : 0;
    }
    const bool inside
        = mark.box.bottom() < shot.height() - 1 && mark.box.right() < shot.width() - 1;
    std::printf("word line %dx%d at %d,%d; %ld of the mark's red pixels over it; %s the screen\n",
        word.width(), word.height(), word.x(), word.y(), over, inside ? "inside" : "cut by");
    // Red that is not a whole cross, most of it over the word, is a mark drawn wrongly: a
    // sliver above the word line, or one cut by the edge.
    return mark.cross && isSquare(mark) && inside && over * 2 >= mark.count ? 0 : 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s setup|mark|echo|cross-over-word SHOT.png\n", argv[0]);
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
    if (mode == QLatin1String("echo"))
        return checkEcho(shot);
    if (mode == QLatin1String("cross-over-word"))
        return checkCrossOverWord(shot);
    std::fprintf(stderr, "unknown check %s\n", argv[1]);
    return 64;
}
