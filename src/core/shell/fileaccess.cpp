#include "shell/fileaccess.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
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

FileRead readUnix(const QString &path, qint64 maxBytes) {
    const QByteArray native = QFile::encodeName(path);
    // Open without waiting (a pipe would block until a writer comes), then decide on what was
    // opened, so a file swapped in between cannot slip through.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR)
            return failure(FileRead::Status::Missing);
        struct stat st;
        if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
            return failure(FileRead::Status::NotRegular);
        return failure(FileRead::Status::Failed, 0, systemErrorText(err));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return failure(FileRead::Status::Failed, 0, systemErrorText(errno));
    if (!S_ISREG(st.st_mode))
        return failure(FileRead::Status::NotRegular);
    const qint64 size = qint64(st.st_size);
    if (size > maxBytes)
        return failure(FileRead::Status::TooLarge, size);

    FileRead r;
    r.size = size;
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

#endif

} // namespace

FileRead readRegularFile(const QString &path, qint64 maxBytes) {
    if (path.isEmpty())
        return failure(FileRead::Status::Missing);
#ifdef Q_OS_UNIX
    return readUnix(path, maxBytes);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return failure(FileRead::Status::Missing);
    if (!info.isFile())
        return failure(FileRead::Status::NotRegular);
    if (info.size() > maxBytes)
        return failure(FileRead::Status::TooLarge, info.size());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(FileRead::Status::Failed, info.size(), file.errorString());
    FileRead r;
    r.size = info.size();
    try {
        r.bytes = file.read(maxBytes + 1);
    } catch (const std::bad_alloc &) {
        return failure(FileRead::Status::Failed, r.size, systemErrorText(ENOMEM));
    }
    if (file.error() != QFileDevice::NoError)
        return failure(FileRead::Status::Failed, r.size, file.errorString());
    if (r.bytes.size() > maxBytes)
        return failure(FileRead::Status::TooLarge, r.bytes.size());
    r.status = FileRead::Status::Ok;
    return r;
#endif
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error) {
    auto fail = [error](const QFileDevice &file, int err) {
        if (error)
            *error = fileErrorText(file, err);
        return false;
    };
    QSaveFile file(path);
    // Unbuffered: a buffered save flushes inside commit(), where a full disk went unnoticed and
    // an empty file replaced the old one.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file, errno);
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        errno = 0;
        const qint64 n = file.write(data, left);
        if (n <= 0) {
            const int err = errno;
            fail(file, err);
            file.cancelWriting();
            return false;
        }
        data += n;
        left -= n;
    }
    errno = 0;
    if (!file.commit())
        return fail(file, errno);
    return true;
}
