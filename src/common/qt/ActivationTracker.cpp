#include "common/qt/ActivationTracker.h"

#include <QEvent>

#include <algorithm>

ActivationTracker::ActivationTracker(QObject* parent)
    : QObject(parent)
{ }

void ActivationTracker::registerWindow(QWidget* window, std::function<void()> onActivate)
{
    m_entries.push_back({ window, std::move(onActivate) });
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, [this](QObject* gone) {
        std::erase_if(m_entries, [gone](const Entry& entry) {
            return entry.window == nullptr || entry.window.data() == gone;
        });
    });
}

void ActivationTracker::bringToFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
    windowActivated(window);
}

bool ActivationTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType())
        windowActivated(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}

void ActivationTracker::windowActivated(QWidget* window)
{
    // Coming back from another program, or from a message box, re-activates the window that was
    // active before: that is no new activation.
    if (window == m_lastActive)
        return;
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
        [window](const Entry& candidate) { return candidate.window == window; });
    if (entry == m_entries.end())
        return;
    m_lastActive = window;
    // Copied: the handler may register further windows, which can move the entries.
    const std::function<void()> onActivate = entry->onActivate;
    if (onActivate)
        onActivate();
}
