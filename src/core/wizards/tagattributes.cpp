#include "wizards/tagattributes.h"

namespace {

bool endsName(QChar c) {
    return c.isSpace() || c == QLatin1Char('=') || c == QLatin1Char('>') ||
           c == QLatin1Char('<');
}

int skipSpaces(const QString &t, int i) {
    while (i < t.size() && t.at(i).isSpace())
        ++i;
    return i;
}

// Start of the first attribute: after the "<" and the tag name.
int afterTagName(const QString &t) {
    int i = skipSpaces(t, 0);
    if (i < t.size() && t.at(i) == QLatin1Char('<'))
        ++i;
    while (i < t.size() && !t.at(i).isSpace() && t.at(i) != QLatin1Char('>'))
        ++i;
    return i;
}

} // namespace

TagAttributes::TagAttributes(const QString &tagText) : m_text(tagText) {}

QString TagAttributes::tagName() const {
    int i = skipSpaces(m_text, 0);
    if (i < m_text.size() && m_text.at(i) == QLatin1Char('<'))
        ++i;
    const int start = i;
    while (i < m_text.size() && !m_text.at(i).isSpace() && m_text.at(i) != QLatin1Char('>'))
        ++i;
    return m_text.mid(start, i - start);
}

QList<TagAttributes::Attribute> TagAttributes::scan() const {
    QList<Attribute> found;
    const QString &t = m_text;
    int i = afterTagName(t);
    while (true) {
        i = skipSpaces(t, i);
        if (i >= t.size() || t.at(i) == QLatin1Char('>'))
            break;
        Attribute a;
        a.start = i;
        while (i < t.size() && !endsName(t.at(i)))
            ++i;
        if (i == a.start) { // a stray "=" or "<": step over it
            ++i;
            continue;
        }
        a.name = t.mid(a.start, i - a.start);
        a.end = i;
        const int eq = skipSpaces(t, i);
        if (eq < t.size() && t.at(eq) == QLatin1Char('=')) {
            int v = skipSpaces(t, eq + 1);
            const QChar quote = v < t.size() ? t.at(v) : QChar();
            if (quote == QLatin1Char('"') || quote == QLatin1Char('\'')) {
                const int close = t.indexOf(quote, v + 1);
                const int stop = close < 0 ? t.size() : close;
                a.value = t.mid(v + 1, stop - v - 1);
                i = close < 0 ? t.size() : close + 1;
            } else {
                const int start = v;
                while (v < t.size() && !t.at(v).isSpace() && t.at(v) != QLatin1Char('>'))
                    ++v;
                a.value = t.mid(start, v - start);
                i = v;
            }
            a.end = i;
        }
        found.append(a);
    }
    return found;
}

QStringList TagAttributes::attributeNames() const {
    QStringList names;
    for (const Attribute &a : scan())
        names.append(a.name);
    return names;
}

QString TagAttributes::attributeValue(const QString &name) {
    if (name.isEmpty())
        return QString();
    for (const Attribute &a : scan()) {
        if (a.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        m_text.remove(a.start, a.end - a.start);
        return a.value;
    }
    return QString();
}

bool TagAttributes::hasAttributeWord(const QString &word) const {
    for (const Attribute &a : scan())
        if (a.name.compare(word, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString elementText(const QString &element) {
    const int gt = element.indexOf(QLatin1Char('>'));
    if (gt < 0)
        return QString();
    // A whole element keeps all of its content, markup included, so that replacing the element
    // by the edited one loses nothing (an image or bold text inside a link stays).
    static const QString EndOfLink = QStringLiteral("</A>");
    if (element.endsWith(EndOfLink, Qt::CaseInsensitive))
        return element.mid(gt + 1, element.size() - EndOfLink.size() - gt - 1);
    const int lt = element.indexOf(QLatin1Char('<'), gt + 1);
    return element.mid(gt + 1, lt < 0 ? -1 : lt - gt - 1);
}

QString tagAttributeValue(const QString &tagText, const QString &name) {
    if (name.isEmpty())
        return QString();
    return TagAttributes(tagText).attributeValue(name);
}
