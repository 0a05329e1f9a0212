#include "viewer/localfile.h"

#include <QFileInfo>
#include <QLocale>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace LocalFile {

namespace {

QString sizeText(qint64 bytes) {
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

bool fail(QString *error, const QString &message) {
    if (error)
        *error = message;
    return false;
}

} // namespace

QString missingMessage(const QString &path) {
    return QStringLiteral("Can't locate file: ") + path;
}

QString notRegularMessage(const QString &path) {
    return QStringLiteral("\"%1\" is not a regular file.").arg(path);
}

QString tooLargeMessage(const QString &path, qint64 size, qint64 maxBytes) {
    return QStringLiteral("\"%1\" is too large to show (%2; at most %3 can be shown).")
        .arg(path, sizeText(size), sizeText(maxBytes));
}

bool open(QFile &file, const QString &path, qint64 maxBytes, QString *error) {
    // The first look follows links and opens nothing, so a pipe or a device is never touched.
    const QFileInfo info(path);
    if (!info.exists())
        return fail(error, missingMessage(path));
    if (!info.isFile())
        return fail(error, notRegularMessage(path));
    if (info.size() > maxBytes)
        return fail(error, tooLargeMessage(path, info.size(), maxBytes));
#ifdef Q_OS_UNIX
    // The name may have been replaced since: open without waiting and look again at what was
    // opened before reading from it.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        return fail(error, QStringLiteral("Cannot open \"%1\": %2").arg(path, reason));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(error, notRegularMessage(path));
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        return fail(error, tooLargeMessage(path, st.st_size, maxBytes));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(error, QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString()));
    }
    return true;
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString()));
    return true;
#endif
}

bool read(const QString &path, qint64 maxBytes, QByteArray &bytes, QString *error) {
    QFile file;
    if (!open(file, path, maxBytes, error))
        return false;
    // The file may still grow while it is read: never take more than the bound.
    QByteArray data;
    constexpr qint64 Chunk = qint64(1) << 20;
    for (;;) {
        const QByteArray part = file.read(qMin(Chunk, maxBytes + 1 - data.size()));
        if (part.isEmpty())
            break;
        data += part;
        if (data.size() > maxBytes)
            return fail(error, tooLargeMessage(path, qMax(QFileInfo(path).size(), qint64(data.size())),
                                               maxBytes));
    }
    if (file.error() != QFileDevice::NoError)
        return fail(error, QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    bytes = data;
    return true;
}

} // namespace LocalFile
