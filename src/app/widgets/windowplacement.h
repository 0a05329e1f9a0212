// Small helpers for top-level windows: centring on the screen, and the hourglass cursor while a
// long step runs.
#pragma once

#include <QCursor>
#include <QGuiApplication>

class QWidget;

// Moves a window to the centre of the screen its parent (or the window itself) is on.
void centerOnScreen(QWidget *window);

// The width a window needs for the window manager to show its whole title beside the icon and
// the buttons of the title bar (window managers draw titles a little larger and in bold).
int titleWidth(const QWidget *window);

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
