// Reading a page from disk as text: the bytes are decoded with the editor's rule (UTF-8 when
// it is valid or has a byte-order mark, Windows-1252 otherwise).
#pragma once

#include <QByteArray>
#include <QString>

namespace HtmlSource {

QString decode(const QByteArray &bytes);

// Reads and decodes a file; false with the platform's error text when it cannot be read.
bool readFile(const QString &fileName, QString &text, QString &error);

} // namespace HtmlSource
