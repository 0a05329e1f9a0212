#include "wizards/htmlattributes.h"

#include "wizards/htmlcolors.h"

QString attribute(const char *name, const QString &value) {
    if (value.isEmpty())
        return QString();
    return QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + value +
           QLatin1Char('"');
}

QString colorAttribute(const char *name, const QString &color, bool upperCase) {
    if (leavesColorOut(color))
        return QString();
    return attribute(name, upperCase ? color.toUpper() : color);
}

QString tagAttributeValue(const QString &tag, const QString &name) {
    // Skip the tag name, then walk name[=value] pairs.
    qsizetype i = tag.indexOf(QLatin1Char('<'));
    i = i < 0 ? 0 : i + 1;
    const qsizetype n = tag.size();
    auto isBlank = [](QChar c) { return c.isSpace(); };
    while (i < n && !isBlank(tag[i]) && tag[i] != u'>')
        ++i;
    while (i < n) {
        while (i < n && isBlank(tag[i]))
            ++i;
        if (i >= n || tag[i] == u'>')
            break;
        const qsizetype nameStart = i;
        while (i < n && !isBlank(tag[i]) && tag[i] != u'=' && tag[i] != u'>')
            ++i;
        const QString attrName = tag.mid(nameStart, i - nameStart);
        while (i < n && isBlank(tag[i]))
            ++i;
        QString value;
        if (i < n && tag[i] == u'=') {
            ++i;
            while (i < n && isBlank(tag[i]))
                ++i;
            if (i < n && (tag[i] == u'"' || tag[i] == u'\'')) {
                const QChar quote = tag[i];
                const qsizetype close = tag.indexOf(quote, i + 1);
                const qsizetype end = close < 0 ? n : close;
                value = tag.mid(i + 1, end - i - 1);
                i = close < 0 ? n : close + 1;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !isBlank(tag[i]) && tag[i] != u'>')
                    ++i;
                value = tag.mid(valueStart, i - valueStart);
            }
        }
        if (attrName.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return QString();
}
