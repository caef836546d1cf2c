#include "drill/qt/Form1.h"

#include "common/qt/BgrColour.h"
#include "common/qt/FailureReport.h"
#include "common/qt/JapaneseFont.h"
#include "common/qt/QtText.h"
#include "drill/DrillLayout.h"
#include "drill/DrillSession.h"
#include "drill/qt/DrillLabel.h"
#include "drill/qt/EmptyDeckHint.h"
#include "drill/qt/KeyCodes.h"
#include "drill/qt/PictureBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

constexpr Colour kNavy = 0x00800000;
constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kRed = 0x000000FF;
constexpr int kFormFontPoints = 9;

} // namespace

Form1::Form1(FailureReport& failure, QWidget* parent)
    : QWidget(parent)
    , m_failure(failure)
    , m_outer(*this)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setFont(JapaneseFont::bold(kFormFontPoints));
    setFocusPolicy(Qt::StrongFocus);
    // Keys are read as plain characters and turned into kana by the drill itself; an input
    // method left on would compose them into text the drill never sees.
    setAttribute(Qt::WA_InputMethodEnabled, false);

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, BgrColour::toQColor(kNavy));
    setPalette(palette);
    setAutoFillBackground(true);

    // Created from the bottom of the stacking order to the top: later siblings are drawn over
    // earlier ones.
    const QColor white = BgrColour::toQColor(kWhite);
    m_image1 = new PictureBox(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_pictures = std::make_unique<CardPictures>(*m_image1);

    m_label1 = DrillLabel::make(this, QStringLiteral("Label1"), QStringLiteral("Label1"));
    DrillLabel::setColours(m_label1, BgrColour::toQColor(DrillLayout::kModelWordColour), &white);

    m_label2 = DrillLabel::make(this, QStringLiteral("Label2"), QStringLiteral("Label2"));
    DrillLabel::setColours(m_label2, Qt::black, &white);
    colourEcho();

    m_label3 = DrillLabel::make(this, QStringLiteral("Label3"), QString());
    DrillLabel::setColours(m_label3, BgrColour::toQColor(kRed), nullptr);
    m_label3->hide();

    m_hint = new EmptyDeckHint(this);
    DrillLabel::setColours(m_hint, white, nullptr);
    m_hint->hide();

    m_image2 = new PictureBox(this);
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->hide();

    // The card widgets stay hidden until the first card is presented: the window is drawn as
    // soon as it is shown, and the activation that presents the card comes only afterwards, so
    // their creation texts would otherwise reach the screen for a moment. The word labels take
    // their size from their text when the card sets its font and word; fitting them to their
    // creation texts now would only load the font at a size never shown.
    m_image1->hide();
    m_label1->hide();
    m_label2->hide();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));

    connect(m_timer1, &QTimer::timeout, this,
        [this] { forward([this] { m_session->Timer1_Timer(); }); });
    connect(m_timer2, &QTimer::timeout, this,
        [this] { forward([this] { m_session->Timer2_Timer(); }); });
}

Form1::~Form1() = default;

void Form1::attach(DrillSession& session)
{
    m_session = &session;
}

bool Form1::load()
{
    bool loaded = false;
    forward([this, &loaded] { loaded = m_session->Form_Load(); });
    m_loaded = loaded && !m_ended && !m_failure.failed();
    return m_loaded;
}

void Form1::activate()
{
    forward([this] { m_session->Form_Activate(); });
}

void Form1::speechDone()
{
    forward([this] { m_session->PtSvr1_SpeechDone(); });
}

void Form1::firstFrameShown()
{
    m_pictures->firstFrameShown(pictureSize());
}

void Form1::forward(const std::function<void()>& handler)
{
    if (m_ended || m_session == nullptr)
        return;
    m_failure.run(handler);
}

void Form1::forwardKey(std::int16_t code)
{
    forward([this, code] { m_session->Form_KeyPress(code); });
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    for (const std::int16_t code : KeyCodes::of(*event)) {
        if (m_ended)
            break;
        forwardKey(code);
    }
}

// Tab is a key like any other here, not a move to another control.
bool Form1::focusNextPrevChild(bool)
{
    return false;
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!m_ended) {
        if (m_closeHook)
            m_failure.run(m_closeHook);
        endProgram();
    }
    event->accept();
}

// A new colour scheme while the window is open (the desktop switched to dark, say).
bool Form1::event(QEvent* event)
{
    if (event->type() == QEvent::ApplicationPaletteChange)
        colourEcho();
    return QWidget::event(event);
}

// The typed kana take the system's button-text colour, unless a dark colour scheme makes it too
// light to read on the label's white.
void Form1::colourEcho()
{
    QPalette palette = m_label2->palette();
    palette.setColor(QPalette::WindowText,
        BgrColour::readableOn(
            QApplication::palette().color(QPalette::ButtonText), BgrColour::toQColor(kWhite)));
    m_label2->setPalette(palette);
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_hint->placeIn(rect());
    if (m_loaded)
        forward([this] { m_session->Form_Resize(); });
}

QWidget* Form1::widget(Widget which) const
{
    switch (which) {
    case Widget::Image1:
        return m_image1;
    case Widget::Image2:
        return m_image2;
    case Widget::Label1:
        return m_label1;
    case Widget::Label2:
        return m_label2;
    case Widget::Label3:
        return m_label3;
    }
    return m_image1;
}

QLabel* Form1::label(Widget which) const
{
    // The image boxes are no labels and give null.
    return qobject_cast<QLabel*>(widget(which));
}

TwipScale Form1::scale() const
{
    return TwipScale::forScreen(screen());
}

void Form1::setVisible(Widget which, bool visible)
{
    QWidget* target = widget(which);
    if (target->isVisibleTo(this) == visible)
        return;
    if (which == Widget::Image2 && visible)
        m_pictures->showSetup(*m_image2, devicePixels(m_image2->size()));
    else if (which == Widget::Image2)
        m_pictures->hideSetup(*m_image2);
    target->setVisible(visible);
    if (visible && (which == Widget::Label2 || which == Widget::Label3))
        DrillLabel::paintNow(label(which));
}

void Form1::setCaption(Widget which, std::u16string_view text)
{
    QLabel* target = label(which);
    if (target == nullptr)
        return;
    target->setText(QtText::toQString(text));
    if (which != Widget::Label3)
        DrillLabel::fitToText(target);
    if (which == Widget::Label2 || which == Widget::Label3)
        DrillLabel::paintNow(target);
}

QSize Form1::pictureSize() const
{
    return devicePixels(m_image1->size());
}

QSize Form1::devicePixels(QSize logical) const
{
    return (QSizeF(logical) * devicePixelRatioF()).toSize();
}

void Form1::loadPicture(std::u16string_view path)
{
    m_pictures->show(QtText::toQString(path), pictureSize());
}

void Form1::preparePicture(std::u16string_view path)
{
    m_pictures->prepare(QtText::toQString(path), pictureSize());
}

// Start-up has only read the settings: the window is not fitted yet, but Image2 will cover the
// screen it is on, as FitToScreen places it.
void Form1::prepareSetupPicture()
{
    const TwipSize screenTwips = screenSize();
    m_pictures->prepareSetup(devicePixels(
        scale().toPixels(TwipRect { 0, 0, screenTwips.width, screenTwips.height }).size()));
}

void Form1::setTimerEnabled(Timer timer, bool enabled)
{
    QTimer* target = timer == Timer::Timer1 ? m_timer1 : m_timer2;
    // Enabling a running timer leaves its count alone, as a timer's Enabled switch does.
    if (!enabled)
        target->stop();
    else if (!target->isActive())
        target->start();
}

bool Form1::isTimerEnabled(Timer timer) const
{
    return (timer == Timer::Timer1 ? m_timer1 : m_timer2)->isActive();
}

void Form1::setTimerInterval(Timer timer, std::int32_t milliseconds)
{
    (timer == Timer::Timer1 ? m_timer1 : m_timer2)
        ->setInterval(std::max<std::int32_t>(1, milliseconds));
}

void Form1::showSettingsWindow(SettingsWindow window)
{
    if (m_settingsHook)
        m_settingsHook(window);
}

void Form1::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    m_timer1->stop();
    m_timer2->stop();
    hide();
    // Ends a running event loop at once; during start-up main sees hasEnded() instead.
    QCoreApplication::exit(0);
}

void Form1::showEmptyDeckHint(bool visible)
{
    if (visible)
        m_hint->placeIn(rect());
    m_hint->setVisible(visible);
}

TwipSize Form1::screenSize() const
{
    const QScreen* current = screen();
    if (current == nullptr)
        return {};
    return scale().toTwips(current->geometry().size());
}

TwipSize Form1::windowSize() const
{
    return scale().toTwips(frameGeometry().size());
}

TwipSize Form1::clientSize() const
{
    return scale().toTwips(size());
}

void Form1::setWindowGeometry(TwipRect outer)
{
    // Counted from the corner of the screen the window is on: with a second screen (a
    // projector) the drill fills the screen it was started on.
    const QScreen* current = screen();
    const QPoint origin = current != nullptr ? current->geometry().topLeft() : QPoint();
    m_outer.fit(scale().toPixels(outer).translated(origin));
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_outer.windowShown();
}

void Form1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    m_outer.windowMoved();
}

void Form1::setGeometry(Widget which, TwipRect rect)
{
    widget(which)->setGeometry(scale().toPixels(rect));
}

void Form1::moveTo(Widget which, std::int32_t left, std::int32_t top)
{
    const TwipScale twips = scale();
    widget(which)->move(twips.toPixels(left), twips.toPixels(top));
}

void Form1::setFontSize(Widget which, int points)
{
    QLabel* target = label(which);
    if (target == nullptr)
        return;
    target->setFont(JapaneseFont::bold(points));
    if (which != Widget::Label3)
        DrillLabel::fitToText(target);
}

void Form1::setTextColour(Widget which, Colour colour)
{
    QLabel* target = label(which);
    if (target == nullptr)
        return;
    QPalette palette = target->palette();
    palette.setColor(QPalette::WindowText, BgrColour::toQColor(colour));
    target->setPalette(palette);
}

TwipRect Form1::inkBounds(Widget which, std::u16string_view text, int points) const
{
    const QLabel* target = label(which);
    if (target == nullptr)
        return {};
    return m_ink.bounds(*target, text, points, scale().twipsPerPixel());
}
