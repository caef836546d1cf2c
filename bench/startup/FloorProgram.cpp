// The floor that tapomi's start-up, memory and idle figures are held against: the least a Qt 6
// Widgets program can do to put one full-screen window in tapomi's Japanese font on screen.
// It reads no files, plays nothing and waits for the window system to close it.

#include "common/qt/JapaneseFont.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral(u"タポミ"));
    label.setWindowTitle(QStringLiteral("floor"));
    label.setFont(JapaneseFont::bold(72));
    label.setAlignment(Qt::AlignCenter);
    // Navy behind white text, as the drill window is.
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 0x80));
    palette.setColor(QPalette::WindowText, Qt::white);
    label.setPalette(palette);
    label.setAutoFillBackground(true);
    label.setGeometry(QGuiApplication::primaryScreen()->geometry());
    label.show();
    return QApplication::exec();
}
