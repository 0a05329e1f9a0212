#include "shell/filepaths.h"

#include "shell/appsettings.h"

#include <QImageReader>
#include <QStringList>

namespace {

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

qsizetype lastSeparator(const QString &name) {
    return qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
}

bool hasDriveLetter(const QString &name) {
    return name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].unicode() < 0x80 &&
           name[0].isLetter();
}

// The part a path is absolute from: "/", a drive "C:" or a share "\\server" / "//server".
QString rootOf(const QString &name) {
    if (hasDriveLetter(name))
        return name.left(2).toUpper();
    if (name.size() >= 2 && isSeparator(name[0]) && isSeparator(name[1])) {
        qsizetype end = 2;
        while (end < name.size() && !isSeparator(name[end]))
            ++end;
        return QStringLiteral("//") + name.mid(2, end - 2);
    }
    if (!name.isEmpty() && isSeparator(name[0]))
        return QStringLiteral("/");
    return QString();
}

// Folder names between the root and the file name.
QStringList folderComponents(const QString &name) {
    const QString root = rootOf(name);
    const qsizetype last = lastSeparator(name);
    qsizetype start = root.size();
    if (last < start)
        return {};
    QStringList parts;
    QString part;
    for (qsizetype i = start; i < last; ++i) {
        if (isSeparator(name[i])) {
            if (!part.isEmpty())
                parts << part;
            part.clear();
        } else {
            part += name[i];
        }
    }
    if (!part.isEmpty())
        parts << part;
    return parts;
}

bool startsWithScheme(const QString &name) {
    static const char *const schemes[] = {"http", "ftp", "gopher", "news", "telnet", "wais"};
    for (const char *s : schemes)
        if (name.startsWith(QLatin1String(s), Qt::CaseInsensitive))
            return true;
    return false;
}

QString convertSlashes(QString text, bool convert) {
    if (convert)
        text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return text;
}

QString relativeReference(const QString &fileName, const QString &currentFileName) {
    const QString root = rootOf(fileName);
    if (root != rootOf(currentFileName))
        return fileName; // nothing in common to climb to
    const QStringList base = folderComponents(currentFileName);
    const QStringList target = folderComponents(fileName);
    int common = 0;
    while (common < base.size() && common < target.size() && base[common] == target[common])
        ++common;
    // Keep the separator the name is written with; convertslash decides about backslashes later.
    const bool backslashes =
        fileName.contains(QLatin1Char('\\')) && !fileName.contains(QLatin1Char('/'));
    const QChar sep = backslashes ? QLatin1Char('\\') : QLatin1Char('/');
    QString result;
    for (qsizetype i = common; i < base.size(); ++i)
        result += QStringLiteral("..") + sep;
    for (qsizetype i = common; i < target.size(); ++i)
        result += target[i] + sep;
    return result + fileNamePart(fileName);
}

// Walks "*.a;*.b;" entries; an entry's extension compares with `ext` without regard to case.
bool maskHasExtension(const QString &mask, const QString &ext, bool htmlAliases) {
    if (ext.isEmpty())
        return false;
    const QStringList entries = mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &raw : entries) {
        // ".htm" of "*.htm"; a hand-written "htm" or ".htm" means the same.
        QString entryExt = raw.trimmed();
        if (entryExt.startsWith(QLatin1Char('*')))
            entryExt.remove(0, 1);
        if (!entryExt.startsWith(QLatin1Char('.')))
            entryExt.prepend(QLatin1Char('.'));
        if (entryExt.size() < 2)
            continue;
        if (entryExt.compare(ext, Qt::CaseInsensitive) == 0)
            return true;
        if (htmlAliases && (entryExt.compare(QLatin1String(".htm"), Qt::CaseInsensitive) == 0 ||
                            entryExt.compare(QLatin1String(".shtm"), Qt::CaseInsensitive) == 0)) {
            if ((entryExt + QLatin1Char('l')).compare(ext, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

bool extensionIn(const QString &fileName, std::initializer_list<const char *> list) {
    const QString ext = fileExtension(fileName);
    for (const char *e : list)
        if (ext.compare(QLatin1String(e), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

QString fileExtension(const QString &fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    for (qsizetype i = dot + 1; i < fileName.size(); ++i)
        if (isSeparator(fileName[i]) || fileName[i] == QLatin1Char(':'))
            return QString();
    return fileName.mid(dot);
}

QString fileNamePart(const QString &fileName) {
    return fileName.mid(lastSeparator(fileName) + 1);
}

QString makeReference(const QString &fileName, const AppSettings &s,
                      const QString &currentFileName) {
    if (fileName.isEmpty() || fileName == MarkerEmpty)
        return QString();
    if (rootOf(fileName).isEmpty() || startsWithScheme(fileName))
        return fileName;
    QString result = fileName;
    if (s.relativeReferences)
        result = convertSlashes(relativeReference(fileName, currentFileName), s.convertSlashes);
    if (s.bareNameReferences)
        result = fileNamePart(fileName);
    if (s.absoluteReferences)
        result = convertSlashes(fileName, s.convertSlashes);
    return result;
}

bool isImageFile(const QString &fileName) {
    return isWebImageFile(fileName) ||
           extensionIn(fileName, {".gif", ".jpg", ".jpeg", ".png", ".art", ".bmp", ".cut", ".dib",
                                  ".emf", ".gem", ".hrz",  ".iff", ".img", ".lbm", ".mac", ".msp",
                                  ".pcx", ".pic", ".ras",  ".rle", ".tga", ".wmf", ".wpg"});
}

const QStringList &readablePictureExtensions() {
    static const QStringList extensions = [] {
        QStringList list{QStringLiteral("gif"), QStringLiteral("jpg"), QStringLiteral("jpeg")};
        for (const QByteArray &format : QImageReader::supportedImageFormats()) {
            const QString e = QString::fromLatin1(format).toLower();
            if (!list.contains(e))
                list << e;
        }
        return list;
    }();
    return extensions;
}

QString imageFileMask() {
    QString mask;
    for (const QString &e : readablePictureExtensions())
        mask += QStringLiteral("*.") + e + QLatin1Char(';');
    return mask;
}

bool isWebImageFile(const QString &fileName) {
    const QString ext = fileExtension(fileName);
    return ext.size() > 1 && readablePictureExtensions().contains(ext.mid(1).toLower());
}

bool isMultimediaFile(const QString &fileName, const QString &multiMask) {
    return maskHasExtension(multiMask, fileExtension(fileName), false);
}

bool isHtmlFile(const QString &fileName, const QString &htmlMask) {
    return maskHasExtension(htmlMask, fileExtension(fileName), true);
}
