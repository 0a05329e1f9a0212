#include "filepanel/thumbnailwindow.h"

#include <QLabel>
#include <QVBoxLayout>

ThumbnailWindow::ThumbnailWindow(QWidget *parent)
    : PictureWindow(QStringLiteral("Fullsize Mode"), parent) {
    setObjectName(QStringLiteral("thumbnailWindow"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pictureLabel());
    setFixedSize(Side, Side);
}

void ThumbnailWindow::pictureChanged() {
    if (image().isNull())
        return;
    QImage shown = image();
    if (shown.width() > Side || shown.height() > Side)
        shown = shown.scaled(Side, Side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pictureLabel()->setPixmap(QPixmap::fromImage(shown));
}
