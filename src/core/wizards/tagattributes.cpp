#include "wizards/tagattributes.h"

#include "text/tagextent.h"

TagAttributes::TagAttributes(const QString &tagText) : m_text(tagText) {}

QString TagAttributes::tagName() const {
    qsizetype i = 0;
    while (i < m_text.size() && m_text.at(i).isSpace())
        ++i;
    if (i < m_text.size() && m_text.at(i) == QLatin1Char('<'))
        ++i;
    const qsizetype start = i;
    while (i < m_text.size() && !m_text.at(i).isSpace() && m_text.at(i) != QLatin1Char('>'))
        ++i;
    return m_text.mid(start, i - start);
}

QList<TagAttributes::Attribute> TagAttributes::scan() const {
    QList<Attribute> found;
    for (const TagAttributeSpan &s : scanTag(m_text).attributes) {
        Attribute a;
        a.start = int(s.nameStart);
        a.end = int(s.end);
        a.name = m_text.mid(s.nameStart, s.nameEnd - s.nameStart);
        if (s.valueStart >= 0)
            a.value = m_text.mid(s.valueStart, s.valueEnd - s.valueStart);
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

QString TagAttributes::otherAttributes() const {
    QString out;
    for (const Attribute &a : scan())
        out += QLatin1Char(' ') + m_text.mid(a.start, a.end - a.start);
    return out;
}

QString firstTag(const QString &text, int *offset) {
    const int lt = int(text.indexOf(QLatin1Char('<')));
    const qsizetype gt = lt < 0 ? -1 : tagClose(text, lt);
    if (offset)
        *offset = gt < 0 ? -1 : lt;
    return gt < 0 ? QString() : text.mid(lt, gt - lt + 1);
}

QString elementText(const QString &element) {
    const int lt = int(element.indexOf(QLatin1Char('<')));
    const int gt = lt < 0 ? -1 : int(tagClose(element, lt));
    if (gt < 0)
        return QString();
    // A whole element keeps all of its content, markup included, so that replacing the element
    // by the edited one loses nothing (an image or bold text inside a link stays).
    static const QString EndOfLink = QStringLiteral("</A>");
    if (element.endsWith(EndOfLink, Qt::CaseInsensitive))
        return element.mid(gt + 1, element.size() - EndOfLink.size() - gt - 1);
    const int next = int(element.indexOf(QLatin1Char('<'), gt + 1));
    return element.mid(gt + 1, next < 0 ? -1 : next - gt - 1);
}

QString tagAttributeValue(const QString &tagText, const QString &name) {
    if (name.isEmpty())
        return QString();
    return TagAttributes(tagText).attributeValue(name);
}
