#include "documents/textcodec.h"

#include "text/plaintext.h"
#include "text/windows1252.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

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

// A CR before every LF, widening the bytes in place from the back. For UTF-8 and Windows-1252
// only, where the byte 0x0A is never part of another character.
void crlfInPlace(QByteArray &bytes) {
    const qsizetype lines = bytes.count('\n');
    if (lines == 0)
        return;
    qsizetype end = bytes.size();
    bytes.resize(end + lines);
    char *d = bytes.data();
    qsizetype write = bytes.size();
    while (true) {
        const void *lf = end > 0 ? memrchr(d, '\n', size_t(end)) : nullptr;
        const qsizetype from = lf ? static_cast<const char *>(lf) - d + 1 : 0;
        write -= end - from;
        std::memmove(d + write, d + from, size_t(end - from));
        if (!lf)
            break;
        d[--write] = '\n';
        d[--write] = '\r';
        end = from - 1; // where the LF stood
    }
}

} // namespace

namespace {

QString whoIs(const QString &fileName) {
    return fileName.isEmpty() ? QStringLiteral("The file") : QStringLiteral("\"%1\"").arg(fileName);
}

// UTF-16 without a byte-order mark shows as NUL bytes in every other place: the markup's ASCII
// characters have a zero high byte. Checked on the first 4 KB.
bool looksLikeUtf16(const QByteArray &bytes) {
    const qsizetype n = qMin<qsizetype>(bytes.size(), 4096) & ~qsizetype(1);
    if (n < 2)
        return false;
    qsizetype zeroEven = 0;
    qsizetype zeroOdd = 0;
    for (qsizetype i = 0; i < n; i += 2) {
        zeroEven += bytes.at(i) == '\0';
        zeroOdd += bytes.at(i + 1) == '\0';
    }
    const qsizetype units = n / 2;
    auto mostly = [units](qsizetype zeros) { return zeros * 10 >= units * 6; };
    auto rarely = [units](qsizetype zeros) { return zeros * 10 < units; };
    return (mostly(zeroOdd) && rarely(zeroEven)) || (mostly(zeroEven) && rarely(zeroOdd));
}

// UTF-32 of markup has three NUL bytes in every four, at fixed places. Checked on the first 4 KB.
bool looksLikeUtf32(const QByteArray &bytes) {
    const qsizetype n = qMin<qsizetype>(bytes.size(), 4096) & ~qsizetype(3);
    if (n < 4)
        return false;
    qsizetype little = 0, big = 0;
    for (qsizetype i = 0; i < n; i += 4) {
        const bool highZero = bytes.at(i + 2) == '\0' && bytes.at(i + 3) == '\0';
        const bool lowZero = bytes.at(i) == '\0' && bytes.at(i + 1) == '\0';
        little += highZero && bytes.at(i + 1) == '\0';
        big += lowZero && bytes.at(i + 2) == '\0';
    }
    const qsizetype units = n / 4;
    return little * 10 >= units * 9 || big * 10 >= units * 9;
}

QString utf32Message(const QString &fileName) {
    return QStringLiteral("%1 is encoded in UTF-32, which cannot be edited here. Save it as UTF-8 "
                          "or UTF-16 in another program first.")
        .arg(whoIs(fileName));
}

bool decodeUtf16(QByteArrayView bytes, TextFormat::Encoding encoding, QString *out) {
    if (bytes.size() % 2 != 0)
        return false; // half a character at the end
    QStringDecoder decoder(encoding == TextFormat::Encoding::Utf16LE ? QStringConverter::Utf16LE
                                                                     : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless |
                               QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    *out = std::move(text);
    return true;
}

} // namespace

QString binaryFileMessage(const QString &fileName) {
    return QStringLiteral("%1 contains NUL bytes, so it is a binary file and not a text file. "
                          "Only text files (HTML pages, style sheets, scripts) can be edited.")
        .arg(whoIs(fileName));
}

DecodedText decodeDocument(const QByteArray &bytes, const QString &fileName) {
    using Encoding = TextFormat::Encoding;
    DecodedText result;
    QString text;
    TextFormat &format = result.format;
    if (bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)) ||
        bytes.startsWith(QByteArrayView("\0\0\xFE\xFF", 4))) {
        result.error = utf32Message(fileName);
        return result;
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        format.encoding = bytes.startsWith("\xFF\xFE") ? Encoding::Utf16LE : Encoding::Utf16BE;
        format.bom = true;
        if (!decodeUtf16(QByteArrayView(bytes).sliced(2), format.encoding, &text)) {
            result.error = QStringLiteral("%1 starts like UTF-16 text but is not valid UTF-16, "
                                          "so it cannot be edited.")
                               .arg(whoIs(fileName));
            return result;
        }
        if (text.contains(QChar(0))) {
            result.error = binaryFileMessage(fileName);
            return result;
        }
    } else if (bytes.contains('\0')) {
        if (looksLikeUtf32(bytes))
            result.error = utf32Message(fileName);
        else if (looksLikeUtf16(bytes))
            result.error =
                QStringLiteral("%1 looks like UTF-16 text without a byte-order mark. Without the "
                               "mark its byte order cannot be told for certain, so it is not "
                               "opened. Save it as UTF-8, or as UTF-16 with a byte-order mark, in "
                               "another program first.")
                    .arg(whoIs(fileName));
        else
            result.error = binaryFileMessage(fileName);
        return result;
    } else if (bytes.startsWith("\xEF\xBB\xBF") &&
               decodeUtf8Strictly(QByteArrayView(bytes).sliced(3), &text)) {
        format.encoding = Encoding::Utf8;
        format.bom = true;
    } else if (isAscii(bytes)) {
        format.encoding = declaresLegacyCharset(bytes) ? Encoding::Windows1252 : Encoding::Utf8;
        text = QString::fromLatin1(bytes);
    } else if (decodeUtf8Strictly(bytes, &text)) {
        format.encoding = Encoding::Utf8;
    } else {
        format.encoding = Encoding::Windows1252;
        text = decodeWindows1252(bytes);
    }

    // The editor holds "\n" line breaks only; the style that most lines use is what a save
    // writes back, so a file with one style throughout round-trips byte for byte. Counted on
    // the text, where CR and LF are single characters in every encoding.
    qsizetype pairs = 0;
    qsizetype bareLf = 0;
    qsizetype bareCr = 0;
    const QChar *chars = text.constData();
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = chars[i].unicode();
        if (c == u'\n')
            ++(i > 0 && chars[i - 1] == u'\r' ? pairs : bareLf);
        else if (c == u'\r' && (i + 1 == length || chars[i + 1] != u'\n'))
            ++bareCr;
    }
    format.crlf = pairs > bareLf + bareCr;
    if (pairs > 0 || bareCr > 0)
        text = plainLineBreaks(std::move(text));
    result.mixedLineEnds = int(pairs > 0) + int(bareLf > 0) + int(bareCr > 0) > 1;
    result.text = std::move(text);
    result.ok = true;
    return result;
}

QByteArray encodeDocument(const QString &text, const TextFormat &format) {
    if (format.encoding == TextFormat::Encoding::Utf16LE ||
        format.encoding == TextFormat::Encoding::Utf16BE) {
        const QString lines = format.crlf ? lfToCrlf(text) : text;
        const bool le = format.encoding == TextFormat::Encoding::Utf16LE;
        QStringEncoder encoder(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        QByteArray out = encoder.encode(lines);
        out.prepend(le ? "\xFF\xFE" : "\xFE\xFF");
        return out;
    }
    // Line ends are widened in the bytes rather than in a second copy of a large text.
    QByteArray out = format.encoding == TextFormat::Encoding::Windows1252 ? encodeWindows1252(text)
                                                                          : text.toUtf8();
    if (format.crlf)
        crlfInPlace(out);
    if (format.encoding == TextFormat::Encoding::Utf8 && format.bom)
        out.prepend("\xEF\xBB\xBF");
    return out;
}
