// Colour coding of HTML source: decides for every character of a stretch of whole lines whether it
// shows as text, as part of a tag or as part of a comment. Pure functions over text and styles.
#pragma once

#include <QStringView>
#include <QtGlobal>
#include <optional>

enum class CharStyle : quint8 { Text, Tag, Comment };

// Colours the lines text[start, end) in one pass, writing rangeStyles[i - start] for text[i]:
//  - every character of [start, end] gets the text style (end itself is the line break after the
//    last line; it is only written when end < text.size()),
//  - a "<" and the first ">" after it, both inside the range, make a tag; the pass ends at a "<"
//    with no ">" after it in the range,
//  - a "<!--" and the first "-->" found from the "<!--" itself make a comment (so "<!-->" is a
//    complete comment); the pass ends at a "<!--" without "-->"; comments win over tags.
// A tag or comment that crosses either edge of the range is left in the text style.
void colorCodeRange(QStringView text, qsizetype start, qsizetype end, CharStyle *rangeStyles);

// The same pass fed a piece at a time (for example line by line, including the line breaks), so
// that long texts can be coloured in slices. `state` carries what is open between pieces; start
// with a fresh state at the first line of the range. Every character of a piece is to be set to the
// text style by the caller first; `paint(position, count, style)` is then called for each tag and
// comment as it closes, in positions of the whole text (a span may reach back into earlier
// pieces). Fed the lines of a range in order, the result is that of colorCodeRange.
// Only piece[first, last) is scanned (last < 0: to the end); the characters around it are context
// for a "<!--" or "-->" cut apart between two pieces of one line.
struct ColorPassState {
    qsizetype tagOpen = -1;
    qsizetype commentOpen = -1;
};
template <typename Paint>
void continueColorPass(QStringView piece, qsizetype at, ColorPassState &state, Paint &&paint,
                       qsizetype first = 0, qsizetype last = -1) {
    const char16_t *s = piece.utf16();
    const qsizetype size = piece.size();
    const qsizetype scanEnd = last < 0 ? size : last;
    for (qsizetype k = first; k < scanEnd; ++k) {
        const char16_t c = s[k];
        if (c != u'<' && c != u'>')
            continue;
        const qsizetype i = at + k;
        if (c == u'<') {
            if (state.tagOpen < 0)
                state.tagOpen = i;
            if (state.commentOpen < 0 && k + 3 < size && s[k + 1] == u'!' && s[k + 2] == u'-' &&
                s[k + 3] == u'-')
                state.commentOpen = i;
            continue;
        }
        if (state.tagOpen >= 0) {
            paint(state.tagOpen, i - state.tagOpen + 1, CharStyle::Tag);
            state.tagOpen = -1;
        }
        if (state.commentOpen >= 0 && i - 2 >= state.commentOpen && k >= 2 &&
            s[k - 1] == u'-' && s[k - 2] == u'-') {
            paint(state.commentOpen, i - state.commentOpen + 1, CharStyle::Comment);
            state.commentOpen = -1;
        }
    }
}

// How a character typed into `line` at `column` is coloured, decided before it goes in, so that
// typing never rescans the document: after a ">" or in front of a "<" it is text, a typed "<"
// starts a tag, and the "-" that completes "<!--" turns the three characters before it (and
// itself) into a comment. Without a decision it takes the style of the character before it.
struct TypingStyle {
    std::optional<CharStyle> style;
    bool opensComment = false;
};
TypingStyle typingStyle(QStringView line, int column, QChar typed);
