// Spelling dictionaries: a ".vtd" file is one line naming a Hunspell dictionary ("en_US"); the
// installation folder holds one per language offered, the data folder the installed one.
#pragma once

#include <QString>
#include <QStringList>

struct HunspellFiles {
    QString affix;
    QString words;
    bool isValid() const { return !affix.isEmpty(); }
};

// A ".vtd" file is one short line.
inline constexpr qint64 MaxDictionaryNameFileBytes = 64 * 1024;
// The largest Hunspell word list shipped is a few tens of megabytes.
inline constexpr qint64 MaxDictionaryFileBytes = qint64(256) << 20;

// The names (lower case, sorted) of the ".vtd" files of a folder.
QStringList dictionaryChoices(const QString &folder);
// The Hunspell files named by a ".vtd" file, looked up in each folder of `searchFolders` in turn;
// invalid when the file cannot be read or names no dictionary found there.
HunspellFiles resolveDictionary(const QString &vtdFile, const QStringList &searchFolders);
