// What every section needs while it draws itself: the painter (in document coordinates), the
// visible area, the selection and where pictures and fonts come from.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>

class FontMetricsPort;
class ImageProvider;
class QPainter;
class SectionList;

struct DrawContext {
    QPainter *painter = nullptr;
    QRect clip;             // the part of the document to draw, in document coordinates
    QPoint origin;          // where the current cell's x = 0 lies in document coordinates
    int selectionStart = 0; // global character positions, start <= end
    int selectionEnd = 0;
    QColor selectionBackground = QColor(0, 0, 128);
    QColor selectionText = Qt::white;
    bool viewImages = true;
    const FontMetricsPort *metrics = nullptr;
    ImageProvider *images = nullptr;
    const SectionList *document = nullptr;

    bool hasSelection() const { return selectionEnd > selectionStart; }
};
