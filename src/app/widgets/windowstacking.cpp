#include "widgets/windowstacking.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>

QWidget *userWindow(QWidget *fallback) {
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    // A dialog that has just closed can stay the active window until the window manager has
    // handed the focus on; nothing opens over a window that is gone.
    QWidget *active = QApplication::activeWindow();
    if (active && active->isVisible())
        return active;
    return fallback ? fallback->window() : nullptr;
}

void keepAboveOwner(QWidget *window) {
    const QWidget *owner = window->parentWidget();
    if (owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
        !window->isVisible())
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void bringToFront(QWidget *window) {
    window->show();
    window->raise();
    window->activateWindow();
}

DialogActivation::DialogActivation(QObject *parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

DialogActivation::~DialogActivation() {
    qApp->removeEventFilter(this);
}

bool DialogActivation::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Show) {
        auto *dialog = qobject_cast<QDialog *>(watched);
        // The show event comes before the window is mapped; the activation is carried out once
        // the window is on the screen.
        if (dialog && dialog->isWindow() && !dialog->testAttribute(Qt::WA_ShowWithoutActivating)) {
            dialog->raise();
            dialog->activateWindow();
        }
    }
    return QObject::eventFilter(watched, event);
}
