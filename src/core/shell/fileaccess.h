// Whole-file reads and writes that never hang, never take more memory than a bound, and always
// say what went wrong in words: pipes, devices and folders are refused before anything is read,
// and a write that fails leaves the old file as it was.
#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// The system's own text for an errno value ("No space left on device").
QString systemErrorText(int errnum);
// What to tell the user after `file` failed: Qt's text when it has one, otherwise the system's
// text for `errnum` (the errno saved right after the failing call).
QString fileErrorText(const QFileDevice &file, int errnum);

// A file size for messages, such as "40.0 GB".
QString fileSizeText(qint64 bytes);

struct FileRead {
    enum class Status { Ok, Missing, NotRegular, TooLarge, Failed };
    Status status = Status::Failed;
    QByteArray bytes; // the whole content when Ok
    qint64 size = 0;  // the file's size on disk (also when TooLarge)
    QString error;    // the platform's text for Failed
    bool ok() const { return status == Status::Ok; }
};

// Reads `path` whole when it is a regular file (links followed) of at most `maxBytes`. A pipe,
// socket, device or folder is never opened for reading, so nothing can block.
FileRead readRegularFile(const QString &path, qint64 maxBytes);

// Writes `bytes` to `path` through a temporary file that replaces it only when complete. False
// with the platform's error text in `error` on failure; the old file is then untouched.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error);
