// The small picture window: 200 x 200, the picture scaled down to fit and centred.
#pragma once

#include "filepanel/picturewindow.h"

class ThumbnailWindow : public PictureWindow {
    Q_OBJECT
public:
    static constexpr int Side = 200;
    explicit ThumbnailWindow(QWidget *parent = nullptr);

protected:
    void pictureChanged() override;
};
