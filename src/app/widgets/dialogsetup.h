// How every dialog of the program opens, one rule for all of them: its first field has the
// focus; Tab follows the visual order of the fields (the order of the layouts: rows top to bottom,
// each row left to right), whatever order the widgets were made in; Enter is Ok with the fields
// as shown, also in an editable drop-down whose completer would otherwise take the first Enter
// to put in a list item; another page of tabs has the focus on its first field; the window is
// wide enough for the window manager to show its title; and it lies on the screen, also after it
// grows.
#pragma once

#include <QList>
#include <QString>

class QDialog;
class QWidget;

namespace DialogSetup {
// The width a window needs to show `title` whole in its title bar, with the window manager's
// icon and buttons beside it.
int titleWidth(const QWidget *window, const QString &title);
// Applies the rule each time `dialog` is shown. okCancelButtons() calls it; dialogs with buttons
// of their own call it once they are built.
void install(QDialog *dialog);
// The widgets Tab visits, in visual order.
QList<QWidget *> visualOrder(QWidget *dialog);
// The field that gets the focus on opening: the first in visual order that takes input (not a
// push button, tool button or tab bar), shown and enabled.
QWidget *firstField(QWidget *dialog);
// Keeps the whole window on its screen, title bar first: one larger than the screen is made
// smaller (as far as its layout allows), one that sticks out is moved in.
void keepOnScreen(QWidget *window);
// Gives the first field of `container` (a dialog, or a page of a wizard that is now showing) the
// focus, its text selected as after Tab, so that what is typed replaces it.
void focusFirstField(QWidget *container);
} // namespace DialogSetup
