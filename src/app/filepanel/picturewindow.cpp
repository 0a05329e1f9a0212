#include "filepanel/picturewindow.h"

#include "shell/picturefile.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

PictureWindow::PictureWindow(const QString &switchText, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_label(new QLabel), m_menu(new QMenu(this)) {
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    m_label->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);
    m_switch = m_menu->addAction(switchText, this, &PictureWindow::switchRequested);
    m_switch->setObjectName(QStringLiteral("switchMode"));
    QAction *close = m_menu->addAction(QStringLiteral("Close"), this, &QWidget::close);
    close->setObjectName(QStringLiteral("closePicture"));
}

void PictureWindow::showPicture(const QString &path) {
    m_path = path;
    setWindowTitle(QDir::toNativeSeparators(path));
    QString error;
    m_image = readPictureFile(path, &error);
    if (m_image.isNull()) {
        m_label->setPixmap(QPixmap());
        m_label->setText(QStringLiteral("Can not show %1: %2")
                             .arg(QDir::toNativeSeparators(path), error));
    } else {
        m_label->setText(QString());
    }
    pictureChanged();
}

void PictureWindow::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        Q_EMIT navigationKey(event->key());
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PictureWindow::contextMenuEvent(QContextMenuEvent *event) {
    m_menu->exec(event->globalPos());
}
