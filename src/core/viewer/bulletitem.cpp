#include "viewer/bulletitem.h"

#include "viewer/fontmetricsport.h"
#include "viewer/sectionlist.h"

#include <QPainter>

int BulletItem::markerAscent(const DrawContext &dc) const {
    return dc.metrics->metrics(dc.document->font(fontIdAt(0))).ascent;
}

void BulletItem::drawMarker(DrawContext &dc) const {
    const int baseline = firstBaseline();
    const int ascent = markerAscent(dc);
    const int size = qMax(4, ascent / 3);
    const int cx = dc.origin.x() + firstLeft() - 8 - size / 2;
    const int cy = baseline - ascent / 3;
    const QRect box(cx - size / 2, cy - size / 2, size, size);
    if (!box.intersects(dc.clip))
        return;
    QPainter &p = *dc.painter;
    const QColor color = QColor::fromRgb(dc.document->font(fontIdAt(0)).color);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (qMax(1, m_level) % 3) {
    case 1: // disc
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(QRectF(box));
        break;
    case 2: // circle
        p.setPen(QPen(color, 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
        break;
    default: // square
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(box, color);
        break;
    }
    p.restore();
}
