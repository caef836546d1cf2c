#pragma once

#include "common/qt/TwipScale.h"
#include "drill/DrillView.h"
#include "drill/qt/CardPictures.h"
#include "drill/qt/InkMeasure.h"
#include "drill/qt/OuterGeometry.h"

#include <QWidget>

#include <functional>
#include <memory>

class DrillSession;
class EmptyDeckHint;
class FailureReport;
class PictureBox;
class QLabel;
class QTimer;

// The drill window: the picture card, the model word, the typed echo, the judgement mark and the
// keyboard set-up picture over a navy background. It forwards its events (load, activation,
// character keys, timer ticks, speech completion) to DrillSession, each inside the program's
// failure guard, and otherwise only shows what the session tells it to.
class Form1 final : public QWidget, public DrillView
{
    Q_OBJECT

public:
    using SettingsWindowHook = std::function<void(SettingsWindow)>;
    using CloseHook = std::function<void()>;

    explicit Form1(FailureReport& failure, QWidget* parent = nullptr);
    ~Form1() override;

    Q_DISABLE_COPY_MOVE(Form1)

    void attach(DrillSession& session);
    // Start-up. False when the program must end instead of showing the window.
    bool load();
    void activate();
    void speechDone();
    // The first frame is on screen: the next card's picture, held back until now so as not to
    // take the processor the first frame is drawn with, is read ahead from here on.
    void firstFrameShown();

    // Brings up Form2 or Form3; without a hook the keys H and N open nothing.
    void setSettingsWindowHook(SettingsWindowHook hook) { m_settingsHook = std::move(hook); }
    // Runs when the window is closed from its title bar, before the program ends.
    void setCloseHook(CloseHook hook) { m_closeHook = std::move(hook); }
    bool hasEnded() const { return m_ended; }
    const PicturePrefetch& picturePrefetch() const { return m_pictures->prefetch(); }

    // DrillView
    void setVisible(Widget widget, bool visible) override;
    void setCaption(Widget label, std::u16string_view text) override;
    void loadPicture(std::u16string_view path) override;
    void preparePicture(std::u16string_view path) override;
    void prepareSetupPicture() override;
    void setTimerEnabled(Timer timer, bool enabled) override;
    bool isTimerEnabled(Timer timer) const override;
    void setTimerInterval(Timer timer, std::int32_t milliseconds) override;
    void showSettingsWindow(SettingsWindow window) override;
    void endProgram() override;
    void showEmptyDeckHint(bool visible) override;
    TwipSize screenSize() const override;
    TwipSize windowSize() const override;
    TwipSize clientSize() const override;
    void setWindowGeometry(TwipRect outer) override;
    void setGeometry(Widget widget, TwipRect rect) override;
    void moveTo(Widget widget, std::int32_t left, std::int32_t top) override;
    void setFontSize(Widget label, int points) override;
    void setTextColour(Widget label, Colour colour) override;
    TwipRect inkBounds(Widget label, std::u16string_view text, int points) const override;

    // QWidget's own setVisible stays reachable next to the view's.
    using QWidget::setGeometry;
    using QWidget::setVisible;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void forward(const std::function<void()>& handler);
    void forwardKey(std::int16_t code);
    QWidget* widget(Widget which) const;
    QLabel* label(Widget which) const;
    TwipScale scale() const;
    // The box Image1's picture is fitted into as it is decoded, in device pixels.
    QSize pictureSize() const;
    QSize devicePixels(QSize logical) const;
    void colourEcho();

    FailureReport& m_failure;
    DrillSession* m_session = nullptr;
    SettingsWindowHook m_settingsHook;
    CloseHook m_closeHook;
    bool m_ended = false;
    bool m_loaded = false;
    OuterGeometry m_outer;

    PictureBox* m_image1;
    QLabel* m_label1;
    QLabel* m_label2;
    QLabel* m_label3;
    EmptyDeckHint* m_hint;
    PictureBox* m_image2;
    QTimer* m_timer1;
    QTimer* m_timer2;
    std::unique_ptr<CardPictures> m_pictures;
    InkMeasure m_ink;
};
