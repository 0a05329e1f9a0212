#include "viewer/localfile.h"

#include "shell/fileaccess.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace LocalFile {

namespace {

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
        .arg(path, fileSizeText(size), fileSizeText(maxBytes));
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
    FileRead r = readRegularFile(path, maxBytes);
    switch (r.status) {
    case FileRead::Status::Ok:
        bytes = std::move(r.bytes);
        return true;
    case FileRead::Status::Missing:
        return fail(error, missingMessage(path));
    case FileRead::Status::NotRegular:
        return fail(error, notRegularMessage(path));
    case FileRead::Status::TooLarge:
        return fail(error, tooLargeMessage(path, r.size, maxBytes));
    case FileRead::Status::Failed:
        break;
    }
    return fail(error, QStringLiteral("Cannot read \"%1\": %2").arg(path, r.error));
}

} // namespace LocalFile
