// The full-size picture window: the picture at its own size, the window fitted to it (at most
// 592 x 411, scroll bars beyond) and centred on the screen.
#pragma once

#include "filepanel/picturewindow.h"

class QScrollArea;

class ImagePreviewWindow : public PictureWindow {
    Q_OBJECT
public:
    explicit ImagePreviewWindow(QWidget *parent = nullptr);
    // Scrolls back to the top left, sizes the window to the picture and centres it.
    void fitToPicture();

protected:
    void pictureChanged() override;

private:
    QScrollArea *m_scroll;
};
