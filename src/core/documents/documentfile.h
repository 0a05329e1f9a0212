// Reading and writing pages on disk: whole-file loads with encoding detection, atomic saves, the
// Unix export, backup names and the recent-file order.
#pragma once

#include "documents/textcodec.h"
#include "shell/appsettings.h"

#include <QString>
#include <array>

// Reads and decodes a page. ok is false with a message naming the file when it cannot be read or
// is not a text file.
DecodedText loadDocumentFile(const QString &path);

// Writes `text` in `format` through a temporary file that replaces `path` only when complete, so a
// failed write leaves the old file as it was. False with the platform's error text on failure.
bool saveDocumentFile(const QString &path, const QString &text, const TextFormat &format,
                      QString *error);

// The Unix export: CR LF pairs become LF, the text ends before its first NUL, nothing is added at
// the end. Encoded as the document (`format`'s encoding and byte-order mark; its crlf is ignored).
bool exportUnixFile(const QString &path, const QString &text, const TextFormat &format,
                    QString *error);

// The document's name with its extension replaced by ".bak" (no extension: ".bak" appended). A
// document that is itself a ".bak" file gets ".bak" appended, so a backup never overwrites it.
QString backupFileName(const QString &documentName);

// Moves `name` to the front of the recent-file list (newest first), dropping the oldest entry
// when it is new. Names compare exactly.
void updateRecentFiles(std::array<QString, AppSettings::RecentFileCount> &last, const QString &name);
