// The user's own scripts: ".jsc" files of plain text in one folder of the user's data.
#pragma once

#include <QString>
#include <QStringList>

// The folder under the data folder that holds the scripts.
QString customScriptFolder(const QString &dataDir);
// The names of the script files in `folder`, sorted; empty when there are none.
QStringList customScriptNames(const QString &folder);
// The file name for what the user typed: ".jsc" is added unless the name already holds it (in
// any case). Empty when nothing usable was typed.
QString customScriptFileName(const QString &typed);
// The lines a new script starts with, and the line the caret starts on.
QStringList newCustomScriptLines();
inline constexpr int NewCustomScriptCaretLine = 2;

// Reads and writes a script file (UTF-8, lines ending in "\n"); false with `error` set on failure.
bool readCustomScript(const QString &path, QString *text, QString *error);
bool writeCustomScript(const QString &path, const QString &text, QString *error);
