#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

// Tells the program's windows when they become its active window, the way the drill and the
// settings windows expect: a window is activated when it takes over from another of the
// program's windows (or is the first one), but not when the program as a whole gets the focus
// back from another program, and not when a message box it opened closes again. Windows that
// are not registered (message boxes, menus) are passed over.
class ActivationTracker final : public QObject
{
    Q_OBJECT

public:
    explicit ActivationTracker(QObject* parent = nullptr);

    // onActivate runs on each activation of window; register before the window is shown.
    void registerWindow(QWidget* window, std::function<void()> onActivate);

    // Shows window over the others and activates it at once, whatever the window system then
    // makes of the request: a hand-back must restart the drill even where no window manager
    // passes the focus on. The window system's own activation event that may follow is then
    // no new activation.
    void bringToFront(QWidget* window);

    // The registered window that was active last; it stays so while another program has the
    // focus.
    QWidget* lastActive() const { return m_lastActive; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry
    {
        QPointer<QWidget> window;
        std::function<void()> onActivate;
    };

    void windowActivated(QWidget* window);

    std::vector<Entry> m_entries;
    QPointer<QWidget> m_lastActive;
};
