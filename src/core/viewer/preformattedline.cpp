#include "viewer/preformattedline.h"

#include "viewer/indentmanager.h"
#include "viewer/layoutmath.h"

void PreformattedLine::addText(QStringView text, const SourceMap &sources) {
    appendMapped(text, sources, 0);
}

int PreformattedLine::rightEdge(const IndentManager &indents, int y) const {
    return LayoutMath::add(indents.leftIndent(y), LineWidth);
}

void PreformattedLine::minMaxWidth(LayoutContext &ctx, int &minWidth, int &maxWidth) {
    if (m_minWidth < 0) {
        measure(ctx);
        m_maxWidth = LayoutMath::add(totalWidth(), indent());
        m_minWidth = qMin(m_maxWidth, NarrowestLimit);
    }
    minWidth = m_minWidth;
    maxWidth = m_maxWidth;
}
