#include "FakeDrillView.h"

namespace {

const char* nameOf(Widget widget)
{
    switch (widget) {
    case Widget::Image1:
        return "Image1";
    case Widget::Image2:
        return "Image2";
    case Widget::Label1:
        return "Label1";
    case Widget::Label2:
        return "Label2";
    case Widget::Label3:
        return "Label3";
    }
    return "?";
}

const char* nameOf(Timer timer)
{
    return timer == Timer::Timer1 ? "Timer1" : "Timer2";
}

} // namespace

FakeDrillView::FakeDrillView(EventLog& log)
    : m_log(log)
{
    // As the window is created: nothing shown until the first card or the set-up picture.
    visibility = { { Widget::Image1, false }, { Widget::Image2, false }, { Widget::Label1, false },
        { Widget::Label2, false }, { Widget::Label3, false } };
    captions = { { Widget::Label1, u"Label1" }, { Widget::Label2, u"Label2" } };
}

void FakeDrillView::setVisible(Widget widget, bool visible)
{
    visibility[widget] = visible;
    m_log.add(std::string(visible ? "show " : "hide ") + nameOf(widget));
}

void FakeDrillView::setCaption(Widget label, std::u16string_view text)
{
    captions[label] = std::u16string(text);
    m_log.add(std::string("caption ") + nameOf(label) + " " + utf8(text));
}

void FakeDrillView::loadPicture(std::u16string_view path)
{
    picturesLoaded.emplace_back(path);
    m_log.add("picture " + utf8(path));
}

void FakeDrillView::setTimerEnabled(Timer timer, bool enabled)
{
    timerEnabled[timer] = enabled;
}

bool FakeDrillView::isTimerEnabled(Timer timer) const
{
    const auto it = timerEnabled.find(timer);
    return it != timerEnabled.end() && it->second;
}

void FakeDrillView::setTimerInterval(Timer timer, std::int32_t milliseconds)
{
    timerInterval[timer] = milliseconds;
    m_log.add(std::string("interval ") + nameOf(timer) + " " + std::to_string(milliseconds));
}

void FakeDrillView::showSettingsWindow(SettingsWindow settingsWindow)
{
    settingsShown.push_back(settingsWindow);
    m_log.add(settingsWindow == SettingsWindow::Form2 ? "show Form2" : "show Form3");
}

void FakeDrillView::endProgram()
{
    ended = true;
    m_log.add("end");
}

void FakeDrillView::showEmptyDeckHint(bool visible)
{
    emptyDeckHint = visible;
}

void FakeDrillView::setWindowGeometry(TwipRect outer)
{
    window = { outer.width, outer.height };
}

void FakeDrillView::setGeometry(Widget widget, TwipRect rect)
{
    geometry[widget] = rect;
}

void FakeDrillView::moveTo(Widget widget, std::int32_t left, std::int32_t top)
{
    TwipRect& rect = geometry[widget];
    rect.left = left;
    rect.top = top;
}

void FakeDrillView::setFontSize(Widget label, int points)
{
    fontSizes[label] = points;
}

void FakeDrillView::setTextColour(Widget label, Colour colour)
{
    colours[label] = colour;
}

bool FakeDrillView::visible(Widget widget) const
{
    const auto it = visibility.find(widget);
    return it != visibility.end() && it->second;
}

std::u16string FakeDrillView::caption(Widget label) const
{
    const auto it = captions.find(label);
    return it == captions.end() ? std::u16string() : it->second;
}

TwipRect FakeDrillView::inkBounds(Widget, std::u16string_view text, int points) const
{
    const std::int32_t em = points * 20;
    const std::int32_t glyphs = static_cast<std::int32_t>(text.size());
    return { em / 10, em / 10, em * glyphs - em / 5, em - em / 5 };
}

void FakeDrillView::prepareSetupPicture()
{
    m_log.add("prepare Image2");
}
