#include "documents/documentfile.h"

#include "shell/appsettings.h"
#include "shell/atomicfilewriter.h"
#include "shell/fileaccess.h"

#include <QDir>
#include <QFileInfo>

bool readDocumentBytes(const QString &path, QByteArray *bytes, QString *error) {
    const QString shown = QDir::toNativeSeparators(path);
    DecodedText failed;
    FileRead read = readRegularFile(path, MaxDocumentBytes);
    switch (read.status) {
    case FileRead::Status::Ok:
        *bytes = std::move(read.bytes);
        return true;
    case FileRead::Status::Missing:
        // A name whose bytes are not valid UTF-8 reaches the program with U+FFFD in their place
        // and no longer names the file.
        if (path.contains(QChar::ReplacementCharacter))
            failed.error = QStringLiteral("The name \"%1\" cannot be represented: it is not valid "
                                          "UTF-8, so the file cannot be opened. Rename the file "
                                          "to open it.")
                               .arg(shown);
        else
            failed.error = QStringLiteral("\"%1\": The file does not exist.").arg(shown);
        break;
    case FileRead::Status::NotRegular:
        failed.error = QStringLiteral("\"%1\" is not a regular file, so it cannot be opened as a "
                                      "page.")
                           .arg(shown);
        break;
    case FileRead::Status::TooLarge:
        failed.error = QStringLiteral("\"%1\" is %2, too large to open here. Pages of up to %3 "
                                      "can be opened.")
                           .arg(shown, fileSizeText(read.size), fileSizeText(MaxDocumentBytes));
        break;
    case FileRead::Status::Failed:
        failed.error = QStringLiteral("Cannot read \"%1\": %2").arg(shown, read.error);
        break;
    }
    *error = failed.error;
    return false;
}

DecodedText loadDocumentFile(const QString &path) {
    QByteArray bytes;
    DecodedText failed;
    if (!readDocumentBytes(path, &bytes, &failed.error))
        return failed;
    return decodeDocument(bytes, QDir::toNativeSeparators(path));
}

bool saveDocumentFile(const QString &path, const QString &text, const TextFormat &format,
                      QString *error, const AtomicFileWriter::Options &options) {
    return writeFileAtomically(path, encodeDocument(text, format), error, options);
}

AtomicFileWriter::Options copyOfPageOptions(const QString &documentName) {
    AtomicFileWriter::Options options;
    options.links = AtomicFileWriter::Links::Replace;
    // A copy of a private page stays private.
    if (QFileInfo(documentName).isFile())
        options.permissionsOf = documentName;
    return options;
}

FileStamp fileStampOf(const QString &path) {
    const QFileInfo info(path);
    FileStamp stamp;
    stamp.exists = info.isFile();
    if (stamp.exists) {
        stamp.size = info.size();
        stamp.modified = info.lastModified();
    }
    return stamp;
}

bool changedOnDisk(const QString &path, const FileStamp &stamp) {
    if (!stamp.exists)
        return false;
    const FileStamp now = fileStampOf(path);
    return now.exists && (now.size != stamp.size || now.modified != stamp.modified);
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
    return writeFileAtomically(path, encodeDocument(unix, lf), error);
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
