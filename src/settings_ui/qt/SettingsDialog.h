#pragma once

#include <QWidget>

#include <functional>

class FailureReport;

// What the two settings windows share: each event reaches the window's logic inside the
// program's failure guard, closing through the title bar acts like the window's "キャンセル"
// (nothing is stored, the drill comes back, the window itself stays as after its own buttons),
// and a new colour scheme while the window is open (the desktop switched to dark, say) colours
// its labels again.
class SettingsDialog : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsDialog)

public:
    // Called when the window becomes the program's active window.
    void activated();

protected:
    SettingsDialog(FailureReport& failures, std::function<void()> showDrill, QWidget* parent);

    // Runs one of the logic's handlers inside the failure guard.
    void run(const std::function<void()>& handler);
    // Hands the keyboard back to the drill.
    void returnToDrill();

    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

    // The logic's Form_Activate and Command2_Click ("キャンセル").
    virtual void formActivate() = 0;
    virtual void cancel() = 0;
    virtual void colourLabels() = 0;

private:
    FailureReport& m_failures;
    std::function<void()> m_showDrill;
};
