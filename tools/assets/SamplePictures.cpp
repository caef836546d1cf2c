#include "SamplePictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

using Drawing = std::function<void(QPainter&)>;

QImage paint(const QColor& background, const Drawing& drawing)
{
    QImage image(SamplePictures::kWidth, SamplePictures::kHeight, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing(painter);
    return image;
}

QPen outline(int width = 5)
{
    return QPen(QColor(40, 30, 30), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void leaf(QPainter& painter, QPointF base, double angleDegrees, double length)
{
    painter.save();
    painter.translate(base);
    painter.rotate(angleDegrees);
    QPainterPath path(QPointF(0, 0));
    path.quadTo(QPointF(length / 2, -length / 3), QPointF(length, 0));
    path.quadTo(QPointF(length / 2, length / 3), QPointF(0, 0));
    painter.setPen(outline(4));
    painter.setBrush(QColor(70, 160, 60));
    painter.drawPath(path);
    painter.restore();
}

void apple(QPainter& p)
{
    QPainterPath body;
    body.moveTo(320, 150);
    body.cubicTo(380, 100, 480, 130, 470, 250);
    body.cubicTo(465, 350, 390, 420, 320, 395);
    body.cubicTo(250, 420, 175, 350, 170, 250);
    body.cubicTo(160, 130, 260, 100, 320, 150);
    p.setPen(outline());
    p.setBrush(QColor(215, 30, 40));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 150, 150));
    p.drawEllipse(QRectF(225, 180, 40, 70));
    p.setPen(QPen(QColor(100, 60, 20), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(320, 150), QPointF(330, 85));
    leaf(p, QPointF(330, 105), -25, 90);
}

void grapes(QPainter& p)
{
    p.setPen(QPen(QColor(100, 60, 20), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(320, 110), QPointF(330, 60));
    leaf(p, QPointF(328, 80), -160, 110);
    p.setPen(outline(3));
    p.setBrush(QColor(120, 50, 150));
    const int rows[] = { 5, 4, 3, 2, 1 };
    const double radius = 30;
    for (int row = 0; row < 5; ++row) {
        const int count = rows[row];
        for (int i = 0; i < count; ++i) {
            const double x = 320 + (i - (count - 1) / 2.0) * radius * 1.9;
            const double y = 140 + row * radius * 1.65;
            p.drawEllipse(QPointF(x, y), radius, radius);
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 160, 220));
    for (int row = 0; row < 5; ++row) {
        const int count = rows[row];
        for (int i = 0; i < count; ++i) {
            const double x = 320 + (i - (count - 1) / 2.0) * radius * 1.9;
            const double y = 140 + row * radius * 1.65;
            p.drawEllipse(QPointF(x - 10, y - 10), 6, 6);
        }
    }
}

void bread(QPainter& p)
{
    QPainterPath loaf;
    loaf.moveTo(130, 360);
    loaf.lineTo(130, 250);
    loaf.cubicTo(130, 120, 510, 120, 510, 250);
    loaf.lineTo(510, 360);
    loaf.closeSubpath();
    p.setPen(outline());
    p.setBrush(QColor(205, 140, 60));
    p.drawPath(loaf);
    p.setBrush(QColor(250, 225, 170));
    p.drawRect(QRectF(150, 300, 340, 60));
    p.setPen(QPen(QColor(150, 90, 30), 8, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(220 + i * 90, 200), QPointF(250 + i * 90, 250));
}

void trumpet(QPainter& p)
{
    const QColor brass(235, 180, 40);
    p.setPen(outline());
    p.setBrush(brass);
    // The bell, flaring to the right.
    QPainterPath bell;
    bell.moveTo(360, 230);
    bell.cubicTo(450, 225, 500, 180, 540, 130);
    bell.lineTo(540, 370);
    bell.cubicTo(500, 320, 450, 275, 360, 270);
    bell.closeSubpath();
    p.drawPath(bell);
    p.drawRect(QRectF(120, 230, 240, 40));
    // The loop under the valves.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 30, 30), 30, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(170, 230, 200, 140), 180 * 16, 180 * 16);
    p.setPen(QPen(brass, 20, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(170, 230, 200, 140), 180 * 16, 180 * 16);
    // Three valves with their buttons.
    p.setPen(outline(4));
    for (int i = 0; i < 3; ++i) {
        p.setBrush(brass);
        p.drawRect(QRectF(200 + i * 50, 170, 28, 120));
        p.setBrush(QColor(250, 245, 230));
        p.drawEllipse(QRectF(196 + i * 50, 150, 36, 22));
    }
    // The mouthpiece.
    p.setBrush(QColor(200, 200, 210));
    QPolygonF mouth;
    mouth << QPointF(70, 225) << QPointF(120, 240) << QPointF(120, 260) << QPointF(70, 275);
    p.drawPolygon(mouth);
}

void train(QPainter& p)
{
    // Rails.
    p.setPen(QPen(QColor(90, 90, 90), 8));
    p.drawLine(QPointF(0, 410), QPointF(640, 410));
    // Overhead wire and pantograph.
    p.setPen(QPen(QColor(60, 60, 60), 3));
    p.drawLine(QPointF(0, 70), QPointF(640, 70));
    p.drawLine(QPointF(280, 140), QPointF(320, 72));
    p.drawLine(QPointF(360, 140), QPointF(320, 72));
    // The carriage.
    p.setPen(outline());
    p.setBrush(QColor(40, 150, 90));
    p.drawRoundedRect(QRectF(60, 140, 520, 230), 40, 40);
    p.setBrush(QColor(250, 240, 200));
    p.drawRect(QRectF(60, 300, 520, 22));
    p.setBrush(QColor(170, 220, 250));
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRectF(95 + i * 125, 175, 90, 80), 10, 10);
    p.setBrush(QColor(60, 60, 60));
    for (const double x : { 140.0, 240.0, 400.0, 500.0 })
        p.drawEllipse(QPointF(x, 385), 28, 28);
}

void cake(QPainter& p)
{
    // Plate.
    p.setPen(outline(4));
    p.setBrush(QColor(230, 230, 240));
    p.drawEllipse(QRectF(110, 360, 420, 70));
    // Sponge and cream, a round cake seen from the side.
    p.setPen(outline());
    p.setBrush(QColor(245, 215, 150));
    p.drawRect(QRectF(160, 230, 320, 160));
    p.setBrush(QColor(255, 250, 245));
    p.drawEllipse(QRectF(160, 190, 320, 80));
    p.drawRect(QRectF(160, 300, 320, 22));
    // Strawberries and candles on top.
    for (const double x : { 230.0, 320.0, 410.0 }) {
        p.setBrush(QColor(220, 30, 50));
        p.drawEllipse(QPointF(x, 225), 24, 20);
        p.setBrush(QColor(120, 190, 240));
        p.drawRect(QRectF(x + 25, 150, 12, 70));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 170, 0));
        p.drawEllipse(QPointF(x + 31, 138), 8, 14);
        p.setPen(outline());
    }
}

void bananas(QPainter& p)
{
    p.setPen(outline());
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(320, 250);
        p.rotate(-25 + i * 25);
        QPainterPath banana;
        banana.moveTo(-190, -30);
        banana.cubicTo(-120, 90, 120, 90, 190, -30);
        banana.cubicTo(120, 40, -120, 40, -190, -30);
        p.setBrush(QColor(250, 215, 40));
        p.drawPath(banana);
        p.setBrush(QColor(90, 70, 30));
        p.drawEllipse(QPointF(-190, -30), 8, 8);
        p.restore();
    }
    p.setBrush(QColor(110, 150, 50));
    p.drawRoundedRect(QRectF(140, 120, 40, 50), 8, 8);
}

void fish(QPainter& p)
{
    p.setPen(outline());
    p.setBrush(QColor(60, 130, 220));
    QPolygonF tail;
    tail << QPointF(450, 240) << QPointF(570, 150) << QPointF(570, 330);
    p.drawPolygon(tail);
    p.drawEllipse(QRectF(90, 150, 400, 180));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(180, 215), 24, 24);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(185, 215), 11, 11);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(230, 170, 80, 140), -60 * 16, 120 * 16);
    p.setPen(QPen(QColor(150, 200, 250), 6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(70 - i * 10, 140 - i * 45), 10 + i * 4, 10 + i * 4);
}

void cat(QPainter& p)
{
    const QColor fur(245, 170, 70);
    p.setPen(outline());
    p.setBrush(fur);
    QPolygonF left;
    left << QPointF(170, 210) << QPointF(190, 60) << QPointF(290, 140);
    QPolygonF right;
    right << QPointF(470, 210) << QPointF(450, 60) << QPointF(350, 140);
    p.drawPolygon(left);
    p.drawPolygon(right);
    p.drawEllipse(QRectF(150, 110, 340, 300));
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(QPointF(255, 240), 16, 24);
    p.drawEllipse(QPointF(385, 240), 16, 24);
    p.setBrush(QColor(240, 120, 130));
    QPolygonF nose;
    nose << QPointF(305, 290) << QPointF(335, 290) << QPointF(320, 308);
    p.drawPolygon(nose);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(280, 290, 40, 40), 180 * 16, 180 * 16);
    p.drawArc(QRectF(320, 290, 40, 40), 180 * 16, 180 * 16);
    p.setPen(outline(3));
    for (int i = -1; i <= 1; ++i) {
        p.drawLine(QPointF(230, 310 + i * 18), QPointF(110, 300 + i * 35));
        p.drawLine(QPointF(410, 310 + i * 18), QPointF(530, 300 + i * 35));
    }
}

void car(QPainter& p)
{
    p.setPen(QPen(QColor(120, 120, 120), 6));
    p.drawLine(QPointF(0, 410), QPointF(640, 410));
    p.setPen(outline());
    p.setBrush(QColor(230, 50, 50));
    QPainterPath body;
    body.moveTo(70, 360);
    body.lineTo(70, 270);
    body.lineTo(170, 250);
    body.lineTo(230, 160);
    body.lineTo(420, 160);
    body.lineTo(490, 250);
    body.lineTo(570, 270);
    body.lineTo(570, 360);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(170, 220, 250));
    QPolygonF front;
    front << QPointF(245, 180) << QPointF(315, 180) << QPointF(315, 245) << QPointF(200, 245);
    QPolygonF back;
    back << QPointF(335, 180) << QPointF(410, 180) << QPointF(460, 245) << QPointF(335, 245);
    p.drawPolygon(front);
    p.drawPolygon(back);
    p.setBrush(QColor(255, 240, 120));
    p.drawEllipse(QPointF(550, 295), 14, 14);
    for (const double x : { 170.0, 470.0 }) {
        p.setBrush(QColor(40, 40, 40));
        p.drawEllipse(QPointF(x, 360), 48, 48);
        p.setBrush(QColor(200, 200, 200));
        p.drawEllipse(QPointF(x, 360), 18, 18);
    }
}

void sun(QPainter& p)
{
    const QPointF centre(320, 240);
    p.setPen(QPen(QColor(250, 150, 20), 14, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const double angle = i * std::numbers::pi / 6;
        p.drawLine(centre + QPointF(150 * std::cos(angle), 150 * std::sin(angle)),
            centre + QPointF(210 * std::cos(angle), 210 * std::sin(angle)));
    }
    p.setPen(outline());
    p.setBrush(QColor(255, 210, 30));
    p.drawEllipse(centre, 125, 125);
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(QPointF(275, 210), 12, 16);
    p.drawEllipse(QPointF(365, 210), 12, 16);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(250, 210, 140, 90), -20 * 16, -140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 140, 120));
    p.drawEllipse(QPointF(240, 260), 20, 12);
    p.drawEllipse(QPointF(400, 260), 20, 12);
}

void umbrella(QPainter& p)
{
    // The handle, a J hanging from the middle.
    p.setPen(QPen(QColor(90, 60, 30), 12, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(320, 110), QPointF(320, 380));
    p.drawArc(QRectF(260, 350, 60, 60), 0, -180 * 16);
    // The canopy with its scalloped edge.
    QPainterPath canopy;
    canopy.moveTo(110, 250);
    canopy.cubicTo(110, 60, 530, 60, 530, 250);
    for (int i = 0; i < 5; ++i) {
        const double right = 530 - i * 84;
        canopy.quadTo(QPointF(right - 42, 215), QPointF(right - 84, 250));
    }
    p.setPen(outline());
    p.setBrush(QColor(40, 120, 220));
    p.drawPath(canopy);
    p.setPen(outline(3));
    for (int i = 1; i < 5; ++i)
        p.drawLine(QPointF(320, 90), QPointF(110 + i * 84, 250));
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(QPointF(320, 88), 8, 8);
}

} // namespace

std::vector<SamplePictures::Sample> SamplePictures::draw()
{
    const QColor cream(255, 250, 235);
    const QColor sky(220, 240, 255);
    const QColor mint(225, 245, 225);
    const QColor blush(255, 235, 235);
    struct Entry
    {
        const char16_t* word;
        const char16_t* suffix;
        QColor background;
        void (*drawing)(QPainter&);
    };
    const Entry entries[] = {
        { u"りんご", u"jpg", cream, apple },
        { u"ぶどう", u"gif", mint, grapes },
        { u"ぱん", u"bmp", sky, bread },
        { u"らっぱ", u"jpg", sky, trumpet },
        { u"でんしゃ", u"gif", cream, train },
        { u"けーき", u"bmp", blush, cake },
        { u"ばなな", u"jpg", sky, bananas },
        { u"さかな", u"gif", cream, fish },
        { u"ねこ", u"bmp", mint, cat },
        { u"くるま", u"jpg", mint, car },
        { u"たいよう", u"gif", sky, sun },
        { u"かさ", u"bmp", blush, umbrella },
    };
    std::vector<Sample> samples;
    for (const Entry& entry : entries) {
        samples.push_back({ QString::fromUtf16(entry.word), QString::fromUtf16(entry.suffix),
            paint(entry.background, entry.drawing) });
    }
    return samples;
}
