// Reading a page from disk as text, decoded with the editor's rule (UTF-8 when it is valid,
// Windows-1252 otherwise; files with NUL bytes are refused).
#pragma once

#include "viewer/localfile.h"

#include <QByteArray>
#include <QString>

namespace HtmlSource {

QString decode(const QByteArray &bytes);

// Reads and decodes a file; false with a message when it cannot be read, is not a regular file
// or is larger than maxBytes.
bool readFile(const QString &fileName, QString &text, QString &error,
              qint64 maxBytes = LocalFile::MaxPageBytes);

} // namespace HtmlSource
