#pragma once

#include <QRect>

class QWidget;

// Makes a top-level window fill an outer rectangle, frame and title bar included. The window
// system reveals the frame only after the window is shown, sometimes in steps, so the rectangle
// is set again as the window is shown and moved: a bounded number of times, so that a window
// manager that insists on its own placement cannot start a tug of war.
class OuterGeometry
{
public:
    explicit OuterGeometry(QWidget& window);

    OuterGeometry(const OuterGeometry&) = delete;
    OuterGeometry& operator=(const OuterGeometry&) = delete;

    // The outer rectangle in pixels, in the coordinates of the virtual desktop.
    void fit(QRect outer);
    void windowShown();
    void windowMoved();

private:
    void apply();

    QWidget& m_window;
    QRect m_wanted;
    int m_refits = 0;
};
