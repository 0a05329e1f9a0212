#include "viewer/numbereditem.h"

#include "viewer/fontmetricsport.h"
#include "viewer/sectionlist.h"

#include <QPainter>

void NumberedItem::drawMarker(DrawContext &dc) const {
    const DocumentFont &font = dc.document->font(fontIdAt(0));
    const QString label = QString::number(m_number) + u'.';
    const int width = dc.metrics->textWidth(font, label);
    const int x = dc.origin.x() + firstLeft() - 6 - width;
    const int baseline = firstBaseline();
    const FontMetricsInfo info = dc.metrics->metrics(font);
    if (!QRect(x, baseline - info.ascent, width, info.height).intersects(dc.clip))
        return;
    dc.painter->setFont(dc.metrics->qfont(font));
    dc.painter->setPen(QColor::fromRgb(font.color));
    dc.painter->drawText(QPoint(x, baseline), label);
}
