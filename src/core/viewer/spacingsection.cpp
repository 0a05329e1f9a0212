#include "viewer/spacingsection.h"

#include "viewer/layoutmath.h"
#include "viewer/sectionlist.h"

int SpacingSection::layout(LayoutContext &ctx, int y, int, IndentManager &, int &) {
    m_y = y;
    m_height = LayoutMath::mulDiv(nominalHeight(), ctx.document->defaultFontSize(), 12);
    return m_height;
}

void SpacingSection::copyText(int from, int to, QString &out) const {
    // A paragraph or heading break inside the selection becomes an empty line.
    if (from <= m_position && m_position < to && !out.isEmpty() && !out.endsWith(u"\n\n"))
        out.append(u'\n');
}
