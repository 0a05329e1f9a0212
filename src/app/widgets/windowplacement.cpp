#include "widgets/windowplacement.h"

#include <QFontMetrics>
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

int titleWidth(const QWidget *window) {
    QFont font = window->font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 1.2);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(window->windowTitle()) + 8 * metrics.height();
}
