#include "viewer/sourcemap.h"

#include <algorithm>

void SourceMap::append(const SourceMap &other, int skip, int at) {
    const std::vector<Mark> &marks = other.m_marks;
    auto first = std::upper_bound(marks.begin(), marks.end(), skip,
                                  [](int index, const Mark &m) { return index < m.index; });
    if (first != marks.begin()) {
        const Mark &covering = *(first - 1);
        add(at, covering.source + (skip - covering.index));
    }
    for (auto it = first; it != marks.end(); ++it)
        add(at + (it->index - skip), it->source);
}

int SourceMap::sourceOf(int index) const {
    if (m_marks.empty())
        return -1;
    auto it = std::upper_bound(m_marks.begin(), m_marks.end(), index,
                               [](int i, const Mark &m) { return i < m.index; });
    if (it == m_marks.begin())
        return m_marks.front().source;
    --it;
    return it->source + (index - it->index);
}

int SourceMap::indexOf(int source, int length) const {
    if (m_marks.empty())
        return -1;
    auto it = std::upper_bound(m_marks.begin(), m_marks.end(), source,
                               [](int s, const Mark &m) { return s < m.source; });
    if (it == m_marks.begin())
        return std::min(m_marks.front().index, length);
    const int limit = it == m_marks.end() ? length : it->index;
    --it;
    return std::min(it->index + (source - it->source), limit);
}
