// Writing a file so that a failure never leaves a part of it: every file the program writes goes
// through AtomicFileWriter. Also the clean-up of the writer's temporaries left by a killed run,
// a rename that never replaces, and the file-size signal.
#pragma once

#include <QByteArray>
#include <QString>

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
