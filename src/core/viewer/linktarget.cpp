#include "viewer/linktarget.h"

#include <QDir>
#include <QUrl>

namespace {

bool isLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// "C|/web" or "C:\web" (optionally after one "/"): the drive is dropped and its root becomes
// the file system root.
QString dropDrive(QString path) {
    const int at = path.startsWith(u'/') ? 1 : 0;
    if (path.size() >= at + 2 && isLetter(path[at]) &&
        (path[at + 1] == u':' || path[at + 1] == u'|') &&
        (path.size() == at + 2 || path[at + 2] == u'/'))
        return path.size() == at + 2 ? QStringLiteral("/") : path.mid(at + 2);
    return path;
}

// A target converted to local form, still relative when it was.
QString localForm(const QString &target) {
    QString t = target.trimmed();
    t.replace(u'\\', u'/');
    if (t.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        QString rest = t.mid(5);
        if (rest.startsWith(QLatin1String("//"))) {
            rest = rest.mid(2);
            if (rest.startsWith(QLatin1String("localhost/"), Qt::CaseInsensitive))
                rest = rest.mid(9);
        }
        rest = QUrl::fromPercentEncoding(rest.toUtf8());
        rest = dropDrive(rest);
        if (!rest.startsWith(u'/'))
            rest.prepend(u'/');
        return rest;
    }
    return dropDrive(t);
}

} // namespace

namespace LinkTarget {

Parts splitAnchor(const QString &target) {
    Parts parts;
    const qsizetype hash = target.indexOf(u'#');
    if (hash < 0) {
        parts.path = target;
        return parts;
    }
    parts.path = target.left(hash);
    parts.anchor = target.mid(hash + 1);
    parts.hasAnchor = true;
    return parts;
}

bool isForeignUrl(const QString &target) {
    const QString t = target.trimmed();
    const qsizetype colon = t.indexOf(u':');
    if (colon < 2) // no scheme, or a drive letter
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = t[i];
        if (!(isLetter(c) || (i > 0 && (c.isDigit() || c == u'+' || c == u'-' || c == u'.'))))
            return false;
    }
    return t.left(colon).compare(QLatin1String("file"), Qt::CaseInsensitive) != 0;
}

bool isDosPathBase(const QString &base) {
    return base.trimmed().compare(QLatin1String("DosPath"), Qt::CaseInsensitive) == 0;
}

QString toFileName(const QString &target, const QString &baseReference,
                   const QString &documentDirectory) {
    const QString local = localForm(target);
    if (local.startsWith(u'/'))
        return QDir::cleanPath(local);
    if (isDosPathBase(baseReference))
        return local;
    QString prefix;
    if (!baseReference.trimmed().isEmpty()) {
        if (isForeignUrl(baseReference)) {
            QString base = baseReference.trimmed();
            return base.left(base.lastIndexOf(u'/') + 1) + local;
        }
        prefix = localForm(baseReference);
        // A base that names a file stands for the folder holding it.
        if (!prefix.endsWith(u'/'))
            prefix = prefix.left(prefix.lastIndexOf(u'/') + 1);
    } else if (!documentDirectory.isEmpty()) {
        prefix = documentDirectory;
        if (!prefix.endsWith(u'/'))
            prefix.append(u'/');
    }
    if (prefix.isEmpty())
        return local.isEmpty() ? local : QDir::cleanPath(local);
    return QDir::cleanPath(prefix + local);
}

bool isHtmlFile(const QString &fileName) {
    const QString upper = fileName.toUpper();
    return upper.endsWith(QLatin1String(".HTM")) || upper.endsWith(QLatin1String(".HTML"));
}

} // namespace LinkTarget
