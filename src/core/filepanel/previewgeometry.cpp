#include "filepanel/previewgeometry.h"

#include <Qt>
#include <cmath>

namespace {
constexpr int MaxWidth = 592;
constexpr int MaxHeight = 411;
constexpr int MarginWidth = 10;
constexpr int MarginHeight = 25;
constexpr int PageStep = 10;
} // namespace

QSize previewWindowSize(const QSize &picture) {
    return {qMin(picture.width() + MarginWidth, MaxWidth),
            qMin(picture.height() + MarginHeight, MaxHeight)};
}

QPoint centeredOrigin(const QRect &screen, const QSize &size) {
    return {screen.left() + int(std::lround((screen.width() - size.width()) / 2.0)),
            screen.top() + int(std::lround((screen.height() - size.height()) / 2.0))};
}

int previewKeyTarget(int key, int current, int count) {
    if (count <= 0 || current < 0 || current >= count)
        return -1;
    switch (key) {
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return count - 1;
    case Qt::Key_PageUp:
        return qMax(0, current - PageStep);
    case Qt::Key_PageDown:
        return qMin(count - 1, current + PageStep);
    case Qt::Key_Up:
        return current > 0 ? current - 1 : -1;
    case Qt::Key_Down:
        return current < count - 1 ? current + 1 : -1;
    default:
        return -1;
    }
}
