#pragma once

class QWidget;

// Stands in for the window system in the Qt tests: it moves the keyboard focus to one of the
// program's windows, or away to another program (nullptr), and Qt hears of it as from the window
// system.
class WindowSystemFocus
{
public:
    static void moveTo(QWidget* window);
};
