#include "filepanel/linkedfiles.h"

#include "wizards/tagattributes.h"

#include <QRegularExpression>

namespace {

// The extension of a reference in lower case, without a query or fragment.
QString referenceExtension(const QString &reference) {
    QString path = reference;
    // Compiled once: a pattern made per reference cost more than the rest of the scan.
    static const QRegularExpression queryOrFragment(QStringLiteral("[?#]"));
    const qsizetype cut = path.indexOf(queryOrFragment);
    if (cut >= 0)
        path.truncate(cut);
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || path.indexOf(QLatin1Char('/'), dot) >= 0 ||
        path.indexOf(QLatin1Char('\\'), dot) >= 0)
        return QString();
    return path.mid(dot).toLower();
}

bool isHtmlReference(const QString &reference) {
    const QString ext = referenceExtension(reference);
    return ext == QLatin1String(".htm") || ext == QLatin1String(".html") ||
           ext == QLatin1String(".shtm") || ext == QLatin1String(".shtml");
}

bool isImageReference(const QString &reference) {
    const QString ext = referenceExtension(reference);
    return ext == QLatin1String(".jpg") || ext == QLatin1String(".jpeg") ||
           ext == QLatin1String(".gif");
}

bool listed(const QString &value, const LinkedFilesFilter &f) {
    if (f.localOnly && isRemoteReference(value))
        return false;
    if (isHtmlReference(value))
        return f.htmlFiles;
    if (isImageReference(value))
        return f.imageFiles;
    return f.otherFiles;
}

} // namespace

bool isRemoteReference(const QString &reference) {
    static const char *const schemes[] = {"http", "ftp", "wais", "telnet", "gopher"};
    for (const char *s : schemes)
        if (reference.startsWith(QLatin1String(s), Qt::CaseInsensitive))
            return true;
    return false;
}

QStringList listLinkedFiles(const QString &text, const LinkedFilesFilter &filter) {
    static const char *const names[] = {"href", "src", "background", "codebase", "action",
                                        "lowsrc"};
    QStringList out;
    for (const char *n : names) {
        const QString name = QLatin1String(n);
        qsizetype pos = 0;
        while (true) {
            const qsizetype hit = text.indexOf(name, pos, Qt::CaseInsensitive);
            if (hit < 0)
                break;
            const qsizetype tagStart = text.lastIndexOf(QLatin1Char('<'), hit);
            const qsizetype tagEnd = text.indexOf(QLatin1Char('>'), hit);
            // Text outside a tag (the nearest "<" before it is closed before the hit) is skipped;
            // a tag that never closes ends the scan for this name.
            const qsizetype closedBefore =
                tagStart < 0 ? -1 : text.indexOf(QLatin1Char('>'), tagStart);
            if (tagStart < 0 || (closedBefore >= 0 && closedBefore < hit)) {
                pos = hit + name.size();
                continue;
            }
            if (tagEnd < 0)
                break;
            const QString value =
                tagAttributeValue(text.mid(tagStart, tagEnd - tagStart + 1), name);
            if (!value.isEmpty() && listed(value, filter))
                out << value;
            pos = tagEnd + 1;
        }
    }
    return out;
}
