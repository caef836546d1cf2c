#include "drill/qt/Form1.h"

#include "common/qt/BgrColour.h"
#include "common/qt/FailureReport.h"
#include "common/qt/JapaneseFont.h"
#include "common/qt/QtText.h"
#include "drill/DrillLayout.h"
#include "drill/DrillSession.h"
#include "drill/qt/PictureBox.h"
#include "drill/qt/PictureLoader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include <cmath>
#include <utility>

namespace {

constexpr Colour kNavy = 0x00800000;
constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kRed = 0x000000FF;
constexpr int kFormFontPoints = 9;
constexpr QSize kSetupPictureSize(800, 600);

constexpr std::int16_t kBackspaceCode = 8;
constexpr std::int16_t kTabCode = 9;
constexpr std::int16_t kEnterCode = 13;
constexpr std::int16_t kEscapeCode = 27;

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(0);
    label->setIndent(0);
    label->setContentsMargins(0, 0, 0, 0);
    label->setWordWrap(false);
    label->setFocusPolicy(Qt::NoFocus);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void setLabelColours(QLabel* label, const QColor& text, const QColor* background)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    if (background)
        palette.setColor(QPalette::Window, *background);
    label->setPalette(palette);
    label->setAutoFillBackground(background != nullptr);
}

// The code a key carries when the platform gives it no text (some test and remote-input
// platforms leave the text of control keys empty).
std::int16_t controlCodeOf(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnterCode;
    case Qt::Key_Backspace:
        return kBackspaceCode;
    case Qt::Key_Escape:
        return kEscapeCode;
    case Qt::Key_Tab:
        return kTabCode;
    default:
        return 0;
    }
}

} // namespace

Form1::Form1(FailureReport& failure, QWidget* parent)
    : QWidget(parent)
    , m_failure(failure)
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

    m_label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Label1"));
    setLabelColours(m_label1, BgrColour::toQColor(DrillLayout::kModelWordColour), &white);

    m_label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("Label2"));
    setLabelColours(m_label2, Qt::black, &white);
    colourEcho();

    m_label3 = makeLabel(this, QStringLiteral("Label3"), QString());
    setLabelColours(m_label3, BgrColour::toQColor(kRed), nullptr);
    m_label3->hide();

    m_hint = makeLabel(this, QStringLiteral("EmptyDeckHint"),
        QStringLiteral(u"えらばれているカードがありません。\n"
                       u"先生へ：N キーを押して、使うカードを選んでください。"));
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setWordWrap(true);
    setLabelColours(m_hint, white, nullptr);
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
    m_firstFrameShown = true;
    if (!m_nextPicture.isEmpty() && !m_image1->hasPendingImage())
        m_prefetch.prepare(std::exchange(m_nextPicture, QString()), pictureSize());
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
    const QString text = event->text();
    if (text.isEmpty()) {
        const std::int16_t code = controlCodeOf(event->key());
        if (code != 0)
            forwardKey(code);
        return;
    }
    // One key can carry more than one character (a dead key followed by another); each is a key
    // press of its own, as the child typed them.
    for (const QChar unit : text) {
        if (m_ended)
            break;
        forwardKey(static_cast<std::int16_t>(unit.unicode()));
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
    placeHint();
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

void Form1::autoSize(QLabel* label)
{
    label->resize(label->sizeHint());
}

void Form1::paintNow(QLabel* label)
{
    if (!label->isVisible())
        return;
    // The label itself is repainted, not the window under it. Qt paints a window's own dirty
    // area around its opaque children and leaves their pixels as they were, so the transparent
    // mark, repainted as part of the window, would appear only beside the word labels, never
    // over them. A dirty transparent label is composed from the window down, every sibling in
    // stacking order; an opaque one with a transparent sibling over it likewise. The area a
    // label gave up by shrinking was already marked by its resize and is painted in the same
    // pass.
    label->repaint();
}

void Form1::setVisible(Widget which, bool visible)
{
    QWidget* target = widget(which);
    if (target->isVisibleTo(this) == visible)
        return;
    // The set-up picture is read only when it is shown (most starts never show it), straight at
    // its drawn size in the box, and let go once Enter has taken it away: it never comes back.
    // Usually its reading has begun already (prepareSetupPicture), and this finds it under way.
    if (which == Widget::Image2 && visible) {
        const QSize box = devicePixels(m_image2->size());
        const QString setup = setupPictureFor(box);
        m_prefetch.prepare(setup, box);
        m_image2->setImageSource([this, setup, box] { return m_prefetch.take(setup, box); });
    } else if (which == Widget::Image2) {
        m_image2->setImage(QImage());
    }
    target->setVisible(visible);
    if (visible && (which == Widget::Label2 || which == Widget::Label3))
        paintNow(label(which));
}

void Form1::setCaption(Widget which, std::u16string_view text)
{
    QLabel* target = label(which);
    if (target == nullptr)
        return;
    target->setText(QtText::toQString(text));
    if (which != Widget::Label3)
        autoSize(target);
    if (which == Widget::Label2 || which == Widget::Label3)
        paintNow(target);
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
    const QString file = QtText::toQString(path);
    const QSize target = pictureSize();
    // Decoded on the prefetch thread (unless it is there already) while the rest of the card is
    // laid out and the window gets to painting it: the box waits for it only when it draws it.
    m_prefetch.prepare(file, target);
    m_nextPicture.clear();
    m_image1->setImageSource([this, file, target] {
        const QImage image = m_prefetch.take(file, target);
        // The card after this one has waited for this one to be taken.
        if (!m_nextPicture.isEmpty() && m_firstFrameShown)
            m_prefetch.prepare(std::exchange(m_nextPicture, QString()), target);
        return image.isNull() ? PictureLoader::placeholder(target) : image;
    });
}

void Form1::preparePicture(std::u16string_view path)
{
    if (m_image1->hasPendingImage() || !m_firstFrameShown)
        m_nextPicture = QtText::toQString(path);
    else
        m_prefetch.prepare(QtText::toQString(path), pictureSize());
}

// Start-up has only read the settings: the window is not fitted yet, but Image2 will cover the
// screen it is on, as FitToScreen places it.
void Form1::prepareSetupPicture()
{
    const TwipSize screenTwips = screenSize();
    const QSize box = devicePixels(
        scale().toPixels(TwipRect { 0, 0, screenTwips.width, screenTwips.height }).size());
    if (!box.isEmpty())
        m_prefetch.prepare(setupPictureFor(box), box);
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
        placeHint();
    m_hint->setVisible(visible);
}

void Form1::placeHint()
{
    const QRect area = rect();
    QFont font = m_hint->font();
    font.setPixelSize(std::max(12, area.height() / 24));
    m_hint->setFont(font);
    m_hint->setGeometry(
        area.width() / 10, area.height() / 3, area.width() * 8 / 10, area.height() / 3);
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
    m_wantedOuter = scale().toPixels(outer).translated(origin);
    // A window manager reveals the frame only after the window is shown, sometimes in steps.
    m_refits = 3;
    applyOuterGeometry();
}

void Form1::applyOuterGeometry()
{
    if (m_wantedOuter.isNull())
        return;
    // The frame, once the window system has given the window one, is part of the outer size.
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const QSize frameExtra(frame.width() - inner.width(), frame.height() - inner.height());
    if (frame == m_wantedOuter)
        return;
    resize(m_wantedOuter.size() - frameExtra);
    move(m_wantedOuter.topLeft());
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyOuterGeometry();
}

// The outer rectangle is set again while the frame settles, a bounded number of times so that a
// window manager that insists on its own placement cannot start a tug of war.
void Form1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (m_refits > 0 && isVisible() && frameGeometry() != m_wantedOuter) {
        --m_refits;
        applyOuterGeometry();
    }
}

void Form1::setGeometry(Widget which, TwipRect rect)
{
    widget(which)->setGeometry(scale().toPixels(rect));
}

// The set-up picture comes drawn at its own 800 x 600 pixels and at twice that. A box larger
// than the first in device pixels (nearly every screen, and every HiDPI one) takes the second,
// so that the steps a teacher reads are enlarged as little as possible.
QString Form1::setupPictureFor(QSize devicePixels)
{
    const bool larger = devicePixels.width() > kSetupPictureSize.width()
        || devicePixels.height() > kSetupPictureSize.height();
    return larger ? QStringLiteral(":/tapomi/setup@2x.png") : QStringLiteral(":/tapomi/setup.png");
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
        autoSize(target);
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
    if (target == nullptr || text.empty() || points < 1)
        return {};
    // Outlines scale with the font size, so one measurement serves every size the mark is tried
    // at. Measuring each size anew would load the font a dozen times on the way to the first
    // frame.
    const QRectF perPoint = inkPerPoint(target, QtText::toQString(text));
    if (perPoint.isEmpty())
        return {};
    const QRectF ink(perPoint.topLeft() * points, perPoint.size() * points);
    const double twips = scale().twipsPerPixel();
    const auto left = static_cast<std::int32_t>(std::floor(ink.left() * twips));
    const auto top = static_cast<std::int32_t>(std::floor(ink.top() * twips));
    const auto right = static_cast<std::int32_t>(std::ceil(ink.right() * twips));
    const auto bottom = static_cast<std::int32_t>(std::ceil(ink.bottom() * twips));
    return { left, top, right - left, bottom - top };
}

QRectF Form1::inkPerPoint(const QLabel* target, const QString& text) const
{
    // At the resolution of the label's own screen, as the label will draw it.
    const int dpi = target->logicalDpiY();
    for (const MeasuredInk& measured : m_measuredInk) {
        if (measured.text == text && measured.dpi == dpi)
            return measured.perPoint;
    }
    // A label aligned to its top-left corner, without margin or indent, puts the first baseline
    // one ascent below its top. The outline's bounds are the glyphs' exact ink; the edge pixels
    // that antialiasing adds lie within the margin the layout keeps. A large size keeps the
    // rounding of the font's metrics out of the proportion.
    constexpr int kMeasuredPoints = 200;
    const QFont font(JapaneseFont::bold(kMeasuredPoints), target);
    QPainterPath outline;
    outline.addText(QPointF(0, QFontMetricsF(font, target).ascent()), font, text);
    const QRectF ink = outline.boundingRect();
    const QRectF perPoint(ink.topLeft() / kMeasuredPoints, ink.size() / kMeasuredPoints);
    m_measuredInk.push_back({ text, dpi, perPoint });
    return perPoint;
}
