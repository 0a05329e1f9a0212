// Where layout and drawing get pictures from: the viewer resolves an image source against the
// document's location and serves it from its image cache.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class ImageProvider {
public:
    virtual ~ImageProvider() = default;
    // Size of the picture a source names, read without decoding it; empty when there is none.
    virtual QSize imageSize(const QString &source) = 0;
    // The decoded picture for drawing; null when there is none.
    virtual QImage image(const QString &source) = 0;
};
