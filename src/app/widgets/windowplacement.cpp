#include "widgets/windowplacement.h"

#include <QScreen>
#include <QWidget>

void centerOnScreen(QWidget *window) {
    const QWidget *parent = window->parentWidget();
    const QScreen *screen = parent ? parent->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}
