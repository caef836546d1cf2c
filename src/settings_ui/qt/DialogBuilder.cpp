#include "settings_ui/qt/DialogBuilder.h"

#include "common/qt/BgrColour.h"
#include "common/qt/TwipScale.h"

#include <algorithm>

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

namespace {

const QString kCredit = QStringLiteral("タポミ Ver 0.1");

} // namespace

DialogBuilder::DialogBuilder(QWidget* window)
    : m_window(window)
    , m_pixelsPerTwip(1.0 / TwipScale::forScreen(QGuiApplication::primaryScreen()).twipsPerPixel())
{ }

int DialogBuilder::pixels(int twips) const
{
    return qRound(twips * m_pixelsPerTwip);
}

void DialogBuilder::setUpWindow(const QString& title, int clientWidth, int clientHeight)
{
    m_window->setWindowTitle(title);
    // Only a title and a close box: the settings windows are not resized or minimised.
    m_window->setWindowFlags(
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // No icon of their own: an empty pixmap keeps the program icon off their title bars.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    m_window->setWindowIcon(QIcon(blank));
    m_window->setFixedSize(pixels(clientWidth), pixels(clientHeight));
    m_window->setFont(dialogFont());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), m_window->size());
        frame.moveCenter(screen->availableGeometry().center());
        m_window->move(frame.topLeft());
    }
}

void DialogBuilder::place(QWidget* widget, int left, int top, int width, int height) const
{
    widget->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

// The form's widths were made for another system's fonts; a text that does not fit is given the
// room it needs, up to its parent's edge, rather than being cut where the teacher cannot read it.
void DialogBuilder::fitText(QWidget* widget)
{
    const int needed = widget->sizeHint().width();
    const int room = widget->parentWidget()->width() - widget->x() - 2;
    if (needed > widget->width())
        widget->resize(std::max(widget->width(), std::min(needed, room)), widget->height());
}

void DialogBuilder::outline(int left, int top, int width, int height) const
{
    auto* shape = new QFrame(m_window);
    shape->setFrameStyle(QFrame::Box | QFrame::Plain);
    shape->setLineWidth(1);
    QPalette palette = shape->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Text));
    shape->setPalette(palette);
    place(shape, left, top, width, height);
    shape->lower();
}

QLabel* DialogBuilder::label(
    QWidget* parent, const QString& text, int left, int top, int width, int height) const
{
    auto* label = new QLabel(text, parent);
    place(label, left, top, width, height);
    fitText(label);
    return label;
}

QGroupBox* DialogBuilder::frame(
    const QString& title, int left, int top, int width, int height) const
{
    auto* frame = new QGroupBox(title, m_window);
    place(frame, left, top, width, height);
    return frame;
}

QRadioButton* DialogBuilder::radio(
    QWidget* parent, const QString& text, int left, int top, int width, int height) const
{
    auto* radio = new QRadioButton(text, parent);
    place(radio, left, top, width, height);
    fitText(radio);
    return radio;
}

QPushButton* DialogBuilder::button(
    const QString& text, int left, int top, int width, int height) const
{
    auto* button = new QPushButton(text, m_window);
    // A settings window takes no action on Enter or Esc by itself: a child pressing keys by
    // accident must not change the teacher's settings.
    button->setAutoDefault(false);
    button->setDefault(false);
    place(button, left, top, width, height);
    return button;
}

QLabel* DialogBuilder::creditLine(int left, int top, int width, int height) const
{
    QLabel* credit = label(m_window, kCredit, left, top, width, height);
    colourOn(credit, creditBackground());
    return credit;
}

void DialogBuilder::colourOn(QLabel* label, const QColor& background)
{
    const QColor systemText = QApplication::palette().color(QPalette::WindowText);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, BgrColour::readableOn(systemText, background));
    label->setPalette(palette);
}

QColor DialogBuilder::creditBackground()
{
    return QApplication::palette().color(QPalette::Dark);
}

QFont DialogBuilder::dialogFont()
{
    QFont font = japaneseFont();
    font.setPointSize(9);
    return font;
}

QFont DialogBuilder::headingFont(bool bold)
{
    QFont font = japaneseFont();
    font.setPointSizeF(14.25);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

// A proportional Japanese face, as the forms were drawn with.
QFont DialogBuilder::japaneseFont()
{
    QFont font;
    const QStringList families = QFontDatabase::families();
    for (const QString& family : { QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
             QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP") }) {
        if (families.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    return font;
}
