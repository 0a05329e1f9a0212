// Opening the pages and pictures the viewer shows: only regular files (after following links)
// of a bounded size, opened so that a named pipe or a device can never hold the program in
// open() or in a read that does not end.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace LocalFile {

// Far above any hand-written page or web picture, far below what the viewer cannot hold.
constexpr qint64 MaxPageBytes = qint64(64) << 20;
constexpr qint64 MaxPictureBytes = qint64(64) << 20;

// Opens a regular file of at most maxBytes for reading. False, with a message naming the file
// in *error, when it is missing, not a regular file, too large or unreadable.
bool open(QFile &file, const QString &path, qint64 maxBytes, QString *error);

// Reads the whole of such a file (through the program's one bounded, never-blocking reader).
bool read(const QString &path, qint64 maxBytes, QByteArray &bytes, QString *error);

QString missingMessage(const QString &path);
QString notRegularMessage(const QString &path);
QString tooLargeMessage(const QString &path, qint64 size, qint64 maxBytes);

} // namespace LocalFile
