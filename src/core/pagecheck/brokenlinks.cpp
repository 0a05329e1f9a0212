#include "pagecheck/brokenlinks.h"

#include "filepanel/linkedfiles.h"
#include "viewer/linktarget.h"
#include "wizards/tagattributes.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <algorithm>
#include <vector>

namespace {

// An attribute with its value, quoted or not, as the tag reader reads it. The name must stand
// whole ("lowsrc", "data-src" and "xlink:href" are other attributes).
QRegularExpression attributePattern(const QString &names) {
    return QRegularExpression(
        QStringLiteral("(?<![\\w:.-])(%1)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]*))")
            .arg(names),
        QRegularExpression::CaseInsensitiveOption);
}

struct Value {
    QString text;
    qsizetype position = 0;
};

Value valueOf(const QRegularExpressionMatch &m) {
    for (int group = 2; group <= 4; ++group)
        if (m.capturedStart(group) >= 0)
            return {m.captured(group), m.capturedStart(group)};
    return {};
}

// The name of the tag a position lies in, or empty when it lies in text.
QString enclosingTagName(const QString &text, qsizetype pos) {
    const qsizetype open = text.lastIndexOf(QLatin1Char('<'), pos);
    if (open < 0 || text.lastIndexOf(QLatin1Char('>'), pos) > open)
        return QString();
    qsizetype end = open + 1;
    while (end < text.size() && text.at(end).isLetterOrNumber())
        ++end;
    return text.mid(open + 1, end - open - 1);
}

class LinkChecker {
public:
    LinkChecker(const QString &text, const QString &pageFileName)
        : m_text(text), m_page(QDir::cleanPath(pageFileName)),
          m_folder(QFileInfo(pageFileName).absolutePath()) {
        for (qsizetype i = text.indexOf(QLatin1Char('\n')); i >= 0;
             i = text.indexOf(QLatin1Char('\n'), i + 1))
            m_lineStarts.push_back(i + 1);
        readBase();
    }

    PageFindings run() {
        // The scan decides which references the page has; the pattern finds where each stands.
        LinkedFilesFilter everything;
        everything.localOnly = false;
        QHash<QString, int> listed;
        for (const QString &reference : listLinkedFiles(m_text, everything))
            ++listed[reference];
        static const QRegularExpression links =
            attributePattern(QStringLiteral("href|src|background"));
        for (auto it = links.globalMatch(m_text); it.hasNext();) {
            const Value v = valueOf(it.next());
            auto count = listed.find(v.text);
            if (count == listed.end() || *count == 0)
                continue;
            --*count;
            check(v);
        }
        return m_findings;
    }

private:
    // The HREF of the page's BASE tag, if it has one.
    void readBase() {
        static const QString tag = QStringLiteral("<base");
        for (qsizetype at = m_text.indexOf(tag, 0, Qt::CaseInsensitive); at >= 0;
             at = m_text.indexOf(tag, at + 1, Qt::CaseInsensitive)) {
            const qsizetype after = at + tag.size();
            if (after < m_text.size() && m_text.at(after).isLetterOrNumber())
                continue; // BASEFONT
            const qsizetype end = m_text.indexOf(QLatin1Char('>'), after);
            m_base = tagAttributeValue(m_text.mid(at, end < 0 ? -1 : end - at + 1),
                                       QStringLiteral("href"))
                         .trimmed();
            return;
        }
    }

    void check(const Value &v) {
        const QString reference = v.text.trimmed();
        if (reference.isEmpty() || LinkTarget::isForeignUrl(reference) ||
            reference.startsWith(QLatin1String("//")) ||
            reference.startsWith(QLatin1String("\\\\")))
            return;
        const LinkTarget::Parts parts = LinkTarget::splitAnchor(reference);
        QString path = parts.path;
        const qsizetype query = path.indexOf(QLatin1Char('?'));
        if (query >= 0)
            path.truncate(query);
        if (path.isEmpty()) {
            if (parts.hasAnchor)
                checkAnchor(QUrl::fromPercentEncoding(parts.anchor.toUtf8()), v.position);
            return; // "?query" alone names this page
        }
        if (LinkTarget::isForeignUrl(m_base) && !path.startsWith(QLatin1Char('/')))
            return; // the page lives elsewhere: its relative references are remote
        const QString base = LinkTarget::isDosPathBase(m_base) ? QString() : m_base;
        const QString file = LinkTarget::toFileName(path, base, m_folder);
        if (LinkTarget::isForeignUrl(file))
            return;
        const QString decoded =
            path.contains(QLatin1Char('%'))
                ? LinkTarget::toFileName(QUrl::fromPercentEncoding(path.toUtf8()), base, m_folder)
                : file;
        // The page itself is there even before it is first saved.
        if (decoded == m_page || exists(file) || exists(decoded)) {
            if (parts.hasAnchor && decoded == m_page)
                checkAnchor(QUrl::fromPercentEncoding(parts.anchor.toUtf8()), v.position);
            return;
        }
        QString message = QStringLiteral("File not found: \"%1\"").arg(reference);
        const QString other = caseVariant(decoded);
        if (!other.isEmpty())
            message += QStringLiteral(" (there is \"%1\": letter case counts)")
                           .arg(QDir(m_folder).relativeFilePath(other));
        add(BrokenFileKind, message, v.position);
    }

    void checkAnchor(const QString &name, qsizetype position) {
        if (name.isEmpty() || name.compare(QLatin1String("top"), Qt::CaseInsensitive) == 0)
            return;
        if (!m_anchorsRead)
            readAnchors();
        if (m_anchors.contains(name))
            return;
        QString message = QStringLiteral("No anchor \"%1\" in this page").arg(name);
        for (const QString &a : std::as_const(m_anchors)) {
            if (a.compare(name, Qt::CaseInsensitive) == 0) {
                message += QStringLiteral(" (there is \"%1\": letter case counts)").arg(a);
                break;
            }
        }
        add(BrokenAnchorKind, message, position);
    }

    // A NAME, and the ID of any element.
    void readAnchors() {
        m_anchorsRead = true;
        static const QRegularExpression names = attributePattern(QStringLiteral("name|id"));
        for (auto it = names.globalMatch(m_text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const QString tag = enclosingTagName(m_text, m.capturedStart());
            if (tag.isEmpty())
                continue;
            const bool isId = m.captured(1).compare(QLatin1String("id"), Qt::CaseInsensitive) == 0;
            if (isId || tag.compare(QLatin1String("a"), Qt::CaseInsensitive) == 0)
                m_anchors.insert(valueOf(m).text);
        }
    }

    bool exists(const QString &file) {
        auto known = m_exists.constFind(file);
        if (known != m_exists.constEnd())
            return *known;
        const bool found = QFileInfo::exists(file);
        m_exists.insert(file, found);
        return found;
    }

    // The existing file whose name differs from `file` only in letter case, or empty.
    QString caseVariant(const QString &file) {
        const QStringList parts = file.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        QString path = file.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
        for (const QString &part : parts) {
            const QString exact = QDir(path).filePath(part);
            if (exists(exact)) {
                path = exact;
                continue;
            }
            const QStringList &entries = listing(path);
            auto match = std::find_if(entries.begin(), entries.end(), [&](const QString &e) {
                return e.compare(part, Qt::CaseInsensitive) == 0;
            });
            if (match == entries.end())
                return QString();
            path = QDir(path).filePath(*match);
        }
        return path == file ? QString() : path;
    }

    const QStringList &listing(const QString &folder) {
        auto it = m_listings.find(folder);
        if (it == m_listings.end())
            it = m_listings.insert(folder,
                                   QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                          QDir::System | QDir::NoDotAndDotDot));
        return *it;
    }

    void add(const QString &kind, const QString &message, qsizetype position) {
        const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), position);
        PageFinding f;
        f.severity = PageFinding::Severity::Error;
        f.line = int(after - m_lineStarts.begin());
        f.column = int(position - *(after - 1)) + 1;
        f.kind = kind;
        f.message = message;
        m_findings.append(f);
    }

    const QString &m_text;
    const QString m_page;
    const QString m_folder;
    QString m_base;
    std::vector<qsizetype> m_lineStarts{0};
    QSet<QString> m_anchors;
    bool m_anchorsRead = false;
    QHash<QString, bool> m_exists;
    QHash<QString, QStringList> m_listings;
    PageFindings m_findings;
};

} // namespace

PageFindings findBrokenLinks(const QString &pageText, const QString &pageFileName) {
    return LinkChecker(pageText, pageFileName).run();
}
