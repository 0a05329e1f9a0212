// The styles of an editor's characters as one letter each: '.' text, 'T' tag, 'C' comment.
#pragma once

#include "editor/sourceeditor.h"

#include <QByteArray>

inline QByteArray styles(const SourceEditor &ed) {
    QByteArray out;
    for (int i = 0; i < ed.textLength(); ++i) {
        const CharStyle s = ed.styleAt(i);
        out.append(s == CharStyle::Tag ? 'T' : s == CharStyle::Comment ? 'C' : '.');
    }
    return out;
}
