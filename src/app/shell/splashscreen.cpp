#include "shell/splashscreen.h"

#include "widgets/icons.h"
#include "widgets/windowplacement.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#ifndef MARLO_VERSION
#define MARLO_VERSION "0"
#endif

namespace {

QPixmap drawPicture(qreal pixelRatio) {
    const QSize size(SplashScreen::PictureWidth, SplashScreen::PictureHeight);
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(QColor(0x15, 0x30, 0x4d));

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    ensureMarloResources();
    QSvgRenderer renderer(QStringLiteral(":/splash.svg"));
    renderer.render(&painter, QRectF(QPointF(0, 0), size));

    // The version comes from the build, so it is drawn here rather than in the picture file;
    // it sits in the dark band the picture leaves free at the bottom.
    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(0xcf, 0xe0, 0xf5));
    painter.drawText(QRect(20, 252, size.width() - 40, 48), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Version %1").arg(QStringLiteral(MARLO_VERSION)));
    painter.drawText(QRect(20, 252, size.width() - 40, 48), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Starting..."));
    return pixmap;
}

} // namespace

SplashScreen::SplashScreen(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("splashScreen"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(PictureWidth, PictureHeight);
    const QScreen *screen = QGuiApplication::primaryScreen();
    m_picture = drawPicture(screen ? screen->devicePixelRatio() : 1.0);
    qApp->installEventFilter(this);
}

bool SplashScreen::eventFilter(QObject *watched, QEvent *event) {
    // Kept on top, the picture would hide a message that waits for an answer, and the start
    // would wait behind it.
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->isWindow() && isVisible())
        hide();
    return QWidget::eventFilter(watched, event);
}

void SplashScreen::hideEvent(QHideEvent *event) {
    // Gone for good: the program's events no longer pass through here.
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

void SplashScreen::showAndPaint() {
    centerOnScreen(this);
    show();
    repaintNow();
}

void SplashScreen::repaintNow() {
    repaint();
    // Lets the window system map the window and deliver its first expose while start-up
    // still blocks the event loop; user input waits.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashScreen::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}
