#include "text/plaintext.h"

// One pass: QString::replace moves the tail once per batch of matches, which is quadratic on a
// page with a few hundred thousand lines.
// In place: the text only shrinks, so a text handed over (moved) is never held twice.
QString plainLineBreaks(QString text) {
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QChar *d = text.data();
    const QChar *s = d;
    const QChar *const end = s + text.size();
    QChar *w = d;
    for (; s < end; ++s) {
        if (*s != QLatin1Char('\r'))
            *w++ = *s;
        else if (s + 1 < end && s[1] == QLatin1Char('\n'))
            continue; // the LF that follows is the break
        else
            *w++ = QLatin1Char('\n');
    }
    text.truncate(w - d);
    return text;
}

QString escapeAmpersands(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
