// Whole-file reads and writes that never hang, never take more memory than a bound, and always
// say what went wrong in words: pipes, devices and folders are refused before anything is read,
// and a write that fails leaves the old file as it was. Every file a user or a settings file can
// name is read through openRegularFile or readRegularFile, and every file the program writes goes
// through AtomicFileWriter.
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

// Writes a file so that its name shows either the old content or the whole new one, never a
// part: the bytes go to a temporary file beside the target, unbuffered with every count checked,
// are synced, and the temporary is then renamed over the name. A failed or cancelled write
// removes the temporary and leaves the old file as it was. The temporaries are named
// "<name>.marlo-<process>-<random>.tmp", so one left by a killed run is recognised (see
// removeStaleTemporaries).
class AtomicFileWriter {
public:
    enum class Links {
        Follow,  // a link's target is replaced (a page the user opened through a link)
        Replace, // a link at the name is replaced by the new file, never written through
    };
    struct Options {
        Links links = Links::Follow;
        // The file whose permissions the new file takes; empty: those of the file replaced, or
        // the usual ones for a new file.
        QString permissionsOf;
    };

    explicit AtomicFileWriter(const QString &path);
    AtomicFileWriter(const QString &path, const Options &options);
    ~AtomicFileWriter(); // an uncommitted write is cancelled
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    bool open();
    bool write(const char *data, qint64 size);
    bool write(const QByteArray &bytes) { return write(bytes.constData(), bytes.size()); }
    // Syncs and renames; false (with the reason) when any step failed, the old file then stays.
    bool commit();
    void cancel();
    qint64 written() const { return m_written; }
    // The platform's text for the failure ("No space left on device"), and its errno.
    QString errorString() const { return m_error; }
    int errorNumber() const { return m_errno; }

private:
    bool fail(int errnum, const QString &text = QString());

    QString m_path;
    Options m_options;
    QString m_target;    // the name that is replaced at commit
    QString m_temporary; // empty while no temporary exists
    int m_fd = -1;
    qint64 m_written = 0;
    int m_errno = 0;
    QString m_error;
};

// Writes `bytes` to `path` with an AtomicFileWriter. False with the platform's error text in
// `error` on failure; the old file is then untouched.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error,
                         const AtomicFileWriter::Options &options = {});

// Whether `fileName` is the name of one of the writer's temporaries.
bool isWriterTemporaryName(const QString &fileName);
// Removes from `folder` the writer's temporaries that no write is using any more: those of this
// process that are not open, and those of processes that have ended (a kill during a save or a
// replace). Only regular files of this user are touched. Returns how many were removed.
int removeStaleTemporaries(const QString &folder);

// Renames `from` to `to` unless something already carries the name `to` (checked and renamed in
// one step where the file system allows). False with errno's text in `error` otherwise (EEXIST
// when the name is taken, EXDEV when the two lie on different file systems).
bool renameWithoutReplacing(const QString &from, const QString &to, int *errnum);

// From the start of the program on, a write beyond the file-size limit (ulimit -f) fails with
// "File too large" and is reported like a full disk, instead of ending the process with SIGXFSZ
// and losing every unsaved page.
void ignoreFileSizeSignal();
