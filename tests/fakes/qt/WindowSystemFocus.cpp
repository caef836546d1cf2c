#include "WindowSystemFocus.h"

#include <QApplication>
#include <QtGlobal>

void WindowSystemFocus::moveTo(QWidget* window)
{
    // Qt 6.5 deprecated this call for programs, which ask the window system for the focus
    // (QWidget::activateWindow) and cannot give it to another program. Here it is the window
    // system's side that is played, which has no other entry point in Qt's public interface.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);
    QT_WARNING_POP
}
