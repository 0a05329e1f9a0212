// Reading a page from disk as text, decoded with the editor's rule (UTF-8 when it is valid,
// Windows-1252 otherwise; files with NUL bytes are refused).
#pragma once

#include <QByteArray>
#include <QString>

namespace HtmlSource {

QString decode(const QByteArray &bytes);

// Reads and decodes a file; false with the platform's error text when it cannot be read.
bool readFile(const QString &fileName, QString &text, QString &error);

} // namespace HtmlSource
