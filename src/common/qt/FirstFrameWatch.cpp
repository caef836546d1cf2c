#include "common/qt/FirstFrameWatch.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

FirstFrameWatch::FirstFrameWatch(
    QWidget* window, std::function<void()> task, std::chrono::milliseconds fallback)
    : m_window(window)
    , m_task(std::move(task))
{
    m_window->installEventFilter(this);
    m_fallback.setSingleShot(true);
    connect(&m_fallback, &QTimer::timeout, this, &FirstFrameWatch::run);
    m_fallback.start(fallback);
}

bool FirstFrameWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Paint) {
        m_window->removeEventFilter(this);
        // Queued: it runs once this paint has been drawn and handed to the window system.
        QMetaObject::invokeMethod(this, &FirstFrameWatch::run, Qt::QueuedConnection);
    }
    return false;
}

void FirstFrameWatch::run()
{
    m_fallback.stop();
    m_window->removeEventFilter(this);
    if (!m_task)
        return;
    const std::function<void()> task = std::move(m_task);
    m_task = nullptr;
    // Waits for the window system to have carried out every drawing request so far, the frame's
    // among them (a round trip to an X server; nothing where drawing is done when handed over).
    // Only the first frame waits, and nothing else is to be done meanwhile.
    QGuiApplication::sync();
    task();
}
