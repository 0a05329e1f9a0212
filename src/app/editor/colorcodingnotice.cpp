#include "editor/colorcodingnotice.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

ColorCodingNotice::ColorCodingNotice(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("colorCodingNotice"));
    setFixedSize(185, 41);
    setCursor(Qt::WaitCursor);
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *caption = new QLabel(QStringLiteral("Color Coding. Please wait..."), panel);
    caption->setObjectName(QStringLiteral("colorCodingCaption"));
    caption->setAlignment(Qt::AlignCenter);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);

    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    panelLayout->addWidget(caption);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
}

void ColorCodingNotice::showNow(QWidget *near) {
    QScreen *screen = near && near->screen() ? near->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect area = screen->geometry();
        move(area.center() - rect().center());
    }
    show();
    repaint();
}
