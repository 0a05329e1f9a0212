#include "shell/picturefile.h"

#include "shell/fileaccess.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// The file is opened by descriptor, so the reader cannot see its name: the suffix is handed
// over as a hint (formats without a signature, such as TGA, need it); the content still decides.
void hintFormat(QImageReader &reader, const QString &path) {
    reader.setFormat(QFileInfo(path).suffix().toLower().toLatin1());
}

} // namespace

QImage readPictureFile(const QString &path, QString *error) {
    QFile file;
    const FileRead opened = openRegularFile(file, path, MaxPictureFileBytes);
    if (!opened.ok()) {
        if (error)
            *error = readProblemReason(opened, MaxPictureFileBytes);
        return QImage();
    }
    QImageReader reader(&file);
    hintFormat(reader, path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

QSize pictureFileSize(const QString &path) {
    QFile file;
    if (!openRegularFile(file, path, MaxPictureFileBytes).ok())
        return QSize();
    QImageReader reader(&file);
    hintFormat(reader, path);
    return reader.size();
}
