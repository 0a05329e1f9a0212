#include "viewer/sectionlist.h"

#include "viewer/layoutmath.h"

#include <algorithm>

SectionList::SectionList() = default;

void SectionList::clear() {
    clearSections();
    m_fonts.clear();
    m_fontIds.clear();
    m_anchors.clear();
    m_anchorPlaces.clear();
    m_checkpoints.clear();
    m_title.clear();
    m_base.clear();
    m_backgroundImage.clear();
    m_bySource.clear();
}

int SectionList::scaledSize(int nominal) const {
    return LayoutMath::mulDiv(nominal, m_defaultFontSize, 12);
}

int SectionList::fontId(DocumentFont font) {
    font.pointSize = qMax(1, scaledSize(font.nominalSize));
    const auto it = m_fontIds.constFind(font);
    if (it != m_fontIds.constEnd())
        return *it;
    const int id = int(m_fonts.size());
    m_fonts.push_back(font);
    m_fontIds.insert(font, id);
    return id;
}

void SectionList::setAnchors(std::vector<AnchorPlace> anchors) {
    m_anchorPlaces = std::move(anchors);
    m_anchors.clear();
    for (const AnchorPlace &a : m_anchorPlaces) {
        const QString key = a.name.toUpper();
        if (!m_anchors.contains(key))
            m_anchors.insert(key, a.section);
    }
}

const SectionBase *SectionList::anchor(const QString &name) const {
    return m_anchors.value(name.toUpper(), nullptr);
}

int SectionList::doLayout(LayoutContext &ctx, int width, int &maxWidth) {
    ctx.document = this;
    maxWidth = 0;
    return doLogic(ctx, 0, qMax(1, width), maxWidth);
}

namespace {
bool bySource(const SourcePlace &a, const SourcePlace &b) {
    return a.source < b.source;
}
} // namespace

void SectionList::indexSources() {
    m_bySource.clear();
    for (size_t i = 0; i < m_sections.size(); ++i)
        m_sections[i]->collectSources(m_bySource, int(i));
    // Text between a table's cells is read into the list around the table, which is added
    // after it; so the sections come nearly, not quite, in source order.
    std::stable_sort(m_bySource.begin(), m_bySource.end(), bySource);
}

void SectionList::updateSourceIndex(int first, int removed, int added, int from, int delta) {
    std::vector<SourcePlace> fresh;
    for (int i = first; i < first + added; ++i)
        m_sections[size_t(i)]->collectSources(fresh, i);
    std::stable_sort(fresh.begin(), fresh.end(), bySource);
    std::vector<SourcePlace> next;
    next.reserve(m_bySource.size() + fresh.size());
    for (const SourcePlace &p : m_bySource)
        if (p.top < first)
            next.push_back(p);
    next.insert(next.end(), fresh.begin(), fresh.end());
    for (SourcePlace p : m_bySource)
        if (p.top >= first + removed) {
            p.top += added - removed;
            SectionBase::shiftOffset(p.source, from, delta);
            next.push_back(p);
        }
    if (!std::is_sorted(next.begin(), next.end(), bySource))
        std::stable_sort(next.begin(), next.end(), bySource);
    m_bySource.swap(next);
}

bool SectionList::placeOfSource(int source, int &y, int &height) const {
    if (m_bySource.empty())
        return false;
    auto it = std::upper_bound(m_bySource.begin(), m_bySource.end(), source,
                               [](int s, const SourcePlace &p) { return s < p.source; });
    if (it != m_bySource.begin())
        --it;
    it->section->placeOfSource(source, y, height);
    return true;
}
