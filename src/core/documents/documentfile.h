// Reading and writing pages on disk: whole-file loads with encoding detection, atomic saves, the
// Unix export, backup names and the recent-file order.
#pragma once

#include "documents/textcodec.h"
#include "shell/appsettings.h"
#include "shell/atomicfilewriter.h"

#include <QDateTime>
#include <QString>
#include <array>

// The largest page that is opened: far beyond any hand-written page, and small enough that the
// editor can hold it with memory to spare.
constexpr qint64 MaxDocumentBytes = qint64(128) << 20;

// Reads and decodes a page. ok is false with a message naming the file when it is missing, not a
// regular file (a folder, pipe or device), larger than MaxDocumentBytes, unreadable or not a text
// file.
DecodedText loadDocumentFile(const QString &path);
// The reading half of loadDocumentFile: the file's bytes, or false with the same message.
bool readDocumentBytes(const QString &path, QByteArray *bytes, QString *error);

// Writes `text` in `format` through a temporary file that replaces `path` only when complete, so a
// failed write leaves the old file as it was. False with the platform's error text on failure.
// A page is written through a link to it; copies the program makes on its own (backups, preview
// copies) pass options that replace a link instead and take the page's permissions.
bool saveDocumentFile(const QString &path, const QString &text, const TextFormat &format,
                      QString *error, const AtomicFileWriter::Options &options = {});
// The options for such a copy of the page `documentName`.
AtomicFileWriter::Options copyOfPageOptions(const QString &documentName);

// What a page's file looked like on disk when it was read or last written, so that a change by
// another program can be noticed before it is overwritten.
struct FileStamp {
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const FileStamp &o) const {
        return exists == o.exists && size == o.size && modified == o.modified;
    }
    bool operator!=(const FileStamp &o) const { return !(*this == o); }
};
FileStamp fileStampOf(const QString &path);
// True when `path` is there and differs in size or modification time from `stamp`. A file that
// was never on disk, or has been deleted since, does not count: saving it makes a new file.
bool changedOnDisk(const QString &path, const FileStamp &stamp);

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
