#include "editor/colorcoding.h"

#include <cstring>

void colorCodeRange(QStringView text, qsizetype start, qsizetype end, CharStyle *rangeStyles) {
    const qsizetype size = text.size();
    start = qBound<qsizetype>(0, start, size);
    end = qBound<qsizetype>(start, end, size);
    const qsizetype textEnd = end < size ? end + 1 : end;
    if (textEnd == start)
        return; // nothing to colour (an empty document hands over no style storage at all)
    std::memset(static_cast<void *>(rangeStyles), int(CharStyle::Text), size_t(textEnd - start));

    // The tag and the comment scans run side by side over the same characters. A tag that ends on
    // the ">" of a "-->" is written first, so the comment wins where they overlap; a tag can never
    // reach past a comment that closed before it, because it ends at the first ">".
    const char16_t *s = text.utf16();
    qsizetype tagOpen = -1;     // position of the "<" of the tag being read
    qsizetype commentOpen = -1; // position of the "<!--" of the comment being read
    for (qsizetype i = start; i < end; ++i) {
        const char16_t c = s[i];
        if (c != u'<' && c != u'>')
            continue;
        if (c == u'<') {
            if (tagOpen < 0)
                tagOpen = i;
            if (commentOpen < 0 && i + 3 < end && s[i + 1] == u'!' && s[i + 2] == u'-' &&
                s[i + 3] == u'-')
                commentOpen = i;
            continue;
        }
        if (tagOpen >= 0) {
            std::memset(static_cast<void *>(rangeStyles + (tagOpen - start)), int(CharStyle::Tag),
                        size_t(i - tagOpen + 1));
            tagOpen = -1;
        }
        // "-->" may reuse the dashes of its own "<!--": its first character must lie at or after
        // the "<".
        if (commentOpen >= 0 && i - 2 >= commentOpen && s[i - 1] == u'-' && s[i - 2] == u'-') {
            std::memset(static_cast<void *>(rangeStyles + (commentOpen - start)),
                        int(CharStyle::Comment), size_t(i - commentOpen + 1));
            commentOpen = -1;
        }
    }
}

TypingStyle typingStyle(QStringView line, int column, QChar typed) {
    TypingStyle result;
    const int size = int(line.size());
    column = qBound(0, column, size);
    if (size > 0) {
        if (column > 0 && line[column - 1] == u'>')
            result.style = CharStyle::Text;
        if (column < size && line[column] == u'<')
            result.style = CharStyle::Text;
    }
    if (typed == u'<')
        result.style = CharStyle::Tag;
    if (typed == u'-' && column >= 3 && line.mid(column - 3, 3) == u"<!-") {
        result.opensComment = true;
        result.style = CharStyle::Comment;
    }
    return result;
}
