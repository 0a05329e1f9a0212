// Reading the pictures a user names (the file panel's preview windows, the image dialog) under
// the rule for every file a user can name: a regular file of bounded size, opened without ever
// waiting on a pipe or reading a device.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Far above any picture meant for a page, far below what would exhaust the memory.
constexpr qint64 MaxPictureFileBytes = qint64(64) << 20;

// Decodes the whole picture, turned as its metadata says. A null image with the reason in
// `error` ("it is not a regular file ...") when it cannot be shown.
QImage readPictureFile(const QString &path, QString *error);
// The picture's size as its header gives it, without decoding the picture; invalid when the
// file cannot be read or says no size.
QSize pictureFileSize(const QString &path);
