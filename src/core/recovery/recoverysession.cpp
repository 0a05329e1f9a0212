#include "recovery/recoverysession.h"

#include "shell/atomicfilewriter.h"
#include "shell/fileaccess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString LockSuffix = QStringLiteral(".lock");
const QString JournalSuffix = QStringLiteral(".journal");

const QRegularExpression &sessionPattern() {
    static const QRegularExpression p(QStringLiteral("^[0-9]+-[0-9]+$"));
    return p;
}

// Opens (making it when `create`) and locks a lock file without waiting; -1 when another
// process holds it or it cannot be opened.
int takeLock(const QString &path, int *err, int extraFlags = 0) {
    const int flags = O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | extraFlags;
    const int fd = ::open(QFile::encodeName(path).constData(), flags, 0600);
    if (fd < 0) {
        *err = errno;
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        *err = errno;
        ::close(fd);
        return -1;
    }
    return fd;
}

bool makePrivateFolder(const QString &path, int *err) {
    if (!QDir().mkpath(path)) {
        *err = errno != 0 ? errno : EACCES;
        return false;
    }
    ::chmod(QFile::encodeName(path).constData(), 0700);
    return true;
}

int journalNumber(const QString &name) {
    return name.left(name.size() - JournalSuffix.size()).toInt();
}

} // namespace

QString defaultRecoveryDir() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // A relative path given as the base folder is ignored.
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Marlo/recovery");
}

// ---------------------------------------------------------------------------------------------

RecoverySession::RecoverySession(const QString &recoveryDir) : m_recoveryDir(recoveryDir) {
    int err = 0;
    if (!makePrivateFolder(recoveryDir, &err)) {
        m_error = systemErrorText(err);
        return;
    }
    // The lock comes first, made new: a folder is never seen without its lock.
    QString folder;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (int attempt = 0; attempt < 100 && m_lockFd < 0; ++attempt) {
        folder =
            QDir(recoveryDir).filePath(QStringLiteral("%1-%2").arg(::getpid()).arg(now + attempt));
        m_lockFd = takeLock(folder + LockSuffix, &err, O_EXCL);
        if (m_lockFd < 0 && err != EEXIST)
            break;
    }
    if (m_lockFd < 0 || !makePrivateFolder(folder, &err)) {
        m_error = systemErrorText(err);
        if (m_lockFd >= 0) {
            ::close(m_lockFd);
            m_lockFd = -1;
        }
        return;
    }
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    // The process number is only for people looking at the folder.
    const ssize_t written = ::write(m_lockFd, pid.constData(), size_t(pid.size()));
    Q_UNUSED(written);
    m_folder = folder;
}

RecoverySession::~RecoverySession() {
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString RecoverySession::newJournalName() {
    return QDir(m_folder).filePath(QString::number(++m_journals) + JournalSuffix);
}

void RecoverySession::finish() {
    if (m_lockFd < 0)
        return;
    removeStaleTemporaries(m_folder);
    QDir().rmdir(m_folder);
    QFile::remove(m_folder + LockSuffix);
    ::close(m_lockFd);
    m_lockFd = -1;
}

// ---------------------------------------------------------------------------------------------

LeftSession::LeftSession(const QString &folder, int lockFd) : m_folder(folder), m_lockFd(lockFd) {}

LeftSession::~LeftSession() {
    removeStaleTemporaries(m_folder);
    if (journals().isEmpty()) {
        // Only a folder that is empty goes; anything else in it stays.
        if (QDir().rmdir(m_folder) || !QFileInfo::exists(m_folder))
            QFile::remove(m_folder + LockSuffix);
    }
    ::close(m_lockFd);
}

QStringList LeftSession::journals() const {
    QDir dir(m_folder);
    QStringList names = dir.entryList({QStringLiteral("*") + JournalSuffix}, QDir::Files);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return journalNumber(a) < journalNumber(b);
    });
    QStringList paths;
    for (const QString &name : names)
        paths << dir.filePath(name);
    return paths;
}

std::vector<std::unique_ptr<LeftSession>> takeLeftSessions(const QString &recoveryDir) {
    std::vector<std::unique_ptr<LeftSession>> left;
    const QDir dir(recoveryDir);
    const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : folders) {
        if (!sessionPattern().match(name).hasMatch())
            continue;
        const QString folder = dir.filePath(name);
        int err = 0;
        const int fd = takeLock(folder + LockSuffix, &err);
        if (fd < 0)
            continue; // its run is still going (or the lock cannot be had at all)
        // The owner may have ended cleanly between the listing and the lock.
        if (!QFileInfo(folder).isDir()) {
            QFile::remove(folder + LockSuffix);
            ::close(fd);
            continue;
        }
        left.push_back(std::make_unique<LeftSession>(folder, fd));
    }
    return left;
}
