#include "viewer/horizontalrule.h"

#include "viewer/indentmanager.h"

#include <QPainter>

int HorizontalRule::layout(LayoutContext &ctx, int y, int width, IndentManager &indents,
                           int &maxWidth) {
    SpacingSection::layout(ctx, y, width, indents, maxWidth);
    m_left = indents.leftIndent(y);
    m_right = indents.rightSide(y);
    return m_height;
}

void HorizontalRule::draw(DrawContext &dc) const {
    const int mid = m_y + m_height / 2;
    const int x0 = dc.origin.x() + m_left;
    const int x1 = dc.origin.x() + m_right - 1;
    if (x1 <= x0)
        return;
    dc.painter->setPen(QColor(128, 128, 128));
    dc.painter->drawLine(x0, mid - 1, x1, mid - 1);
    dc.painter->setPen(QColor(255, 255, 255));
    dc.painter->drawLine(x0, mid, x1, mid);
}
