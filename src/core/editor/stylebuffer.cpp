#include "editor/stylebuffer.h"

#include <algorithm>
#include <cstring>

void StyleBuffer::clear() {
    m_data.clear();
    m_data.shrink_to_fit();
    m_gapStart = m_gapEnd = 0;
}

void StyleBuffer::reset(int size, int gap, CharStyle fill) {
    m_data.assign(size_t(std::max(0, size) + std::max(0, gap)), fill);
    m_gapStart = 0;
    m_gapEnd = std::max(0, gap);
}

void StyleBuffer::resize(int newSize, CharStyle fillStyle) {
    const int old = size();
    if (newSize > old)
        insert(old, newSize - old, fillStyle);
    else if (newSize < old)
        remove(newSize, old - newSize);
}

void StyleBuffer::moveGap(int pos) {
    const int gap = gapLength();
    if (pos < m_gapStart) {
        // [pos, gapStart) moves to the end of the gap
        std::memmove(m_data.data() + pos + gap, m_data.data() + pos, size_t(m_gapStart - pos));
    } else if (pos > m_gapStart) {
        // [gapEnd, pos + gap) moves to the start of the gap
        std::memmove(m_data.data() + m_gapStart, m_data.data() + m_gapEnd,
                     size_t(pos - m_gapStart));
    }
    m_gapStart = pos;
    m_gapEnd = pos + gap;
}

void StyleBuffer::ensureGap(int count) {
    if (gapLength() >= count)
        return;
    const int used = size();
    // Grow by an eighth of the content as well, so that a run of insertions stays linear.
    const int newGap = std::max(count, used / 8 + 4096);
    std::vector<CharStyle> grown(size_t(used + newGap));
    // An empty buffer has no storage at all: copying nothing from it is still not allowed.
    if (m_gapStart > 0)
        std::memcpy(grown.data(), m_data.data(), size_t(m_gapStart));
    if (used > m_gapStart)
        std::memcpy(grown.data() + m_gapStart + newGap, m_data.data() + m_gapEnd,
                    size_t(used - m_gapStart));
    m_data.swap(grown);
    m_gapEnd = m_gapStart + newGap;
}

void StyleBuffer::insert(int pos, int count, CharStyle style) {
    if (count <= 0)
        return;
    pos = std::clamp(pos, 0, size());
    ensureGap(count);
    moveGap(pos);
    std::memset(static_cast<void *>(m_data.data() + m_gapStart), int(style), size_t(count));
    m_gapStart += count;
}

void StyleBuffer::remove(int pos, int count) {
    pos = std::clamp(pos, 0, size());
    count = std::min(count, size() - pos);
    if (count <= 0)
        return;
    moveGap(pos);
    m_gapEnd += count;
}

void StyleBuffer::fill(int pos, int count, CharStyle style) {
    pos = std::clamp(pos, 0, size());
    count = std::min(count, size() - pos);
    if (count <= 0)
        return;
    std::memset(static_cast<void *>(span(pos, count)), int(style), size_t(count));
}

CharStyle *StyleBuffer::span(int pos, int count) {
    if (m_gapStart > pos && m_gapStart < pos + count) {
        // Move the gap to whichever edge of the span is nearer.
        if (m_gapStart - pos <= pos + count - m_gapStart)
            moveGap(pos);
        else
            moveGap(pos + count);
    }
    return m_data.data() + (pos < m_gapStart ? pos : pos + gapLength());
}

void StyleBuffer::copyTo(int pos, int count, CharStyle *out) const {
    const int before = std::clamp(m_gapStart - pos, 0, count);
    if (before > 0)
        std::memcpy(out, m_data.data() + pos, size_t(before));
    if (count > before)
        std::memcpy(out + before, m_data.data() + pos + before + gapLength(),
                    size_t(count - before));
}

quint64 StyleBuffer::hash(int pos, int count) const {
    // FNV-1a over the bytes of both sides of the gap.
    quint64 h = 14695981039346656037ull;
    auto mix = [&h](const CharStyle *p, int n) {
        for (int i = 0; i < n; ++i) {
            h ^= quint64(p[i]);
            h *= 1099511628211ull;
        }
    };
    const int before = std::clamp(m_gapStart - pos, 0, count);
    if (before > 0)
        mix(m_data.data() + pos, before);
    if (count > before)
        mix(m_data.data() + pos + before + gapLength(), count - before);
    return h ^ quint64(count);
}
