#include "text/tagextent.h"

namespace {

bool endsName(QChar c) {
    return c.isSpace() || c == u'=' || c == u'>' || c == u'<';
}

qsizetype skipSpaces(QStringView t, qsizetype i) {
    while (i < t.size() && t.at(i).isSpace())
        ++i;
    return i;
}

template <typename Visit> qsizetype walk(QStringView t, qsizetype from, Visit visit) {
    qsizetype i = skipSpaces(t, from);
    if (i < t.size() && t.at(i) == u'<')
        ++i;
    while (i < t.size() && !t.at(i).isSpace() && t.at(i) != u'>')
        ++i;
    while (true) {
        i = skipSpaces(t, i);
        if (i >= t.size())
            return -1;
        if (t.at(i) == u'>')
            return i;
        TagAttributeSpan a;
        a.nameStart = i;
        while (i < t.size() && !endsName(t.at(i)))
            ++i;
        if (i == a.nameStart) { // a stray "=" or "<": step over it
            ++i;
            continue;
        }
        a.nameEnd = i;
        a.end = i;
        const qsizetype eq = skipSpaces(t, i);
        if (eq < t.size() && t.at(eq) == u'=') {
            qsizetype v = skipSpaces(t, eq + 1);
            const QChar quote = v < t.size() ? t.at(v) : QChar();
            qsizetype close = -1;
            if (quote == u'"' || quote == u'\'')
                close = t.indexOf(quote, v + 1);
            if (close >= 0) {
                a.quote = quote;
                a.valueStart = v + 1;
                a.valueEnd = close;
                i = close + 1;
            } else {
                // Unquoted, or a quote that never closes: up to a blank (unquoted) or ">".
                const bool open = quote == u'"' || quote == u'\'';
                if (open)
                    ++v;
                const qsizetype start = v;
                while (v < t.size() && !(!open && t.at(v).isSpace()) && t.at(v) != u'>')
                    ++v;
                a.valueStart = start;
                a.valueEnd = v;
                i = v;
            }
            a.end = i;
        }
        visit(a);
    }
}

} // namespace

TagExtent scanTag(QStringView text, qsizetype from) {
    TagExtent e;
    e.close = walk(text, from, [&e](const TagAttributeSpan &a) { e.attributes.append(a); });
    return e;
}

qsizetype tagClose(QStringView text, qsizetype from) {
    return walk(text, from, [](const TagAttributeSpan &) {});
}
