#include "text/plaintext.h"

// One pass: QString::replace moves the tail once per batch of matches, which is quadratic on a
// page with a few hundred thousand lines.
QString plainLineBreaks(const QString &text) {
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString out(text.size(), Qt::Uninitialized);
    const QChar *s = text.constData();
    const QChar *const end = s + text.size();
    QChar *d = out.data();
    for (; s < end; ++s) {
        if (*s != QLatin1Char('\r'))
            *d++ = *s;
        else if (s + 1 < end && s[1] == QLatin1Char('\n'))
            continue; // the LF that follows is the break
        else
            *d++ = QLatin1Char('\n');
    }
    out.truncate(d - out.constData());
    return out;
}

QString escapeAmpersands(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
