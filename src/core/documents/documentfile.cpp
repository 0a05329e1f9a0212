#include "documents/documentfile.h"

#include "shell/appsettings.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

bool writeWhole(const QString &path, const QByteArray &bytes, QString *error) {
    // Unbuffered, so that a write cut short (a full disk, a size limit) shows in its count:
    // buffered, the short write is lost in the flush and commit() would replace the old file
    // with the truncated new one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace

DecodedText loadDocumentFile(const QString &path) {
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DecodedText failed;
        failed.error = QStringLiteral("Cannot open \"%1\": %2").arg(shown, file.errorString());
        return failed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        DecodedText failed;
        failed.error = QStringLiteral("Cannot read \"%1\": %2").arg(shown, file.errorString());
        return failed;
    }
    DecodedText decoded = decodeDocument(bytes);
    if (!decoded.ok && bytes.contains('\0'))
        decoded.error = binaryFileMessage(shown);
    else if (!decoded.ok)
        decoded.error = QStringLiteral("\"%1\": %2").arg(shown, decoded.error);
    return decoded;
}

bool saveDocumentFile(const QString &path, const QString &text, const TextFormat &format,
                      QString *error) {
    return writeWhole(path, encodeDocument(text, format), error);
}

bool exportUnixFile(const QString &path, const QString &text, const TextFormat &format,
                    QString *error) {
    QString unix = text;
    const qsizetype nul = unix.indexOf(QChar(0));
    if (nul >= 0)
        unix.truncate(nul);
    unix.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    TextFormat lf = format;
    lf.crlf = false;
    return writeWhole(path, encodeDocument(unix, lf), error);
}

QString backupFileName(const QString &documentName) {
    const qsizetype slash = qMax(documentName.lastIndexOf(QLatin1Char('/')),
                                 documentName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = documentName.lastIndexOf(QLatin1Char('.'));
    const QString bak = QStringLiteral(".bak");
    // A leading dot names a hidden file, not an extension.
    if (dot <= slash + 1)
        return documentName + bak;
    if (documentName.mid(dot).compare(bak, Qt::CaseInsensitive) == 0)
        return documentName + bak;
    return documentName.left(dot) + bak;
}

void updateRecentFiles(std::array<QString, AppSettings::RecentFileCount> &last, const QString &name) {
    if (name.isEmpty() || name == MarkerEmpty || last[0] == name)
        return;
    int from = int(last.size()) - 1; // a new name pushes the oldest out
    for (int i = 1; i < int(last.size()); ++i)
        if (last[i] == name) {
            from = i;
            break;
        }
    for (int i = from; i > 0; --i)
        last[i] = last[i - 1];
    last[0] = name;
}
