// Where the characters of a piece of shown text were read in the page's source, so that a click
// on the page can lead back to its source and a place in the source to the text it became.
// Kept as marks: from a mark's index on, character i stands at mark.source + (i - mark.index)
// until the next mark. Plain text needs one mark; white space folded to one space, line ends,
// entities and text interrupted by tags start another.
#pragma once

#include <vector>

class SourceMap {
public:
    struct Mark {
        int index = 0;
        int source = 0;
    };

    bool isEmpty() const { return m_marks.empty(); }
    void clear() { m_marks.clear(); }
    const std::vector<Mark> &marks() const { return m_marks; }

    // The character at `index` was read at `source`; indices are added in increasing order.
    void add(int index, int source) {
        if (!m_marks.empty()) {
            const Mark &last = m_marks.back();
            if (source - index == last.source - last.index)
                return; // the mark before already says so
        }
        m_marks.push_back(Mark{index, source});
    }
    // Adds the marks of `other` for its characters from `skip` on, which stand from `at` on here.
    void append(const SourceMap &other, int skip, int at);
    // Source offsets from `from` on move by `delta`.
    void shift(int from, int delta) {
        for (Mark &m : m_marks)
            if (m.source >= from)
                m.source += delta;
    }

    // The source offset of the character at `index`; -1 when the map is empty.
    int sourceOf(int index) const;
    // The index (0..length) of the character that stands for the source offset `source`: inside
    // text read as it was, that character; in something that made no text of its own (a tag, a
    // folded space, the rest of an entity), the next character. -1 when the map is empty.
    int indexOf(int source, int length) const;

private:
    std::vector<Mark> m_marks;
};
