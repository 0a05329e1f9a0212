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

// How a character typed into `line` at `column` is coloured, decided before it goes in, so that
// typing never rescans the document: after a ">" or in front of a "<" it is text, a typed "<"
// starts a tag, and the "-" that completes "<!--" turns the three characters before it (and
// itself) into a comment. Without a decision it takes the style of the character before it.
struct TypingStyle {
    std::optional<CharStyle> style;
    bool opensComment = false;
};
TypingStyle typingStyle(QStringView line, int column, QChar typed);
