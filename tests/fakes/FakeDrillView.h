#pragma once

#include "EventLog.h"

#include "drill/DrillView.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// Records what the drill window would show; timers only change state, the test fires ticks.
class FakeDrillView final : public DrillView
{
public:
    explicit FakeDrillView(EventLog& log);

    void setVisible(Widget widget, bool visible) override;
    void setCaption(Widget label, std::u16string_view text) override;
    void loadPicture(std::u16string_view path) override;
    void preparePicture(std::u16string_view path) override { prepared.emplace_back(path); }
    void prepareSetupPicture() override;
    void setTimerEnabled(Timer timer, bool enabled) override;
    bool isTimerEnabled(Timer timer) const override;
    void setTimerInterval(Timer timer, std::int32_t milliseconds) override;
    void showSettingsWindow(SettingsWindow settingsWindow) override;
    void endProgram() override;
    void showEmptyDeckHint(bool visible) override;
    TwipSize screenSize() const override { return screen; }
    TwipSize windowSize() const override { return window; }
    TwipSize clientSize() const override { return client.value_or(window); }
    void setWindowGeometry(TwipRect outer) override;
    void setGeometry(Widget widget, TwipRect rect) override;
    void moveTo(Widget widget, std::int32_t left, std::int32_t top) override;
    void setFontSize(Widget label, int points) override;
    void setTextColour(Widget label, Colour colour) override;
    // A full-width glyph: the em square (20 twips a point) less a tenth on every side.
    TwipRect inkBounds(Widget label, std::u16string_view text, int points) const override;

    bool visible(Widget widget) const;
    std::u16string caption(Widget label) const;

    TwipSize screen { 770, 630 };
    TwipSize window { 100, 100 };
    // The inside of the window; the whole window unless set.
    std::optional<TwipSize> client;
    std::map<Widget, bool> visibility;
    std::map<Widget, std::u16string> captions;
    std::map<Widget, TwipRect> geometry;
    std::map<Widget, int> fontSizes;
    std::map<Widget, Colour> colours;
    std::map<Timer, bool> timerEnabled;
    std::map<Timer, std::int32_t> timerInterval;
    std::vector<std::u16string> picturesLoaded;
    std::vector<std::u16string> prepared;
    std::vector<SettingsWindow> settingsShown;
    bool ended = false;
    bool emptyDeckHint = false;

private:
    EventLog& m_log;
};
