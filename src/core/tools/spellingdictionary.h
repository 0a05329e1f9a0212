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

// The names (lower case, sorted) of the ".vtd" files of a folder.
QStringList dictionaryChoices(const QString &folder);
// The Hunspell files named by a ".vtd" file, looked up in each folder of `searchFolders` in turn;
// invalid when the file cannot be read or names no dictionary found there.
HunspellFiles resolveDictionary(const QString &vtdFile, const QStringList &searchFolders);
