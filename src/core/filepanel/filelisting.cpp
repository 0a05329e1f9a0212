#include "filepanel/filelisting.h"

#include "shell/appsettings.h"
#include "shell/fileaccess.h"
#include "shell/filepaths.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <cerrno>
#include <dirent.h>

QString kilobyteText(qint64 bytes) {
    if (bytes < 0)
        return QStringLiteral("???");
    qint64 kb = bytes / 1024;
    const qint64 rest = bytes % 1024;
    if (rest > 512 || (rest == 512 && (kb % 2) == 1))
        ++kb;
    if (kb == 0 && bytes > 0)
        kb = 1;
    return QString::number(kb) + QStringLiteral(" KB");
}

FileKind fileKind(const QString &fileName, const AppSettings &s) {
    if (isHtmlFile(fileName, s.htmlMask))
        return {QStringLiteral("HTML Document"),
                s.primaryBrowserIsDefault ? FileIcon::PageDefaultBrowser : FileIcon::PageSecondaryBrowser};
    if (isWebImageFile(fileName))
        return {QStringLiteral("Image file"), FileIcon::Image};
    if (isMultimediaFile(fileName, s.multimediaMask))
        return {QStringLiteral("Multimedia file"), FileIcon::Multimedia};
    return {QStringLiteral("Unknown file type"), FileIcon::None};
}

QString lastChangeText(const QDateTime &modified) {
    if (!modified.isValid())
        return QStringLiteral("unreadable");
    return QLocale().toString(modified, QLocale::ShortFormat);
}

QString folderReadProblem(const QString &folder) {
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (dir) {
        ::closedir(dir);
        return QString();
    }
    if (errno == ENOENT || errno == ENOTDIR)
        return QStringLiteral("This folder is not there any more.");
    return QStringLiteral("This folder cannot be read: %1.").arg(systemErrorText(errno));
}

QString panelFileMask(bool showHtml, bool showImages, bool showMultimedia, const AppSettings &s) {
    QString mask;
    if (showHtml)
        mask += s.htmlMask;
    if (showImages)
        mask += imageFileMask();
    if (showMultimedia)
        mask += s.multimediaMask;
    return mask;
}

bool matchesFileMask(const QString &fileName, const QString &mask) {
    return FileMask(mask).matches(fileName);
}

FileMask::FileMask(const QString &mask) {
    const QStringList patterns = mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString pattern : patterns) {
        pattern = pattern.trimmed();
        if (pattern.isEmpty())
            continue;
        QStringList tries{pattern};
        if (pattern.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
            pattern.endsWith(QLatin1String(".shtm"), Qt::CaseInsensitive))
            tries << pattern + QLatin1Char('l');
        for (const QString &p : tries)
            m_patterns << QRegularExpression(QRegularExpression::wildcardToRegularExpression(p),
                                             QRegularExpression::CaseInsensitiveOption);
    }
}

bool FileMask::matches(const QString &fileName) const {
    for (const QRegularExpression &re : m_patterns)
        if (re.match(fileName).hasMatch())
            return true;
    return false;
}

PanelMenuState panelMenuState(const QString &fileName, const AppSettings &s) {
    PanelMenuState state;
    if (fileName.isEmpty())
        return state;
    const bool image = isImageFile(fileName);
    const bool known =
        image || isHtmlFile(fileName, s.htmlMask) || isMultimediaFile(fileName, s.multimediaMask);
    state.openDefault = true;
    state.copy = state.move = state.remove = known;
    state.view = image;
    return state;
}

DropInsertion dropInsertion(const QString &fileName, const QString &reference,
                            const AppSettings &s) {
    DropInsertion d;
    if (isHtmlFile(fileName, s.htmlMask)) {
        d.kind = DropInsertion::Kind::Link;
        d.startText = QStringLiteral("<A HREF=\"") + reference + QStringLiteral("\">");
        d.endText = QStringLiteral("</A>");
    } else if (isWebImageFile(fileName)) {
        d.kind = DropInsertion::Kind::Image;
        d.startText = QStringLiteral("<IMG SRC=\"") + reference + QStringLiteral("\">");
    } else if (isMultimediaFile(fileName, s.multimediaMask)) {
        d.kind = DropInsertion::Kind::Embed;
        d.startText = QStringLiteral("<EMBED SRC=\"") + reference + QStringLiteral("\">");
    }
    return d;
}
