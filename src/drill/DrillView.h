#pragma once

#include "common/Colour.h"
#include "common/TwipRect.h"
#include "common/TwipSize.h"

#include <cstdint>
#include <string_view>

enum class Widget
{
    Image1,
    Image2,
    Label1,
    Label2,
    Label3
};
enum class Timer
{
    Timer1,
    Timer2
};
enum class SettingsWindow
{
    Form2,
    Form3
};

// What DrillSession needs of the drill window. The window forwards its events (load, activation,
// character keys, timer ticks) to the session and otherwise only does what it is told.
class DrillView
{
public:
    virtual ~DrillView() = default;

    virtual void setVisible(Widget widget, bool visible) = 0;
    // Labels only. Label1 and Label2 then fit their box to the text, keeping left and top.
    virtual void setCaption(Widget label, std::u16string_view text) = 0;
    // Loads a picture file into Image1; one that cannot be loaded shows a placeholder.
    virtual void loadPicture(std::u16string_view path) = 0;
    // The picture file that Image1 will most likely load next; the window may read it ahead.
    // Empty when that is not known.
    virtual void preparePicture(std::u16string_view path) = 0;
    // Image2's set-up picture will be shown once start-up is over; the window may read it ahead.
    virtual void prepareSetupPicture() = 0;

    virtual void setTimerEnabled(Timer timer, bool enabled) = 0;
    virtual bool isTimerEnabled(Timer timer) const = 0;
    virtual void setTimerInterval(Timer timer, std::int32_t milliseconds) = 0;

    // Brings a settings window to the front without waiting for it.
    virtual void showSettingsWindow(SettingsWindow window) = 0;
    virtual void endProgram() = 0;
    // A short note for the teacher when no card is selected.
    virtual void showEmptyDeckHint(bool visible) = 0;

    virtual TwipSize screenSize() const = 0;
    // The outer size of the window, frame and title bar included.
    virtual TwipSize windowSize() const = 0;
    // The inside of the window, where the widgets are: the outer size less the frame and title
    // bar, once the window system has given the window them.
    virtual TwipSize clientSize() const = 0;
    virtual void setWindowGeometry(TwipRect outer) = 0;
    virtual void setGeometry(Widget widget, TwipRect rect) = 0;
    // Moves a widget and leaves its size alone (Label2 takes its size from its text alone).
    virtual void moveTo(Widget widget, std::int32_t left, std::int32_t top) = 0;
    virtual void setFontSize(Widget label, int points) = 0;
    virtual void setTextColour(Widget label, Colour colour) = 0;
    // Where the glyphs of text would cover the label if it drew them at a font size in points:
    // their ink, not their em box, relative to the label's top-left corner.
    virtual TwipRect inkBounds(Widget label, std::u16string_view text, int points) const = 0;
};
