#include "documents/textcodec.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

namespace {

// Code points of bytes 0x80..0x9F; the bytes Windows-1252 leaves undefined keep their C1 value.
constexpr char16_t HighTable[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Byte for a code point, or -1 when Windows-1252 has none.
int windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < 32; ++i)
        if (HighTable[i] == c)
            return 0x80 + i;
    return -1;
}

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

// Single passes: QString::replace moves the tail once per batch of matches, which is quadratic on
// a page with a few hundred thousand lines.
QString crlfToLf(const QString &in) {
    QString out(in.size(), Qt::Uninitialized);
    const QChar *s = in.constData();
    const QChar *const end = s + in.size();
    QChar *d = out.data();
    for (; s < end; ++s) {
        if (*s == QLatin1Char('\r') && s + 1 < end && s[1] == QLatin1Char('\n'))
            continue;
        *d++ = *s;
    }
    out.truncate(d - out.constData());
    return out;
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

QString decodeWindows1252(const QByteArray &bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (char b : bytes) {
        const uchar u = uchar(b);
        *d++ = (u >= 0x80 && u < 0xA0) ? QChar(HighTable[u - 0x80]) : QChar(u);
    }
    return out;
}

QByteArray encodeWindows1252(const QString &text) {
    // One byte per character, except references, which are rare: they grow the buffer.
    QByteArray out(text.size(), Qt::Uninitialized);
    qsizetype used = 0;
    const QChar *s = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = s[i].unicode();
        int b = c < 0x80 ? int(c) : -1;
        if (b < 0) {
            if (QChar::isHighSurrogate(c) && i + 1 < n && s[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(char16_t(c), s[i + 1].unicode());
                ++i;
            }
            b = windows1252Byte(c);
        }
        if (b >= 0) {
            out[used++] = char(b);
            continue;
        }
        const QByteArray ref = "&#" + QByteArray::number(quint32(c)) + ';';
        out.resize(out.size() + ref.size());
        std::memcpy(out.data() + used, ref.constData(), size_t(ref.size()));
        used += ref.size();
    }
    out.truncate(used);
    return out;
}

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
        result.error = QStringLiteral("%1 is encoded in UTF-32, which cannot be edited here. Save "
                                      "it as UTF-8 or UTF-16 in another program first.")
                           .arg(whoIs(fileName));
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
        if (looksLikeUtf16(bytes))
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
        format.encoding =
            declaresLegacyCharset(bytes) ? Encoding::Windows1252 : Encoding::Utf8;
        text = QString::fromLatin1(bytes);
    } else if (decodeUtf8Strictly(bytes, &text)) {
        format.encoding = Encoding::Utf8;
    } else {
        format.encoding = Encoding::Windows1252;
        text = decodeWindows1252(bytes);
    }

    // The editor holds "\n" line breaks only; the style that most lines use is what a save
    // writes back, so a file with one style throughout round-trips byte for byte.
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
    if (pairs > 0)
        text = crlfToLf(text);
    if (bareCr > 0)
        text.replace(u'\r', u'\n');
    result.mixedLineEnds = int(pairs > 0) + int(bareLf > 0) + int(bareCr > 0) > 1;
    result.text = std::move(text);
    result.ok = true;
    return result;
}

QByteArray encodeDocument(const QString &text, const TextFormat &format) {
    const QString lines = format.crlf ? lfToCrlf(text) : text;
    if (format.encoding == TextFormat::Encoding::Windows1252)
        return encodeWindows1252(lines);
    if (format.encoding == TextFormat::Encoding::Utf16LE ||
        format.encoding == TextFormat::Encoding::Utf16BE) {
        const bool le = format.encoding == TextFormat::Encoding::Utf16LE;
        QStringEncoder encoder(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        QByteArray out = encoder.encode(lines);
        out.prepend(le ? "\xFF\xFE" : "\xFE\xFF");
        return out;
    }
    QByteArray out = lines.toUtf8();
    if (format.bom)
        out.prepend("\xEF\xBB\xBF");
    return out;
}
