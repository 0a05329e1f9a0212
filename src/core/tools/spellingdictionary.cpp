#include "tools/spellingdictionary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    QFile f(vtdFile);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString name = QString::fromUtf8(f.readLine(256)).trimmed();
    // A bare language name only: the file must not lead the engine out of the folders.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return {};
    for (const QString &folder : searchFolders) {
        const QDir dir(folder);
        const QString affix = dir.filePath(name + QStringLiteral(".aff"));
        const QString words = dir.filePath(name + QStringLiteral(".dic"));
        if (QFileInfo(affix).isReadable() && QFileInfo(words).isReadable())
            return {affix, words};
    }
    return {};
}
