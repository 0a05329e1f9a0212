#include "documents/textcodec.h"

#include "text/plaintext.h"
#include "text/windows1252.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

bool isAscii(const QByteArray &bytes) {
    for (char b : bytes)
        if (uchar(b) >= 0x80)
            return false;
    return true;
}

// A legacy page announces itself with <meta ... charset=iso-8859-1> (or windows-1252).
bool declaresLegacyCharset(const QByteArray &bytes) {
    static const QRegularExpression re(
        QStringLiteral("<meta\\b[^>]*charset\\s*=\\s*[\"']?\\s*"
                       "(iso[-_]?8859[-_]1|windows-1252|cp-?1252|latin-?1)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return re.match(QString::fromLatin1(bytes.left(4096))).hasMatch();
}

bool decodeUtf8Strictly(QByteArrayView bytes, QString *out) {
    if (!bytes.isValidUtf8())
        return false; // quick answer for legacy pages; the decoder below has the last word
    // The caller has taken off a leading BOM; a second one is text and must stay.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    *out = std::move(text);
    return true;
}

QString lfToCrlf(const QString &in) {
    const qsizetype lines = in.count(QLatin1Char('\n'));
    if (lines == 0)
        return in;
    QString out(in.size() + lines, Qt::Uninitialized);
    QChar *d = out.data();
    for (QChar c : in) {
        if (c == QLatin1Char('\n'))
            *d++ = QLatin1Char('\r');
        *d++ = c;
    }
    return out;
}

} // namespace

QString binaryFileMessage(const QString &fileName) {
    const QString who =
        fileName.isEmpty() ? QStringLiteral("The file") : QStringLiteral("\"%1\"").arg(fileName);
    return QStringLiteral("%1 contains NUL bytes, so it is a binary file and not a text file. "
                          "Only text files (HTML pages, style sheets, scripts) can be edited.")
        .arg(who);
}

DecodedText decodeDocument(const QByteArray &bytes) {
    DecodedText result;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        result.error = QStringLiteral("The file is encoded in UTF-16 or UTF-32, which cannot be "
                                      "edited here. Save it as UTF-8 in another program first.");
        return result;
    }
    if (bytes.contains('\0')) {
        result.error = binaryFileMessage(QString());
        return result;
    }

    QString text;
    TextFormat &format = result.format;
    if (bytes.startsWith("\xEF\xBB\xBF") &&
        decodeUtf8Strictly(QByteArrayView(bytes).sliced(3), &text)) {
        format.encoding = TextFormat::Encoding::Utf8;
        format.bom = true;
    } else if (isAscii(bytes)) {
        format.encoding = declaresLegacyCharset(bytes) ? TextFormat::Encoding::Windows1252
                                                       : TextFormat::Encoding::Utf8;
        text = QString::fromLatin1(bytes);
    } else if (decodeUtf8Strictly(bytes, &text)) {
        format.encoding = TextFormat::Encoding::Utf8;
    } else {
        format.encoding = TextFormat::Encoding::Windows1252;
        text = decodeWindows1252(bytes);
    }

    // The editor holds "\n" line breaks only; the style that most lines use is what a save
    // writes back, so a file with one style throughout round-trips byte for byte.
    qsizetype pairs = 0;
    qsizetype bareLf = 0;
    qsizetype bareCr = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\n')
            ++(i > 0 && bytes.at(i - 1) == '\r' ? pairs : bareLf);
        else if (c == '\r' && (i + 1 == bytes.size() || bytes.at(i + 1) != '\n'))
            ++bareCr;
    }
    format.crlf = pairs > bareLf + bareCr;
    if (pairs > 0 || bareCr > 0)
        text = plainLineBreaks(text);
    result.mixedLineEnds = int(pairs > 0) + int(bareLf > 0) + int(bareCr > 0) > 1;
    result.text = std::move(text);
    result.ok = true;
    return result;
}

QByteArray encodeDocument(const QString &text, const TextFormat &format) {
    const QString lines = format.crlf ? lfToCrlf(text) : text;
    if (format.encoding == TextFormat::Encoding::Windows1252)
        return encodeWindows1252(lines);
    QByteArray out = lines.toUtf8();
    if (format.bom)
        out.prepend("\xEF\xBB\xBF");
    return out;
}
