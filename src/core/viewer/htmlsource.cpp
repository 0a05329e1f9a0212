#include "viewer/htmlsource.h"

#include "documents/textcodec.h"

namespace HtmlSource {

// The editor's decoding rule, so the viewer shows a file as the editor does.
QString decode(const QByteArray &bytes) {
    return decodeDocument(bytes).text;
}

bool readFile(const QString &fileName, QString &text, QString &error, qint64 maxBytes) {
    QByteArray bytes;
    if (!LocalFile::read(fileName, maxBytes, bytes, &error))
        return false;
    const DecodedText decoded = decodeDocument(bytes);
    if (!decoded.ok) {
        error = decoded.error.isEmpty() ? binaryFileMessage(fileName) : decoded.error;
        return false;
    }
    text = decoded.text;
    return true;
}

} // namespace HtmlSource
