// Where dialogs, prompts and pickers open: over the window the user is working in, raised,
// activated and holding the keyboard focus, so that none of Marlo's own windows covers them.
#pragma once

#include <QObject>

class QWidget;

// The window the user is working in: the modal dialog in front, else the active window, else
// `fallback`. A prompt or picker parented to it opens over it.
QWidget *userWindow(QWidget *fallback = nullptr);

// For a window not yet shown: when the window it belongs to is kept on top of other windows,
// this one is kept on top too, so that its owner never covers it.
void keepAboveOwner(QWidget *window);

// Shows a window (or brings it back) in front of the others and gives it the keyboard.
void bringToFront(QWidget *window);

// Installed once on the application: every dialog is raised and activated as it is shown,
// however it was opened (a shortcut, a menu, a button of another dialog), so that the keys the
// user types next go to it and not on into the page; when it closes, the window it was opened
// from takes the keys again. Window managers that guard against windows taking the focus by
// themselves let a new dialog have it when it asks. Each dialog of ours also gets the keyboard
// rule of DialogSetup before it first shows.
class DialogActivation : public QObject {
public:
    explicit DialogActivation(QObject *parent = nullptr);
    ~DialogActivation() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
