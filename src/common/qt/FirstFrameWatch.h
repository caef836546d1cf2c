#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

class QWidget;

// Runs a task once the window system has drawn a window's first frame, so that work the first
// frame does not need (starting the speech engines, reading the next card) never holds back what
// the child sees. Handing the frame over is not enough: an X server draws it afterwards, and on a
// two-core machine work started then takes the processor it draws with. Should the window not
// paint within the fallback time (a platform that draws nothing), the task runs then.
class FirstFrameWatch final : public QObject
{
    Q_OBJECT

public:
    FirstFrameWatch(QWidget* window, std::function<void()> task,
        std::chrono::milliseconds fallback = std::chrono::seconds(1));

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();

    QWidget* m_window;
    std::function<void()> m_task;
    QTimer m_fallback;
};
