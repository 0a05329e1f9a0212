#include "widgets/windowstacking.h"

#include "widgets/dialogsetup.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>
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

namespace {

// No window has the keys, or only the dialog that is going.
bool isOursOrNone(const QWidget *active, const QWidget *closing) {
    return !active || active == closing;
}

} // namespace

DialogActivation::DialogActivation(QObject *parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

DialogActivation::~DialogActivation() {
    qApp->removeEventFilter(this);
}

bool DialogActivation::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Polish) {
        // Every dialog of ours takes the keys the same way (first field, Tab in visual order,
        // Enter is Ok), also one that does not ask for it itself; Qt's own (message boxes,
        // pickers) keep theirs. Polishing comes before the first showing.
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (dialog && dialog->isWindow() &&
            !QLatin1String(dialog->metaObject()->className()).startsWith(QLatin1Char('Q')))
            DialogSetup::install(dialog);
        return QObject::eventFilter(watched, event);
    }
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return QObject::eventFilter(watched, event);
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (!dialog || !dialog->isWindow() || dialog->windowType() == Qt::Popup)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Show) {
        // The show event comes before the window is mapped; the activation is carried out once
        // the window is on the screen.
        if (!dialog->testAttribute(Qt::WA_ShowWithoutActivating)) {
            dialog->raise();
            dialog->activateWindow();
        }
    } else if (dialog->parentWidget() && isOursOrNone(QApplication::activeWindow(), dialog)) {
        // The keys go back to the window the dialog was opened from (or to the modal dialog
        // that came up meanwhile), also where no window manager hands the focus on: the dialog
        // has already given it up when this comes. Asked once the key or click that closed the
        // dialog has come in, since the window system ignores a request older than the
        // dialog's going.
        QPointer<QWidget> owner = dialog->parentWidget()->window();
        QPointer<QDialog> closed = dialog;
        QTimer::singleShot(0, owner, [owner, closed] {
            if (!isOursOrNone(QApplication::activeWindow(), closed))
                return;
            QWidget *front = QApplication::activeModalWidget();
            if (!front && owner && owner->isVisible())
                front = owner;
            if (front)
                front->activateWindow();
        });
    }
    return QObject::eventFilter(watched, event);
}
