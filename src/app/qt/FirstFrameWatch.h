#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

class QWidget;

// Runs a task once, just after a window has painted its first frame, so that work the first
// frame does not need (starting the speech engines) never holds back what the child sees. Should
// the window not paint within the fallback time (a platform that draws nothing), the task runs
// then.
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
