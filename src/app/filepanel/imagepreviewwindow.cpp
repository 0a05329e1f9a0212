#include "filepanel/imagepreviewwindow.h"

#include "filepanel/previewgeometry.h"

#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

ImagePreviewWindow::ImagePreviewWindow(QWidget *parent)
    : PictureWindow(QStringLiteral("Thumbnail Mode"), parent), m_scroll(new QScrollArea) {
    setObjectName(QStringLiteral("imagePreviewWindow"));
    setWindowTitle(QStringLiteral("Image preview"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_scroll->setWidget(pictureLabel());
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_scroll);
    resize(592, 411);
}

void ImagePreviewWindow::pictureChanged() {
    if (!image().isNull())
        pictureLabel()->setPixmap(QPixmap::fromImage(image()));
    pictureLabel()->adjustSize();
}

void ImagePreviewWindow::fitToPicture() {
    const QSize picture = image().isNull() ? pictureLabel()->sizeHint() : image().size();
    const QSize size = previewWindowSize(picture);
    resize(size);
    // The scroll ranges follow the new sizes only after the layout has run.
    layout()->activate();
    m_scroll->horizontalScrollBar()->setValue(0);
    m_scroll->verticalScrollBar()->setValue(0);
    const QScreen *screen = this->screen();
    if (screen)
        move(centeredOrigin(screen->availableGeometry(), frameGeometry().size().expandedTo(size)));
}
