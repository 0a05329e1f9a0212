// The style of every character of a document, one byte per UTF-16 code unit, kept in a gap buffer
// so that typing anywhere in a large document moves only the bytes between two edit points.
#pragma once

#include "editor/colorcoding.h"

#include <vector>

class StyleBuffer {
public:
    int size() const { return int(m_data.size()) - gapLength(); }
    qint64 capacity() const { return qint64(m_data.capacity()); }
    CharStyle at(int pos) const {
        return m_data[size_t(pos < m_gapStart ? pos : pos + gapLength())];
    }

    void clear();
    // `size` entries of `fill`, with room for `gap` insertions at the start before the storage
    // has to grow.
    void reset(int size, int gap, CharStyle fill = CharStyle::Text);
    // Makes the buffer `size` long; new entries get `fill`.
    void resize(int size, CharStyle fill = CharStyle::Text);
    void insert(int pos, int count, CharStyle style);
    void remove(int pos, int count);
    void fill(int pos, int count, CharStyle style);
    void set(int pos, CharStyle style) {
        m_data[size_t(pos < m_gapStart ? pos : pos + gapLength())] = style;
    }

    // Puts the room for insertions at pos, where the next ones are expected.
    void placeGap(int pos) { moveGap(pos < 0 ? 0 : pos > size() ? size() : pos); }
    // Writable contiguous storage for [pos, pos + count): moves the gap out of the way if needed.
    CharStyle *span(int pos, int count);
    // Copies [pos, pos + count) to out without moving the gap.
    void copyTo(int pos, int count, CharStyle *out) const;
    // A fingerprint of the styles of [pos, pos + count).
    quint64 hash(int pos, int count) const;

private:
    int gapLength() const { return m_gapEnd - m_gapStart; }
    void moveGap(int pos);
    void ensureGap(int count);

    std::vector<CharStyle> m_data;
    int m_gapStart = 0;
    int m_gapEnd = 0;
};
