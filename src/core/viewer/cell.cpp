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
    m_tops.assign(m_sections.size() + 1, y);
    m_clear.assign(m_sections.size() + 1, 0);
    m_widths.assign(m_sections.size(), 0);
    return relayoutFrom(ctx, 0, int(m_sections.size()) + 1, width, maxWidth);
}

int Cell::relayoutFrom(LayoutContext &ctx, int first, int kept, int width, int &maxWidth) {
    const int n = int(m_sections.size());
    int start = qBound(0, first, n);
    while (start > 0 && !m_clear[size_t(start)])
        --start;
    int top = m_tops[size_t(start)];
    m_indents.reset(0, width);
    // The widest width comes from every section, those laid out before included.
    auto widest = [&] {
        for (int w : m_widths)
            maxWidth = qMax(maxWidth, w);
    };
    for (int i = start; i < n; ++i) {
        if (ctx.stopped())
            return m_height;
        SectionBase &section = *m_sections[size_t(i)];
        const bool clear = m_indents.isClearAt(top);
        if (i >= kept && clear && m_clear[size_t(i)]) {
            // Laid out before from a clear place too: the same layout, moved.
            const int dy = top - section.y();
            for (int k = i; k < n; ++k) {
                m_sections[size_t(k)]->shiftY(dy);
                m_tops[size_t(k)] = m_sections[size_t(k)]->y();
            }
            m_tops[size_t(n)] = LayoutMath::add(m_tops[size_t(n)], dy);
            m_height = LayoutMath::add(m_height, dy);
            widest();
            return m_height;
        }
        m_tops[size_t(i)] = top;
        m_clear[size_t(i)] = clear;
        // Rules and tables stand at the level of the list around them, like text does.
        if (section.listLevel() >= 0)
            m_indents.setLevel(section.listLevel(), top);
        int used = 0;
        top = LayoutMath::add(top, section.layout(ctx, top, width, m_indents, used));
        m_widths[size_t(i)] = used;
    }
    widest();
    m_tops[size_t(n)] = top;
    m_clear[size_t(n)] = m_indents.isClearAt(top);
    m_height = qMax(top - m_y, m_indents.imageBottom() - m_y);
    return m_height;
}

std::vector<std::unique_ptr<SectionBase>>
Cell::replaceSections(int first, int last, std::vector<std::unique_ptr<SectionBase>> with) {
    const bool laidOut = m_tops.size() == m_sections.size() + 1;
    const int startTop = laidOut ? m_tops[size_t(first)] : m_y;
    const char startClear = laidOut ? m_clear[size_t(first)] : 0;
    const char keptClear = laidOut ? m_clear[size_t(last)] : 0;
    std::vector<std::unique_ptr<SectionBase>> removed;
    removed.reserve(size_t(last - first));
    for (int i = first; i < last; ++i)
        removed.push_back(std::move(m_sections[size_t(i)]));
    const size_t added = with.size();
    m_sections.erase(m_sections.begin() + first, m_sections.begin() + last);
    m_sections.insert(m_sections.begin() + first, std::make_move_iterator(with.begin()),
                      std::make_move_iterator(with.end()));
    if (laidOut) {
        m_tops.erase(m_tops.begin() + first, m_tops.begin() + last);
        m_clear.erase(m_clear.begin() + first, m_clear.begin() + last);
        m_tops.insert(m_tops.begin() + first, added, startTop);
        m_clear.insert(m_clear.begin() + first, added, 0);
        m_widths.erase(m_widths.begin() + first, m_widths.begin() + last);
        m_widths.insert(m_widths.begin() + first, added, 0);
        // The place where the new sections start is the removed ones' start; the sections kept
        // after them know where they were laid out before (their y).
        m_tops[size_t(first)] = startTop;
        m_clear[size_t(first)] = added > 0 ? startClear : char(startClear && keptClear);
    } else {
        m_tops.assign(m_sections.size() + 1, m_y);
        m_clear.assign(m_sections.size() + 1, 0);
        m_widths.assign(m_sections.size(), 0);
    }
    m_minWidth = m_maxWidth = -1;
    return removed;
}

std::vector<std::unique_ptr<SectionBase>> Cell::takeSections() {
    std::vector<std::unique_ptr<SectionBase>> taken = std::move(m_sections);
    m_sections.clear();
    m_tops.clear();
    m_clear.clear();
    m_widths.clear();
    m_minWidth = m_maxWidth = -1;
    return taken;
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

int Cell::sourceAt(int position, const QString &link) const {
    if (position < m_firstPosition || position >= m_endPosition)
        return -1;
    for (const auto &section : m_sections) {
        const int at = section->sourceAt(position, link);
        if (at >= 0)
            return at;
    }
    return -1;
}

void Cell::collectSources(std::vector<SourcePlace> &out, int top) const {
    for (const auto &section : m_sections)
        section->collectSources(out, top);
}

void Cell::shiftSource(int from, int delta) {
    for (auto &section : m_sections)
        section->shiftSource(from, delta);
}
