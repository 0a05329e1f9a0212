#include "viewer/htmlsource.h"

#include "viewer/htmltables.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// Stands in for the documents subsystem's decoder until it is available to this library;
// HtmlSource::decode is the one place that calls it.
QString decodeLikeTheEditor(const QByteArray &bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QString latin;
    latin.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        latin[i] = QChar(HtmlTables::windows1252(uchar(bytes[i])));
    return latin;
}

} // namespace

namespace HtmlSource {

QString decode(const QByteArray &bytes) {
    return decodeLikeTheEditor(bytes);
}

bool readFile(const QString &fileName, QString &text, QString &error) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    text = decode(file.readAll());
    return true;
}

} // namespace HtmlSource
