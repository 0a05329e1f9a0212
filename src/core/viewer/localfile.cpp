#include "viewer/localfile.h"

#include "shell/fileaccess.h"

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
    const FileRead r = openRegularFile(file, path, maxBytes);
    switch (r.status) {
    case FileRead::Status::Ok:
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
    return fail(error, QStringLiteral("Cannot open \"%1\": %2").arg(path, r.error));
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
