#include "tools/spellingdictionary.h"

#include "shell/fileaccess.h"

#include <QDir>

QStringList dictionaryChoices(const QString &folder) {
    QStringList names;
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*.vtd")}, QDir::Files | QDir::Readable);
    for (const QString &f : files)
        names.append(f.toLower());
    names.sort();
    names.removeDuplicates();
    return names;
}

HunspellFiles resolveDictionary(const QString &vtdFile, const QStringList &searchFolders) {
    const FileRead vtd = readRegularFile(vtdFile, MaxDictionaryNameFileBytes);
    if (!vtd.ok())
        return {};
    const qsizetype end = vtd.bytes.indexOf('\n');
    const QString name = QString::fromUtf8(vtd.bytes.left(end < 0 ? 256 : qMin<qsizetype>(end, 256)))
                             .trimmed();
    // A bare language name only: the file must not lead the engine out of the folders.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return {};
    for (const QString &folder : searchFolders) {
        const QDir dir(folder);
        const QString affix = dir.filePath(name + QStringLiteral(".aff"));
        const QString words = dir.filePath(name + QStringLiteral(".dic"));
        // The engine opens these itself and reads them to the end: only regular files of a
        // sane size are handed over, never a pipe or a device.
        if (checkRegularFile(affix, MaxDictionaryFileBytes).ok() &&
            checkRegularFile(words, MaxDictionaryFileBytes).ok())
            return {affix, words};
    }
    return {};
}
