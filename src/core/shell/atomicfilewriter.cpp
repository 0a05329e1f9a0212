#include "shell/atomicfilewriter.h"

#include "shell/fileaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString TemporaryMark = QStringLiteral(".marlo-");
const QString TemporaryEnd = QStringLiteral(".tmp");

const QRegularExpression &temporaryPattern() {
    static const QRegularExpression re(QStringLiteral("\\.marlo-(\\d+)-[A-Za-z0-9]{6}\\.tmp$"));
    return re;
}

// The temporaries this process is writing now, by absolute name: stale-temporary removal must
// not take them away from under a write on another thread.
QMutex &inFlightMutex() {
    static QMutex m;
    return m;
}
QSet<QString> &inFlight() {
    static QSet<QString> names;
    return names;
}

QString absoluteName(const QString &path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

#ifdef Q_OS_UNIX

// The name a write through links ends at: each link's target in turn, relative ones taken from
// the link's folder. A loop stops after 40 steps and the open then reports it.
QString followLinks(const QString &path) {
    QString current = path;
    for (int step = 0; step < 40; ++step) {
        const QByteArray native = QFile::encodeName(current);
        struct stat st;
        if (::lstat(native.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        QByteArray target(4096, Qt::Uninitialized);
        const ssize_t n = ::readlink(native.constData(), target.data(), size_t(target.size()));
        if (n <= 0 || n >= target.size())
            return current;
        target.truncate(n);
        const QString next = QFile::decodeName(target);
        current = QDir::isAbsolutePath(next) ? next
                                             : QFileInfo(current).absoluteDir().filePath(next);
    }
    return current;
}

#endif

QString randomLetters(int count) {
    static const char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    for (int i = 0; i < count; ++i)
        s += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof(Letters) - 1))]);
    return s;
}

// "<name>.marlo-<pid>-<random>.tmp" beside `target`, the name shortened so the whole stays
// within the 255 bytes a file name may have.
QString temporaryNameFor(const QString &target, qint64 pid) {
    const QFileInfo info(target);
    const QString suffix =
        TemporaryMark + QString::number(pid) + QLatin1Char('-') + randomLetters(6) + TemporaryEnd;
    QString base = info.fileName();
    while (!base.isEmpty() && QFile::encodeName(base + suffix).size() > 255)
        base.chop(1);
    return info.dir().filePath(base + suffix);
}

// Why a file could not be written when its folder refused the temporary: the file itself may
// well be writable, so "Permission denied" alone would send the user looking at the wrong thing.
QString folderRefusedText(int errnum, const QString &target, bool targetExists) {
    const QString folder = QDir::toNativeSeparators(QFileInfo(target).absolutePath());
    QString text = systemErrorText(errnum) +
                   QStringLiteral(": the folder \"%1\" does not let you create files").arg(folder);
    if (targetExists)
        text += QStringLiteral(", and a file is written as a new copy in its folder that then "
                               "takes its place");
    return text;
}

// The folder a file was to be written in is gone (or was never there, or is a file).
QString folderMissingText(int errnum, const QString &target) {
    return systemErrorText(errnum) +
           QStringLiteral(": the folder \"%1\" is not there")
               .arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath()));
}

} // namespace

bool isWriterTemporaryName(const QString &fileName) {
    return temporaryPattern().match(fileName).hasMatch();
}

#ifdef Q_OS_UNIX

AtomicFileWriter::AtomicFileWriter(const QString &path) : AtomicFileWriter(path, Options()) {}

AtomicFileWriter::AtomicFileWriter(const QString &path, const Options &options)
    : m_path(path), m_options(options) {}

AtomicFileWriter::~AtomicFileWriter() { cancel(); }

bool AtomicFileWriter::fail(int errnum, const QString &text) {
    m_errno = errnum;
    m_error = text.isEmpty() ? systemErrorText(errnum) : text;
    return false;
}

bool AtomicFileWriter::open() {
    cancel();
    m_written = 0;
    m_errno = 0;
    m_error.clear();
    if (m_path.isEmpty())
        return fail(ENOENT);
    m_target = m_options.links == Links::Follow ? followLinks(m_path) : m_path;
    const QByteArray target = QFile::encodeName(m_target);

    int mode = -1; // the permissions the new file takes; -1: those a new file gets
    bool keepOwner = false; // the owner and group of the file replaced
    uid_t owner = uid_t(-1);
    gid_t group = gid_t(-1);
    struct stat st;
    const bool replacing = ::lstat(target.constData(), &st) == 0;
    if (replacing) {
        if (S_ISDIR(st.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
            return fail(EINVAL, QStringLiteral("it is not a regular file"));
        if (S_ISREG(st.st_mode)) {
            // A file the user may not write is not replaced behind its back.
            if (::access(target.constData(), W_OK) != 0) {
                const int err = errno;
                if (err == EACCES)
                    return fail(err, systemErrorText(err) +
                                         QStringLiteral(": the file is read-only"));
                return fail(err);
            }
            mode = int(st.st_mode & 07777);
            keepOwner = true;
            owner = st.st_uid;
            group = st.st_gid;
        }
    }
    if (!m_options.permissionsOf.isEmpty() &&
        ::stat(QFile::encodeName(m_options.permissionsOf).constData(), &st) == 0)
        mode = int(st.st_mode & 07777);

    const qint64 pid = qint64(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString temporary = temporaryNameFor(m_target, pid);
        // Exclusive, and never through a link: the temporary is always a new file of ours.
        const int fd = ::open(QFile::encodeName(temporary).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            const int err = errno;
            if (err == EACCES || err == EPERM)
                return fail(err, folderRefusedText(err, m_target, replacing));
            if (err == ENOENT || err == ENOTDIR)
                return fail(err, folderMissingText(err, m_target));
            return fail(err);
        }
        m_fd = fd;
        m_temporary = temporary;
        {
            QMutexLocker lock(&inFlightMutex());
            inFlight().insert(absoluteName(temporary));
        }
        if (keepOwner) {
            // The new file keeps the replaced one's group (so that a page shared through its
            // group stays writable for the others) where the user may give it, being a member,
            // and its owner where the user may (root). Before the modes: a change of owner
            // clears the set-id bits.
            const uid_t newOwner = ::geteuid() == 0 ? owner : uid_t(-1);
            if (::fchown(fd, newOwner, group) != 0 && newOwner != uid_t(-1))
                (void)::fchown(fd, uid_t(-1), group);
        }
        if (mode >= 0)
            ::fchmod(fd, mode_t(mode)); // a file system without modes keeps its own
        return true;
    }
    return fail(EEXIST);
}

bool AtomicFileWriter::write(const char *data, qint64 size) {
    if (m_fd < 0)
        return m_errno != 0 ? false : fail(EBADF);
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, size_t(qMin<qint64>(size, qint64(1) << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            cancel();
            return fail(err);
        }
        data += n;
        size -= n;
        m_written += n;
    }
    return true;
}

namespace {
// The new name lives in the folder's entries: until they are on the disk too, a crash soon after
// the save can bring back the old file under the name. The data are safe either way, so a folder
// that cannot be synced (some network and FUSE file systems) does not fail the save.
void syncFolderOf(const QString &file) {
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
} // namespace

bool AtomicFileWriter::commit() {
    if (m_fd < 0)
        return m_errno != 0 ? false : fail(EBADF);
    // The data must be on the disk before the name points at it, or a crash right after the
    // rename could leave an empty file under the name.
    if (::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP) {
        const int err = errno;
        cancel();
        return fail(err);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        const int err = errno;
        cancel();
        return fail(err);
    }
    if (::rename(QFile::encodeName(m_temporary).constData(),
                 QFile::encodeName(m_target).constData()) != 0) {
        const int err = errno;
        cancel();
        return fail(err);
    }
    QMutexLocker lock(&inFlightMutex());
    inFlight().remove(absoluteName(m_temporary));
    m_temporary.clear();
    lock.unlock();
    syncFolderOf(m_target);
    return true;
}

void AtomicFileWriter::cancel() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(QFile::encodeName(m_temporary).constData());
        QMutexLocker lock(&inFlightMutex());
        inFlight().remove(absoluteName(m_temporary));
        m_temporary.clear();
    }
}

int removeStaleTemporaries(const QString &folder) {
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const qint64 self = qint64(::getpid());
    int removed = 0;
    for (const QString &name : names) {
        const QRegularExpressionMatch m = temporaryPattern().match(name);
        if (!m.hasMatch())
            continue;
        const QString full = absoluteName(dir.absoluteFilePath(name));
        const QByteArray native = QFile::encodeName(full);
        struct stat st;
        if (::lstat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        bool ok = false;
        const qint64 pid = m.captured(1).toLongLong(&ok);
        if (!ok || pid <= 0 || pid > std::numeric_limits<pid_t>::max())
            continue;
        if (pid == self) {
            QMutexLocker lock(&inFlightMutex());
            if (inFlight().contains(full))
                continue;
        } else if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH) {
            continue; // its writer may still be at work
        }
        if (::unlink(native.constData()) == 0)
            ++removed;
    }
    return removed;
}

bool renameWithoutReplacing(const QString &from, const QString &to, int *errnum) {
    const QByteArray f = QFile::encodeName(from);
    const QByteArray t = QFile::encodeName(to);
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) {
        *errnum = errno;
        return false;
    }
#endif
    // The file system cannot do both in one step: look, then rename.
    if (nameTaken(to)) {
        *errnum = EEXIST;
        return false;
    }
    if (::rename(f.constData(), t.constData()) == 0)
        return true;
    *errnum = errno;
    return false;
}

#else
#error "The file writer needs a POSIX system (exclusive create, fsync, rename over a name)."
#endif // Q_OS_UNIX

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error,
                         const AtomicFileWriter::Options &options) {
    AtomicFileWriter writer(path, options);
    if (writer.open() && writer.write(bytes) && writer.commit())
        return true;
    if (error)
        *error = writer.errorString();
    return false;
}

void ignoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
