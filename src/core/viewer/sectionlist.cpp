#include "viewer/sectionlist.h"

#include "viewer/layoutmath.h"

SectionList::SectionList() = default;

void SectionList::clear() {
    clearSections();
    m_fonts.clear();
    m_fontIds.clear();
    m_anchors.clear();
    m_title.clear();
    m_base.clear();
    m_backgroundImage.clear();
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

void SectionList::addAnchor(const QString &name, const SectionBase *section) {
    const QString key = name.toUpper();
    if (!m_anchors.contains(key))
        m_anchors.insert(key, section);
}

const SectionBase *SectionList::anchor(const QString &name) const {
    return m_anchors.value(name.toUpper(), nullptr);
}

int SectionList::doLayout(LayoutContext &ctx, int width, int &maxWidth) {
    ctx.document = this;
    maxWidth = 0;
    return doLogic(ctx, 0, qMax(1, width), maxWidth);
}
