#include "drill/qt/Form1.h"

#include "EventLog.h"
#include "FakeDataStore.h"
#include "FakeMedia.h"
#include "ScriptedRandom.h"
#include "WindowSystemFocus.h"

#include "common/qt/ActivationTracker.h"
#include "common/qt/FailureReport.h"
#include "common/qt/QtText.h"
#include "common/qt/TwipScale.h"
#include "drill/DrillLayout.h"
#include "drill/DrillSession.h"
#include "drill/qt/PictureBox.h"
#include "drill/qt/PictureLoader.h"

#include <QApplication>
#include <QBackingStore>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

const QColor kSetupBackground(101, 99, 83);

// Writes every paint of the watched labels into the log, with the text painted, so that tests
// can tell what the child saw before a sound started.
class PaintRecorder final : public QObject
{
public:
    explicit PaintRecorder(EventLog& log)
        : m_log(log)
    { }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const auto* label = static_cast<QLabel*>(watched);
            m_log.add("paint " + watched->objectName().toStdString() + " "
                + utf8(QtText::toU16(label->text())));
        }
        return false;
    }

private:
    EventLog& m_log;
};

class Form1Test : public ::testing::Test
{
protected:
    Form1Test()
    {
        form.attach(session);
        speech.setDoneHandler([this] { form.speechDone(); });
        data.pictures = { u"ねこ.bmp" };
        data.settings.ShowSetupPicture = kFalse;
        program.DataPrefix = QtText::toU16(QStringLiteral(TAPOMI_SAMPLES_DIR "/"));
    }

    ~Form1Test() override { WindowSystemFocus::moveTo(nullptr); }

    // Start-up as main runs it, with the prompt spoken at once.
    void start()
    {
        ASSERT_TRUE(form.load());
        form.show();
        // The window system's answer to the show: the frame and the first expose.
        QCoreApplication::processEvents();
        form.activate();
        speech.finish();
    }

    QLabel* label(const char* name) const
    {
        return form.findChild<QLabel*>(QString::fromLatin1(name));
    }
    QWidget* child(const char* name) const
    {
        return form.findChild<QWidget*>(QString::fromLatin1(name));
    }
    bool shown(const char* name) const { return child(name)->isVisibleTo(&form); }
    std::u16string text(const char* name) const { return QtText::toU16(label(name)->text()); }

    // A timer's tick, delivered without waiting for it.
    void tick(const char* timer)
    {
        auto* target = form.findChild<QTimer*>(QString::fromLatin1(timer));
        ASSERT_NE(target, nullptr);
        ASSERT_TRUE(target->isActive());
        ASSERT_TRUE(QMetaObject::invokeMethod(target, "timeout"));
    }

    // Types keys through Qt, each after the key guard of the one before has run out.
    void type(const QString& keys)
    {
        for (const QChar key : keys) {
            if (form.isTimerEnabled(Timer::Timer2))
                tick("Timer2");
            QTest::keyClicks(&form, QString(key));
        }
    }
    void press(Qt::Key key)
    {
        if (form.isTimerEnabled(Timer::Timer2))
            tick("Timer2");
        QTest::keyClick(&form, key);
    }

    // What the window system was last given to show, in window pixels: the window's backing
    // store. A fresh grab() would paint every widget again in stacking order and so hide a stale
    // screen.
    QImage onScreen() const
    {
        QPaintDevice* device = form.backingStore() ? form.backingStore()->paintDevice() : nullptr;
        if (device == nullptr || device->devType() != QInternal::Image)
            return {};
        return static_cast<QImage*>(device)->copy().scaled(form.size());
    }

    QRect pixels(TwipRect rect) const { return TwipScale::forScreen(form.screen()).toPixels(rect); }
    TwipSize windowTwips() const
    {
        return TwipScale::forScreen(form.screen()).toTwips(form.frameGeometry().size());
    }

    EventLog log;
    ProgramState program;
    FakeDataStore data { program, log };
    FakeSoundPlayer sound { log };
    FakeSpeechVoice speech { log };
    ScriptedRandom random;
    QStringList reports;
    FailureReport failure { [this](const QString& text) { reports.append(text); } };
    Form1 form { failure };
    DrillSession session { program, form, data, sound, speech, random };
};

TEST_F(Form1Test, FillsTheScreenAndStartsUnderTheSetupPicture)
{
    data.settings.ShowSetupPicture = kTrue;
    data.settings.TalkingAidKeyboard = kTrue;
    start();

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Form1"));
    EXPECT_EQ(form.frameGeometry(), form.screen()->geometry());
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(0, 0, 128));

    ASSERT_TRUE(shown("Image2"));
    // Placed at the outer size, so it covers the whole client area whatever the frame takes.
    EXPECT_EQ(child("Image2")->geometry(), QRect(QPoint(0, 0), form.frameGeometry().size()));
    EXPECT_TRUE(child("Image2")->geometry().contains(form.rect()));
    // The screen is larger than the picture's 800 x 600 pixels: its finer drawing is shown,
    // read straight at the box's size in device pixels.
    const QSize device = (QSizeF(child("Image2")->size()) * form.devicePixelRatioF()).toSize();
    EXPECT_EQ(static_cast<PictureBox*>(child("Image2"))->image(),
        PictureLoader::load(QStringLiteral(":/tapomi/setup@2x.png"), device));
    EXPECT_FALSE(shown("Label3"));
    // The set-up picture is what is on screen, not the card behind it.
    const QImage screen = form.grab().toImage();
    EXPECT_EQ(QColor(screen.pixel(3, screen.height() / 2)), kSetupBackground);
    EXPECT_TRUE(sound.played.empty());
    EXPECT_TRUE(speech.spoken.empty());

    // Other keys leave it up; Enter takes it away and presents the first card.
    type(QStringLiteral(",b"));
    EXPECT_TRUE(shown("Image2"));
    press(Qt::Key_Return);
    EXPECT_FALSE(shown("Image2"));
    EXPECT_TRUE(static_cast<PictureBox*>(child("Image2"))->image().isNull())
        << "the set-up picture is let go once it has been taken away";
    EXPECT_TRUE(shown("Image1"));
    EXPECT_TRUE(shown("Label1"));
    EXPECT_EQ(text("Label1"), u"ねこ");
    EXPECT_EQ(speech.spoken.back(), u"ねこ、と、いれてください");

    // The mark is fitted to the screen in the window's own font when it is first shown.
    speech.finish();
    type(QStringLiteral(",b"));
    press(Qt::Key_Return);
    ASSERT_TRUE(shown("Label3"));
    const DrillLayout::MarkPlacement mark
        = DrillLayout::FitMark(windowTwips(), form.clientSize(), [this](int points) {
              return std::vector<TwipRect> { form.inkBounds(Widget::Label3, u"○", points),
                  form.inkBounds(Widget::Label3, u"Ｘ", points) };
          });
    EXPECT_EQ(child("Label3")->geometry(), pixels(mark.box));
    EXPECT_EQ(label("Label3")->font().pointSize(), mark.fontSize);
}

// Between the first paint and the first activation the window shows its navy ground only: no
// creation text, no empty white boxes.
TEST_F(Form1Test, NothingOfTheCreationStateReachesTheScreen)
{
    ASSERT_TRUE(form.load());
    form.show();
    QCoreApplication::processEvents();
    const QImage shot = onScreen();
    ASSERT_FALSE(shot.isNull());
    int other = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            other += QColor(shot.pixel(x, y)) == QColor(0, 0, 128) ? 0 : 1;
    }
    EXPECT_EQ(other, 0);

    form.activate();
    EXPECT_TRUE(shown("Image1"));
    EXPECT_TRUE(shown("Label1"));
    EXPECT_EQ(text("Label1"), u"ねこ");
}

TEST_F(Form1Test, PlacesTheCardAndTheWordAfterTheLayout)
{
    start();
    const TwipSize window = windowTwips();
    EXPECT_EQ(child("Image1")->geometry(), pixels(DrillLayout::CardPictureBox(window)));
    const DrillLayout::WordLabels labels = DrillLayout::PlaceWordLabels(window, 2);
    // Auto-size fits the model word's box to its text but keeps its left and top edges.
    EXPECT_EQ(child("Label1")->pos(), pixels(labels.label1).topLeft());
    EXPECT_EQ(label("Label1")->font().pointSize(), labels.fontSize);
    EXPECT_TRUE(label("Label1")->font().bold());
    EXPECT_GT(child("Label1")->width(), 0);
    EXPECT_LT(child("Label1")->width(), form.width());
    // ShowModelWord is off by default: white on white.
    EXPECT_EQ(label("Label1")->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(label("Label1")->palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_FALSE(shown("Label2"));

    // The sample picture is decoded at the box's size.
    const QImage card = form.grab(child("Image1")->geometry()).toImage();
    EXPECT_NE(QColor(card.pixel(card.width() / 2, card.height() / 2)), QColor(0, 0, 128));
}

// The next card's picture would take the processor that the window system draws the first frame
// with: it is read ahead only once that frame is shown.
TEST_F(Form1Test, TheNextCardIsReadAheadOnceTheFirstFrameIsShown)
{
    data.pictures = { u"ねこ.bmp", u"りんご.jpg", u"かさ.bmp" };
    start();
    form.grab();
    EXPECT_TRUE(form.picturePrefetch().preparedPath().isEmpty());

    form.firstFrameShown();
    const QString first = QtText::toQString(text("Label1"));
    const QString next = form.picturePrefetch().preparedPath();
    EXPECT_FALSE(next.isEmpty());
    EXPECT_NE(QFileInfo(next).completeBaseName(), first) << next.toStdString();
}

TEST_F(Form1Test, KeysTypedThroughQtAreEchoedBeforeTheirSound)
{
    EXPECT_FALSE(form.testAttribute(Qt::WA_InputMethodEnabled));
    start();
    PaintRecorder recorder(log);
    label("Label2")->installEventFilter(&recorder);
    label("Label3")->installEventFilter(&recorder);
    log.clear();

    type(QStringLiteral(","));
    ASSERT_TRUE(shown("Label2"));
    EXPECT_EQ(text("Label2"), u"ね");
    EXPECT_EQ(child("Label2")->pos(), child("Label1")->pos());
    const int painted = log.indexOf("paint Label2 ね");
    ASSERT_GE(painted, 0);
    EXPECT_LT(painted, log.indexOf("play ね.wav"));
    // The key guard runs after the sound, and swallows the next key.
    EXPECT_TRUE(form.isTimerEnabled(Timer::Timer2));
    QTest::keyClicks(&form, QStringLiteral("b"));
    EXPECT_EQ(text("Label2"), u"ね");

    // Backspace, shifted characters and the mark keys arrive as their plain codes.
    press(Qt::Key_Backspace);
    EXPECT_FALSE(shown("Label2"));
    type(QStringLiteral("Z"));
    EXPECT_EQ(text("Label2"), u"っ");
    press(Qt::Key_Backspace);
    type(QStringLiteral("t@"));
    EXPECT_EQ(text("Label2"), u"が");
    ASSERT_GE(log.indexOf("paint Label2 が"), 0);
    EXPECT_LT(log.indexOf("paint Label2 が"), log.indexOf("play が.wav"));
    // Tab is an ordinary key that the drill does not map, not a move between controls.
    press(Qt::Key_Tab);
    EXPECT_EQ(text("Label2"), u"が");
    type(QStringLiteral(","));
    EXPECT_EQ(text("Label2"), u"がね");
}

TEST_F(Form1Test, JudgementShowsTheMarkOverTheEcho)
{
    start();
    PaintRecorder recorder(log);
    label("Label3")->installEventFilter(&recorder);
    type(QStringLiteral(",b"));
    log.clear();
    press(Qt::Key_Return);

    ASSERT_TRUE(shown("Label3"));
    EXPECT_EQ(text("Label3"), u"○");
    EXPECT_EQ(label("Label3")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_FALSE(label("Label3")->autoFillBackground());
    EXPECT_EQ(text("Label2"), u"ねこ");
    EXPECT_TRUE(shown("Label2"));
    ASSERT_GE(log.indexOf("paint Label3 ○"), 0);
    EXPECT_LT(log.indexOf("paint Label3 ○"), log.indexOf("play ピンポン.wav"));
    // Only the glyph is drawn: the echo stays visible through the mark's box.
    const QImage screen = form.grab().toImage();
    const QPoint markCorner = child("Label3")->geometry().topLeft() + QPoint(1, 1);
    EXPECT_NE(QColor(screen.pixel(markCorner)), QColor(255, 0, 0));

    // The feedback tick after the sentence takes the mark away and brings the card back.
    speech.finish();
    tick("Timer1");
    EXPECT_FALSE(shown("Label3"));
    EXPECT_EQ(text("Label1"), u"ねこ");
    EXPECT_FALSE(form.isTimerEnabled(Timer::Timer1));

    speech.finish();
    type(QStringLiteral(","));
    press(Qt::Key_Return);
    EXPECT_EQ(text("Label3"), u"Ｘ");
    EXPECT_TRUE(shown("Label3"));
}

int markRedPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60 ? 1 : 0;
        }
    }
    return count;
}

// The sound holds the user-interface thread, so the screen then shows only what was painted
// before it started: the mark must already be there, over the word.
TEST_F(Form1Test, TheMarkIsOnScreenOverTheWordWhileItsSoundPlays)
{
    data.settings.ShowModelWord = kTrue;
    start();
    struct Case
    {
        QString keys;
        std::u16string sound;
    };
    for (const Case& judged : { Case { QStringLiteral(","), u"ブー.wav" },
             Case { QStringLiteral(",b"), u"ピンポン.wav" } }) {
        QImage during;
        sound.whilePlaying = [&] {
            if (sound.played.back() == judged.sound)
                during = onScreen();
        };
        type(judged.keys);
        press(Qt::Key_Return);
        sound.whilePlaying = nullptr;
        ASSERT_FALSE(during.isNull()) << utf8(judged.sound);

        const QRect word = child("Label1")->geometry().united(child("Label2")->geometry());
        const QImage composed = form.grab().toImage().scaled(form.size());
        const int expected = markRedPixels(composed, word);
        ASSERT_GT(expected, word.width()) << "the mark reaches over the word line";
        EXPECT_EQ(markRedPixels(during, word), expected) << utf8(judged.sound);

        // The sentence, then the card again (the same one after a wrong answer, the next and
        // only one after a right answer).
        speech.finish();
        tick("Timer1");
        speech.finish();
    }
}

// The mark on the screen shapes schools use, measured from the rendered glyphs: seen whole, over
// the word line, large, and starting at 40 % of the width. The screens come from the offscreen
// platform's configuration, one per shape.
class Form1ScreenTest : public Form1Test, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(Form1ScreenTest, TheMarkIsSeenWholeOverTheWord)
{
    const QString shape = QString::fromLatin1(GetParam());
    QScreen* screen = nullptr;
    for (QScreen* candidate : QGuiApplication::screens()) {
        if (candidate->name() == shape)
            screen = candidate;
    }
    ASSERT_NE(screen, nullptr) << "no offscreen screen " << GetParam();
    form.setScreen(screen);
    start();
    ASSERT_EQ(form.screen(), screen);
    EXPECT_EQ(form.frameGeometry(), screen->geometry());

    // The card's 640 x 480 picture is decoded at its drawn size in device pixels: as large as
    // fits inside the box, with its own shape. The box ends above the word line.
    const qreal ratio = form.devicePixelRatioF();
    auto* card = static_cast<PictureBox*>(child("Image1"));
    const QSize box = (QSizeF(card->size()) * ratio).toSize();
    const QSize decoded = card->image().size();
    EXPECT_TRUE(decoded.width() == box.width() || decoded.height() == box.height()) << GetParam();
    EXPECT_LE(decoded.width(), box.width()) << GetParam();
    EXPECT_LE(decoded.height(), box.height()) << GetParam();
    EXPECT_NEAR(double(decoded.width()) / decoded.height(), 640.0 / 480.0, 640.0 / 480.0 / 100)
        << GetParam();
    EXPECT_LT(card->geometry().bottom(), child("Label1")->geometry().top()) << GetParam();

    for (const QString& keys : { QStringLiteral(","), QStringLiteral(",b") }) {
        type(keys);
        const QImage before = form.grab().toImage();
        press(Qt::Key_Return);
        ASSERT_TRUE(shown("Label3"));
        const QImage after = form.grab().toImage();
        ASSERT_EQ(before.size(), after.size());

        // The mark's ink: the pixels it turned red, in window pixels.
        QRect ink;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                const QRgb pixel = after.pixel(x, y);
                if (pixel != before.pixel(x, y) && qRed(pixel) > 160 && qGreen(pixel) < 100
                    && qBlue(pixel) < 100)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        ASSERT_FALSE(ink.isEmpty()) << utf8(text("Label3"));
        const QRectF inkRect(
            ink.x() / ratio, ink.y() / ratio, ink.width() / ratio, ink.height() / ratio);
        const QRectF window(form.rect());
        const QRectF word(child("Label1")->geometry());
        const std::string which = utf8(text("Label3")) + " " + GetParam();

        EXPECT_GT(inkRect.top(), window.top()) << which;
        EXPECT_LT(inkRect.bottom(), window.bottom()) << which;
        EXPECT_LT(inkRect.right(), window.right()) << which;
        EXPECT_GE(inkRect.left(), child("Label3")->x()) << which;
        EXPECT_GE(child("Label3")->x(), std::floor(screen->geometry().width() * 0.4) - 1) << which;
        EXPECT_LT(inkRect.top(), word.bottom()) << which;
        EXPECT_GT(inkRect.bottom(), word.top()) << which;
        EXPECT_GE(inkRect.height(), screen->geometry().height() / 6.0) << which;

        speech.finish();
        tick("Timer1");
        speech.finish();
    }
}

INSTANTIATE_TEST_SUITE_P(SchoolScreens, Form1ScreenTest,
    ::testing::Values("1024x768", "1280x1024", "1366x768", "1920x1080", "1920x1200", "2560x1080",
        "3840x2160", "1080x1920"));

TEST_F(Form1Test, EscEndsTheRunningProgramAtOnce)
{
    start();
    type(QStringLiteral(","));
    tick("Timer2");
    QTimer::singleShot(0, &form, [this] { QTest::keyClick(&form, Qt::Key_Escape); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(form.hasEnded());
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(log.contains("stop sound"));
    EXPECT_TRUE(log.contains("stop speech"));

    // Nothing reaches the drill any more.
    const std::size_t played = sound.played.size();
    QTest::keyClicks(&form, QStringLiteral("b"));
    EXPECT_EQ(sound.played.size(), played);
}

TEST_F(Form1Test, ClosingFromTheTitleBarEndsLikeEsc)
{
    start();
    bool hookRan = false;
    form.setCloseHook([&] { hookRan = true; });
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(hookRan);
    EXPECT_TRUE(form.hasEnded());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Form1Test, HAndNCallTheSettingsHook)
{
    start();
    std::vector<SettingsWindow> opened;
    form.setSettingsWindowHook([&](SettingsWindow window) { opened.push_back(window); });
    type(QStringLiteral("H"));
    type(QStringLiteral("N"));
    type(QStringLiteral("h"));
    EXPECT_EQ(
        opened, (std::vector<SettingsWindow> { SettingsWindow::Form2, SettingsWindow::Form3 }));
}

TEST_F(Form1Test, ActivationComesFromTheWindowSystem)
{
    ActivationTracker tracker;
    tracker.registerWindow(&form, [this] { form.activate(); });
    ASSERT_TRUE(form.load());
    EXPECT_TRUE(speech.spoken.empty());
    form.show();
    form.activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(speech.spoken.size(), 1u);
    EXPECT_EQ(text("Label1"), u"ねこ");
}

TEST_F(Form1Test, APictureThatCannotBeLoadedShowsAPlaceholderAndTheCardGoesOn)
{
    data.pictures = { u"ない.jpg" };
    start();
    ASSERT_TRUE(shown("Image1"));
    const QImage card = form.grab(child("Image1")->geometry()).toImage();
    EXPECT_EQ(QColor(card.pixel(2, 2)), QColor(0xE4, 0xE4, 0xE4));
    EXPECT_EQ(text("Label1"), u"ない");
    EXPECT_EQ(speech.spoken.back(), u"ない、と、いれてください");
}

TEST_F(Form1Test, AnEmptyDeckTellsTheTeacherToPressN)
{
    data.selectAll = false;
    data.selection.clear();
    start();
    QLabel* hint = label("EmptyDeckHint");
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisibleTo(&form));
    EXPECT_TRUE(hint->text().contains(QStringLiteral("N")));
    EXPECT_FALSE(shown("Image1"));
}

// A data store whose selection file cannot be read.
class BrokenDataStore final : public DataStore
{
public:
    void LoadSettings() override { }
    void SaveSettings() override { }
    bool ListPictures() override { return true; }
    void LoadSelection() override { throw std::runtime_error("Fname.txt を読めません"); }
    void SaveSelection() override { }
    void LoadPraisePhrases(PraisePhraseList&) override { }
};

TEST(Form1FailureTest, AStartUpFailureIsReportedAndNoWindowIsShown)
{
    QStringList reports;
    FailureReport failure([&](const QString& text) { reports.append(text); });
    EventLog log;
    ProgramState program;
    BrokenDataStore data;
    FakeSoundPlayer sound(log);
    FakeSpeechVoice speech(log);
    ScriptedRandom random;
    Form1 form(failure);
    DrillSession session(program, form, data, sound, speech, random);
    form.attach(session);

    EXPECT_FALSE(form.load());
    EXPECT_TRUE(failure.failed());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports.front().contains(QStringLiteral(u"Fname.txt を読めません")));
    // Later events are not handed to the half-started drill.
    form.activate();
    EXPECT_TRUE(speech.spoken.empty());
}

TEST(Form1FailureTest, NoPictureEndsStartUp)
{
    FailureReport failure([](const QString&) {});
    EventLog log;
    ProgramState program;
    FakeDataStore data(program, log);
    FakeSoundPlayer sound(log);
    FakeSpeechVoice speech(log);
    ScriptedRandom random;
    Form1 form(failure);
    DrillSession session(program, form, data, sound, speech, random);
    form.attach(session);
    EXPECT_FALSE(form.load());
    EXPECT_TRUE(form.hasEnded());
    EXPECT_FALSE(failure.failed());
}

} // namespace
