#include "viewer/htmlsource.h"

#include "documents/textcodec.h"

#include <QFile>

namespace HtmlSource {

// The editor's decoding rule, so the viewer shows a file as the editor does.
QString decode(const QByteArray &bytes) {
    return decodeDocument(bytes).text;
}

bool readFile(const QString &fileName, QString &text, QString &error) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    const DecodedText decoded = decodeDocument(file.readAll());
    if (!decoded.ok) {
        error = decoded.error.isEmpty() ? binaryFileMessage(fileName) : decoded.error;
        return false;
    }
    text = decoded.text;
    return true;
}

} // namespace HtmlSource
