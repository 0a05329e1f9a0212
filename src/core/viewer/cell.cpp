#include "viewer/cell.h"

#include "viewer/layoutmath.h"

#include <algorithm>

Cell::~Cell() = default;

void Cell::add(std::unique_ptr<SectionBase> section) {
    m_sections.push_back(std::move(section));
    m_minWidth = m_maxWidth = -1;
}

void Cell::clearSections() {
    m_sections.clear();
    m_minWidth = m_maxWidth = -1;
    m_height = 0;
}

int Cell::doLogic(LayoutContext &ctx, int y, int width, int &maxWidth) {
    m_y = y;
    m_indents.reset(0, width);
    int height = 0;
    for (auto &section : m_sections) {
        const int top = LayoutMath::add(y, height);
        // Rules and tables stand at the level of the list around them, like text does.
        if (section->listLevel() >= 0)
            m_indents.setLevel(section->listLevel(), top);
        height = LayoutMath::add(height, section->layout(ctx, top, width, m_indents, maxWidth));
    }
    m_height = qMax(height, m_indents.imageBottom() - y);
    return m_height;
}

void Cell::minMaxWidth(LayoutContext &ctx, int &minWidth, int &maxWidth) {
    if (m_minWidth < 0) {
        m_minWidth = m_maxWidth = 0;
        for (auto &section : m_sections) {
            int mn = 0, mx = 0;
            section->minMaxWidth(ctx, mn, mx);
            m_minWidth = qMax(m_minWidth, mn);
            m_maxWidth = qMax(m_maxWidth, mx);
        }
    }
    minWidth = m_minWidth;
    maxWidth = m_maxWidth;
}

void Cell::invalidateMetrics() {
    m_minWidth = m_maxWidth = -1;
    for (auto &section : m_sections)
        section->invalidateMetrics();
}

int Cell::findSectionAtPosition(int y) const {
    auto it = std::upper_bound(
        m_sections.begin(), m_sections.end(), y,
        [](int v, const std::unique_ptr<SectionBase> &s) { return v < s->bottom(); });
    return int(it - m_sections.begin());
}

void Cell::draw(DrawContext &dc) const {
    for (int i = findSectionAtPosition(dc.clip.top()); i < int(m_sections.size()); ++i) {
        const SectionBase &s = *m_sections[size_t(i)];
        if (s.y() > dc.clip.bottom())
            break;
        s.draw(dc);
    }
}

void Cell::shiftY(int dy) {
    m_y += dy;
    for (auto &section : m_sections)
        section->shiftY(dy);
}

QString Cell::linkAt(QPoint p) const {
    const int i = findSectionAtPosition(p.y());
    if (i >= int(m_sections.size()) || m_sections[size_t(i)]->y() > p.y())
        return {};
    return m_sections[size_t(i)]->linkAt(p);
}

int Cell::cursorAt(QPoint p) const {
    const int first = findSectionAtPosition(p.y());
    for (int i = first; i < int(m_sections.size()); ++i) {
        const int c = m_sections[size_t(i)]->cursorAt(p);
        if (c >= 0)
            return c;
    }
    // Below the last text: the end of the last section that has any.
    const QPoint far(LayoutMath::Limit, LayoutMath::Limit);
    for (int i = qMin(first, int(m_sections.size())) - 1; i >= 0; --i) {
        const int c = m_sections[size_t(i)]->cursorAt(far);
        if (c >= 0)
            return c;
    }
    return -1;
}

bool Cell::cursorToPoint(int position, QPoint &p, int &lineHeight) const {
    for (const auto &section : m_sections)
        if (section->cursorToPoint(position, p, lineHeight))
            return true;
    return false;
}

void Cell::copyText(int from, int to, QString &out) const {
    if (to <= m_firstPosition || from >= m_endPosition)
        return;
    for (const auto &section : m_sections)
        section->copyText(from, to, out);
}

int Cell::findText(const QString &lowerText, int from) const {
    if (from >= m_endPosition)
        return -1;
    for (const auto &section : m_sections) {
        const int at = section->findText(lowerText, from);
        if (at >= 0)
            return at;
    }
    return -1;
}

int Cell::assignPositions(int start) {
    m_firstPosition = start;
    for (auto &section : m_sections)
        start = section->assignPositions(start);
    m_endPosition = start;
    return start;
}
