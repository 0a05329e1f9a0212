#include "filepanel/linkedfiles.h"

#include "text/tagextent.h"
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
    // The tags in text order, each from its "<" through the ">" that closes it; a tag that never
    // closes ends the list.
    struct Span {
        qsizetype start;
        qsizetype close;
    };
    QList<Span> tags;
    for (qsizetype lt = text.indexOf(QLatin1Char('<')); lt >= 0;) {
        const qsizetype close = tagClose(text, lt);
        if (close < 0)
            break;
        tags.append({lt, close});
        lt = text.indexOf(QLatin1Char('<'), close + 1);
    }
    QStringList out;
    for (const char *n : names) {
        const QLatin1String name(n);
        for (const Span &tag : tags) {
            const QString tagText = text.mid(tag.start, tag.close - tag.start + 1);
            if (!tagText.contains(name, Qt::CaseInsensitive))
                continue;
            const QString value = tagAttributeValue(tagText, name);
            if (!value.isEmpty() && listed(value, filter))
                out << value;
        }
    }
    return out;
}
