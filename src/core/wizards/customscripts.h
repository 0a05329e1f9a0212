// The user's own scripts: ".jsc" files of plain text in one folder of the user's data, read as
// pages are read (any of the pages' encodings and line ends) and written back in their own.
#pragma once

#include "documents/textcodec.h"

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

// A script is a few lines of code; anything far larger is not one.
inline constexpr qint64 MaxCustomScriptBytes = qint64(4) << 20;

// Reads a script file: its text (lines ending in "\n") and the format to write it back in.
// False with a sentence naming the file in `error` on failure.
bool readCustomScript(const QString &path, QString *text, TextFormat *format, QString *error);
// Writes a script in `format` (a new script: the default, UTF-8 with LF) through the atomic
// writer, ending its last line; false with the platform's reason on failure, the old file kept.
bool writeCustomScript(const QString &path, const QString &text, const TextFormat &format,
                       QString *error);
