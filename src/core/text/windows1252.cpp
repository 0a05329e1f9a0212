#include "text/windows1252.h"

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
