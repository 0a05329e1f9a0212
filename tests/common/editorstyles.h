// The styles of a document's characters as one letter each: '.' text, 'T' tag, 'C' comment.
#pragma once

#include "editor/sourceeditor.h"

#include <QByteArray>
#include <vector>

inline char styleLetter(CharStyle s) {
    return s == CharStyle::Tag ? 'T' : s == CharStyle::Comment ? 'C' : '.';
}

// The first `count` characters' styles (all of them when count < 0).
inline QByteArray styles(const SourceDocument &doc, int count = -1) {
    QByteArray out;
    for (int i = 0; i < (count < 0 ? doc.textLength() : count); ++i)
        out.append(styleLetter(doc.styleAt(i)));
    return out;
}

inline QByteArray styles(const SourceEditor &ed, int count = -1) {
    return styles(ed.sourceDocument(), count);
}

// What one colouring pass over the whole text gives.
inline QByteArray fullPass(const QString &text) {
    std::vector<CharStyle> st(size_t(text.size()));
    if (!st.empty())
        colorCodeRange(text, 0, text.size(), st.data());
    QByteArray out;
    for (CharStyle c : st)
        out.append(styleLetter(c));
    return out;
}
