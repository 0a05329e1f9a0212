#include "shell/fileaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString systemErrorText(int errnum) {
    return QString::fromLocal8Bit(std::strerror(errnum));
}

QString fileErrorText(const QFileDevice &file, int errnum) {
    // Qt leaves "Unknown error" behind for short writes and a few other failures; the errno of
    // the call says what really happened, such as a full disk.
    QString text = file.error() == QFileDevice::NoError ? QString() : file.errorString();
    if (text.isEmpty() || text == QLatin1String("Unknown error"))
        text = errnum != 0 ? systemErrorText(errnum) : QStringLiteral("Unknown error");
    return text;
}

QString fileSizeText(qint64 bytes) {
    return QLocale::system().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

namespace {

FileRead failure(FileRead::Status status, qint64 size = 0, const QString &error = QString()) {
    FileRead r;
    r.status = status;
    r.size = size;
    r.error = error;
    return r;
}

#ifdef Q_OS_UNIX

// Opens without waiting (a pipe would block until a writer comes), then decides on what was
// opened, so a file swapped in between cannot slip through. On Ok *fd is open and blocking.
FileRead openUnix(const QString &path, qint64 maxBytes, int *fd) {
    *fd = -1;
    if (path.isEmpty())
        return failure(FileRead::Status::Missing);
    const QByteArray native = QFile::encodeName(path);
    const int opened = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (opened < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR)
            return failure(FileRead::Status::Missing);
        struct stat st;
        if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
            return failure(FileRead::Status::NotRegular);
        return failure(FileRead::Status::Failed, 0, systemErrorText(err));
    }
    struct stat st;
    if (::fstat(opened, &st) != 0) {
        const int err = errno;
        ::close(opened);
        return failure(FileRead::Status::Failed, 0, systemErrorText(err));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(opened);
        return failure(FileRead::Status::NotRegular);
    }
    if (qint64(st.st_size) > maxBytes) {
        ::close(opened);
        return failure(FileRead::Status::TooLarge, qint64(st.st_size));
    }
    const int flags = ::fcntl(opened, F_GETFL);
    if (flags >= 0)
        ::fcntl(opened, F_SETFL, flags & ~O_NONBLOCK);
    *fd = opened;
    FileRead r;
    r.status = FileRead::Status::Ok;
    r.size = qint64(st.st_size);
    return r;
}

FileRead readUnix(const QString &path, qint64 maxBytes) {
    int fd = -1;
    FileRead r = openUnix(path, maxBytes, &fd);
    if (!r.ok())
        return r;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    const qint64 size = r.size;
    r.status = FileRead::Status::Failed;
    try {
        // A file that grows while it is read is read up to the bound, one byte beyond telling.
        r.bytes.resize(qMin(size, maxBytes) + 1);
    } catch (const std::bad_alloc &) {
        return failure(FileRead::Status::Failed, size, systemErrorText(ENOMEM));
    }
    qint64 used = 0;
    for (;;) {
        if (used == r.bytes.size()) {
            if (used > maxBytes)
                return failure(FileRead::Status::TooLarge, used);
            try {
                r.bytes.resize(qMin(used * 2, maxBytes + 1));
            } catch (const std::bad_alloc &) {
                return failure(FileRead::Status::Failed, used, systemErrorText(ENOMEM));
            }
        }
        const ssize_t n = ::read(fd, r.bytes.data() + used, size_t(r.bytes.size() - used));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failure(FileRead::Status::Failed, size, systemErrorText(errno));
        if (n == 0)
            break;
        used += n;
    }
    r.bytes.truncate(used);
    r.status = FileRead::Status::Ok;
    return r;
}

#else

FileRead checkInfo(const QString &path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return failure(FileRead::Status::Missing);
    if (!info.isFile())
        return failure(FileRead::Status::NotRegular);
    if (info.size() > maxBytes)
        return failure(FileRead::Status::TooLarge, info.size());
    FileRead r;
    r.status = FileRead::Status::Ok;
    r.size = info.size();
    return r;
}

#endif

} // namespace

FileRead openRegularFile(QFile &file, const QString &path, qint64 maxBytes) {
#ifdef Q_OS_UNIX
    int fd = -1;
    FileRead r = openUnix(path, maxBytes, &fd);
    if (!r.ok())
        return r;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failure(FileRead::Status::Failed, r.size, file.errorString());
    }
    return r;
#else
    FileRead r = checkInfo(path, maxBytes);
    if (!r.ok())
        return r;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(FileRead::Status::Failed, r.size, file.errorString());
    return r;
#endif
}

FileRead checkRegularFile(const QString &path, qint64 maxBytes) {
#ifdef Q_OS_UNIX
    int fd = -1;
    FileRead r = openUnix(path, maxBytes, &fd);
    if (fd >= 0)
        ::close(fd);
    return r;
#else
    return checkInfo(path, maxBytes);
#endif
}

FileRead readRegularFile(const QString &path, qint64 maxBytes) {
    if (path.isEmpty())
        return failure(FileRead::Status::Missing);
#ifdef Q_OS_UNIX
    return readUnix(path, maxBytes);
#else
    QFile file;
    FileRead r = openRegularFile(file, path, maxBytes);
    if (!r.ok())
        return r;
    try {
        r.bytes = file.read(maxBytes + 1);
    } catch (const std::bad_alloc &) {
        return failure(FileRead::Status::Failed, r.size, systemErrorText(ENOMEM));
    }
    if (file.error() != QFileDevice::NoError)
        return failure(FileRead::Status::Failed, r.size, file.errorString());
    if (r.bytes.size() > maxBytes)
        return failure(FileRead::Status::TooLarge, r.bytes.size());
    return r;
#endif
}

QString readProblemReason(const FileRead &read, qint64 maxBytes) {
    switch (read.status) {
    case FileRead::Status::Ok:
        break;
    case FileRead::Status::Missing:
        return systemErrorText(ENOENT);
    case FileRead::Status::NotRegular:
        return QStringLiteral("it is not a regular file (it is a folder, a pipe or a device)");
    case FileRead::Status::TooLarge:
        return QStringLiteral("it is %1, more than the %2 that can be read")
            .arg(fileSizeText(read.size), fileSizeText(maxBytes));
    case FileRead::Status::Failed:
        return read.error;
    }
    return QString();
}

QString readProblemText(const FileRead &read, const QString &path, qint64 maxBytes) {
    return QStringLiteral("Cannot read \"%1\": %2.")
        .arg(QDir::toNativeSeparators(path), readProblemReason(read, maxBytes));
}

bool nameTaken(const QString &path) {
    if (path.isEmpty())
        return false;
#ifdef Q_OS_UNIX
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
#else
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
#endif
}
