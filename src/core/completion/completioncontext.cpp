#include "completion/completioncontext.h"

namespace {

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isTagNameChar(QChar c) {
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9');
}

bool isAttributeNameChar(QChar c) {
    return isTagNameChar(c) || c == u'-' || c == u'_' || c == u':' || c == u'.';
}

bool isEntityChar(QChar c) {
    return isTagNameChar(c) || c == u'#';
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Written in lower case: has a lower-case letter and no capital.
bool writtenLowerCase(QStringView name) {
    bool lower = false;
    for (QChar c : name) {
        if (c >= u'A' && c <= u'Z')
            return false;
        lower = lower || (c >= u'a' && c <= u'z');
    }
    return lower;
}

template <class Pred>
int countWhile(QStringView text, int from, Pred pred) {
    int n = 0;
    while (from + n < text.size() && pred(text.at(from + n)))
        ++n;
    return n;
}

QChar charAt(QStringView text, int i) {
    return i >= 0 && i < text.size() ? text.at(i) : QChar();
}

// Whether the nearest tag name written before `end` is in lower case.
// The last index of `c` before `before`, or -1.
qsizetype lastBefore(QStringView text, QChar c, qsizetype before) {
    return before > 0 ? text.lastIndexOf(c, before - 1) : -1;
}

bool pageWritesLowerCase(QStringView text, int end) {
    for (qsizetype i = lastBefore(text, u'<', end); i >= 0; i = lastBefore(text, u'<', i)) {
        qsizetype from = i + 1;
        if (charAt(text, from) == u'/')
            ++from;
        if (!isAsciiLetter(charAt(text, from)))
            continue;
        return writtenLowerCase(text.mid(from, countWhile(text, int(from), isTagNameChar)));
    }
    return false;
}

// The attributes of a start tag, from just behind its name through what follows the caret up
// to the tag's end; `split` is where the caret is.
CompletionContext attributeContext(const QString &tagName, QStringView text, int split) {
    enum class State { Blank, Name, AfterName, Equals, Quoted, Unquoted };
    State state = State::Blank;
    QChar quote;
    int nameStart = 0;
    int valueStart = 0;
    QString lastName;
    QStringList names;

    State atCaret = State::Blank;
    int caretNameStart = -1; // the name being typed at the caret
    QString caretAttribute;
    int caretValueStart = 0;
    QChar caretQuote;

    const auto finishName = [&](int end) {
        lastName = text.mid(nameStart, end - nameStart).toString();
        if (nameStart != caretNameStart)
            names << lastName.toUpper();
    };
    int i = 0;
    for (; i <= text.size(); ++i) {
        if (i == split) {
            atCaret = state;
            if (state == State::Name)
                caretNameStart = nameStart;
            caretAttribute = lastName;
            caretValueStart = valueStart;
            caretQuote = quote;
        }
        if (i == text.size())
            break;
        const QChar c = text.at(i);
        if (c == u'>' || c == u'<')
            break;
        switch (state) {
        case State::Blank:
        case State::AfterName:
            if (isAttributeNameChar(c)) {
                state = State::Name;
                nameStart = i;
            } else if (c == u'=' && state == State::AfterName) {
                state = State::Equals;
            } else if (!isBlank(c)) {
                state = State::Blank;
            }
            break;
        case State::Name:
            if (isAttributeNameChar(c))
                break;
            finishName(i);
            state = isBlank(c) ? State::AfterName : c == u'=' ? State::Equals : State::Blank;
            break;
        case State::Equals:
            if (c == u'"' || c == u'\'') {
                state = State::Quoted;
                quote = c;
                valueStart = i + 1;
            } else if (!isBlank(c)) {
                state = State::Unquoted;
            }
            break;
        case State::Quoted:
            if (c == quote)
                state = State::Blank;
            break;
        case State::Unquoted:
            if (isBlank(c))
                state = State::Blank;
            break;
        }
    }
    if (state == State::Name)
        finishName(i);

    CompletionContext ctx;
    ctx.tagName = tagName;
    ctx.presentAttributes = names;
    const QStringView after = text.mid(split);
    switch (atCaret) {
    case State::Blank:
    case State::AfterName:
        ctx.kind = CompletionKind::AttributeName;
        ctx.lowerCase = writtenLowerCase(tagName);
        break;
    case State::Name:
        ctx.kind = CompletionKind::AttributeName;
        ctx.prefix = text.mid(caretNameStart, split - caretNameStart).toString();
        ctx.tail = countWhile(after, 0, isAttributeNameChar);
        ctx.lowerCase = writtenLowerCase(tagName);
        break;
    case State::Quoted:
        if (caretQuote != u'"')
            return {};
        ctx.kind = CompletionKind::AttributeValue;
        ctx.attribute = caretAttribute;
        ctx.prefix = text.mid(caretValueStart, split - caretValueStart).toString();
        ctx.tail = countWhile(after, 0, [](QChar c) {
            return c != u'"' && c != u'>' && c != u'<' && !isBlank(c);
        });
        ctx.lowerCase = writtenLowerCase(caretAttribute);
        break;
    default:
        return {};
    }
    ctx.following = charAt(after, ctx.tail);
    return ctx;
}

// The caret stands in a tag whose "<" is at `start` of `before`.
CompletionContext tagContext(QStringView before, int start, QStringView after) {
    const QStringView tag = before.mid(start + 1);
    CompletionContext ctx;
    if (tag.startsWith(u'/')) {
        const QStringView name = tag.mid(1);
        if (countWhile(name, 0, isTagNameChar) != name.size())
            return {};
        ctx.kind = CompletionKind::CloseTag;
        ctx.prefix = name.toString();
        ctx.tail = countWhile(after, 0, isTagNameChar);
        ctx.following = charAt(after, ctx.tail);
        return ctx;
    }
    if (!tag.isEmpty() && !isAsciiLetter(tag.at(0)))
        return {}; // "<!", "<?", or a "<" in text
    const int nameLength = countWhile(tag, 0, isTagNameChar);
    if (nameLength == tag.size()) {
        ctx.kind = CompletionKind::TagName;
        ctx.prefix = tag.toString();
        ctx.tail = countWhile(after, 0, isTagNameChar);
        ctx.following = charAt(after, ctx.tail);
        ctx.lowerCase = pageWritesLowerCase(before, start);
        return ctx;
    }
    if (!isBlank(tag.at(nameLength)))
        return {};
    const QString rest = tag.mid(nameLength).toString() + after.toString();
    return attributeContext(tag.left(nameLength).toString(), rest,
                            int(tag.size()) - nameLength);
}

} // namespace

CompletionContext completionContextAt(QStringView before, QStringView after,
                                      bool startsInComment) {
    qsizetype i = 0;
    if (startsInComment) {
        const qsizetype end = before.indexOf(u"-->");
        if (end < 0)
            return {};
        i = end + 3;
    }
    // Tags and comments as the colour coding sees them: a tag runs from "<" to the next ">",
    // a comment from "<!--" to the next "-->".
    for (;;) {
        const qsizetype open = before.indexOf(u'<', i);
        if (open < 0)
            break;
        if (before.mid(open).startsWith(u"<!--")) {
            const qsizetype end = before.indexOf(u"-->", open);
            if (end < 0)
                return {};
            i = end + 3;
            continue;
        }
        const qsizetype close = before.indexOf(u'>', open + 1);
        if (close < 0) {
            // Inside a tag; of several "<" without a ">", the last one is being typed.
            return tagContext(before, int(before.lastIndexOf(u'<')), after);
        }
        i = close + 1;
    }
    // Text outside tags: only an entity is completed there.
    int start = int(before.size());
    while (start > 0 && isEntityChar(before.at(start - 1)))
        --start;
    if (start == 0 || before.at(start - 1) != u'&')
        return {};
    CompletionContext ctx;
    ctx.kind = CompletionKind::Entity;
    ctx.prefix = before.mid(start).toString();
    ctx.tail = countWhile(after, 0, isEntityChar);
    ctx.following = charAt(after, ctx.tail);
    return ctx;
}
