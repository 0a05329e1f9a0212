// Whole-file reads that never hang, never take more memory than a bound, and always say what went
// wrong in words: pipes, devices and folders are refused before anything is read. Every file a
// user or a settings file can name is read through openRegularFile or readRegularFile; every
// file the program writes goes through AtomicFileWriter (atomicfilewriter.h).
#pragma once

#include <QByteArray>
#include <QString>

class QFile;
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
    QByteArray bytes; // the whole content when Ok (readRegularFile only)
    qint64 size = 0;  // the file's size on disk (also when TooLarge)
    QString error;    // the platform's text for Failed
    bool ok() const { return status == Status::Ok; }
};

// Reads `path` whole when it is a regular file (links followed) of at most `maxBytes`. A pipe,
// socket, device or folder is never opened for reading, so nothing can block.
FileRead readRegularFile(const QString &path, qint64 maxBytes);
// The same rule for a reader that wants the file itself: on Ok `file` is open for reading at
// its start and `size` is its size (nothing is read; `bytes` stays empty).
FileRead openRegularFile(QFile &file, const QString &path, qint64 maxBytes);
// The same rule for a file another library opens by its name: Ok when it is a regular file of at
// most `maxBytes` now (opened without waiting, looked at, and closed again).
FileRead checkRegularFile(const QString &path, qint64 maxBytes);
// Why a read was not Ok, in plain words: it does not exist, is not a regular file, is too large
// (with both sizes), or the system's reason.
QString readProblemReason(const FileRead &read, qint64 maxBytes);
// The same as a sentence naming `path`: "Cannot read "<path>": <reason>."
QString readProblemText(const FileRead &read, const QString &path, qint64 maxBytes);

// Whether anything at all carries the name `path`: a file, a folder, a pipe, or a link, even one
// that leads nowhere (which QFileInfo::exists does not count).
bool nameTaken(const QString &path);
