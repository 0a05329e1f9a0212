#include "recovery/journalformat.h"

#include "recovery/recoverytexts.h"
#include "shell/fileaccess.h"
#include "text/plaintext.h"

#include <QFile>
#include <QtEndian>

#include <array>
#include <cstring>
#include <vector>

// Layout, all numbers little-endian:
//   "MARLO JOURNAL 1\n"
//   header:  u32 size, u32 crc, `size` bytes of "key=value\n" lines (UTF-8, values escaped)
//   base:    u32 kind, u32 crc, u64 size, u64 text length, i64 time, `size` bytes
//            kind 1: the text as UTF-16; kind 2: the page file's bytes
//   edits:   u32 tag "EDIT", u32 crc, u32 position, u32 removed, u32 inserted length,
//            i64 time (ms since the epoch), the inserted characters as UTF-16
// Each crc covers the fields after it and the bytes that follow them.

namespace {

const QByteArray Magic = QByteArrayLiteral("MARLO JOURNAL 1\n");
const QByteArray MagicStem = QByteArrayLiteral("MARLO JOURNAL ");
constexpr quint32 MaxHeaderBytes = 64 * 1024;
constexpr quint32 TextBase = 1;
constexpr quint32 PageBase = 2;
constexpr int BaseHeadSize = 32;
constexpr quint32 EditTag = 0x54494445; // "EDIT"

// CRC-32 (the polynomial of zip and PNG), eight bytes a step.
struct CrcTables {
    std::array<std::array<quint32, 256>, 8> t{};
    CrcTables() {
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (quint32 i = 0; i < 256; ++i)
            for (size_t s = 1; s < 8; ++s)
                t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    }
};

quint32 crc32(quint32 crc, const char *data, qsizetype size) {
    static const CrcTables tables;
    const auto &t = tables.t;
    auto p = reinterpret_cast<const uchar *>(data);
    crc = ~crc;
    while (size >= 8) {
        const quint32 lo =
            crc ^ (quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24);
        crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
              t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
        p += 8;
        size -= 8;
    }
    while (size-- > 0)
        crc = t[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void putU32(QByteArray &out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void putU64(QByteArray &out, quint64 v) {
    char b[8];
    qToLittleEndian(v, b);
    out.append(b, 8);
}
void setU32(QByteArray &out, qsizetype at, quint32 v) {
    qToLittleEndian(v, out.data() + at);
}
quint32 u32At(const char *p) {
    return qFromLittleEndian<quint32>(p);
}
quint64 u64At(const char *p) {
    return qFromLittleEndian<quint64>(p);
}

// The characters as UTF-16 little-endian bytes.
QByteArray utf16Bytes(QStringView text) {
    QByteArray out(text.size() * 2, Qt::Uninitialized);
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    std::memcpy(out.data(), text.data(), size_t(out.size()));
#else
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian(text[i].unicode(), out.data() + 2 * i);
#endif
    return out;
}
QString fromUtf16Bytes(const char *p, qsizetype units) {
    QString s(units, Qt::Uninitialized);
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    std::memcpy(s.data(), p, size_t(units) * 2);
#else
    for (qsizetype i = 0; i < units; ++i)
        s[i] = QChar(qFromLittleEndian<quint16>(p + 2 * i));
#endif
    return s;
}

QByteArray baseHead(quint32 kind, const QByteArray &body, qint64 textLength, qint64 timeMs) {
    QByteArray out;
    out.reserve(BaseHeadSize);
    putU32(out, kind);
    putU32(out, 0);
    putU64(out, quint64(body.size()));
    putU64(out, quint64(textLength));
    putU64(out, quint64(timeMs));
    quint32 crc = crc32(0, out.constData() + 8, out.size() - 8);
    // crc32 continues a checksum when given the one so far.
    crc = crc32(crc, body.constData(), body.size());
    setU32(out, 4, crc);
    return out;
}

const char *encodingName(TextFormat::Encoding e) {
    switch (e) {
    case TextFormat::Encoding::Utf8:
        return "utf-8";
    case TextFormat::Encoding::Windows1252:
        return "windows-1252";
    case TextFormat::Encoding::Utf16LE:
        return "utf-16le";
    case TextFormat::Encoding::Utf16BE:
        return "utf-16be";
    }
    return "utf-8";
}
bool encodingOf(const QByteArray &name, TextFormat::Encoding *e) {
    for (auto candidate : {TextFormat::Encoding::Utf8, TextFormat::Encoding::Windows1252,
                           TextFormat::Encoding::Utf16LE, TextFormat::Encoding::Utf16BE})
        if (name == encodingName(candidate)) {
            *e = candidate;
            return true;
        }
    return false;
}

// The text being rebuilt, with a gap where the last edit was: typing edits close to each other,
// so replaying them moves little.
class GapText {
public:
    explicit GapText(const QString &base) : m_buf(size_t(base.size()) + 4096) {
        std::memcpy(m_buf.data(), base.constData(), size_t(base.size()) * 2);
        m_gapStart = size_t(base.size());
        m_gapEnd = m_buf.size();
    }
    qint64 size() const { return qint64(m_buf.size() - (m_gapEnd - m_gapStart)); }
    void replace(size_t pos, size_t removed, const char16_t *ins, size_t count) {
        moveGap(pos);
        m_gapEnd += removed;
        if (m_gapEnd - m_gapStart < count)
            grow(count);
        if (count > 0) // a pure removal may come without any text to copy
            std::memcpy(m_buf.data() + m_gapStart, ins, count * 2);
        m_gapStart += count;
    }
    QString text() const {
        QString s(qsizetype(size()), Qt::Uninitialized);
        std::memcpy(static_cast<void *>(s.data()), m_buf.data(), m_gapStart * 2);
        std::memcpy(static_cast<void *>(s.data() + m_gapStart), m_buf.data() + m_gapEnd,
                    (m_buf.size() - m_gapEnd) * 2);
        return s;
    }

private:
    void moveGap(size_t pos) {
        if (pos < m_gapStart) {
            const size_t n = m_gapStart - pos;
            std::memmove(m_buf.data() + m_gapEnd - n, m_buf.data() + pos, n * 2);
            m_gapStart -= n;
            m_gapEnd -= n;
        } else if (pos > m_gapStart) {
            const size_t n = pos - m_gapStart;
            std::memmove(m_buf.data() + m_gapStart, m_buf.data() + m_gapEnd, n * 2);
            m_gapStart += n;
            m_gapEnd += n;
        }
    }
    void grow(size_t need) {
        const size_t tail = m_buf.size() - m_gapEnd;
        const size_t newSize = m_buf.size() + need + m_buf.size() / 2 + 4096;
        std::vector<char16_t> bigger(newSize);
        std::memcpy(bigger.data(), m_buf.data(), m_gapStart * 2);
        std::memcpy(bigger.data() + newSize - tail, m_buf.data() + m_gapEnd, tail * 2);
        m_buf.swap(bigger);
        m_gapEnd = newSize - tail;
    }

    std::vector<char16_t> m_buf;
    size_t m_gapStart = 0;
    size_t m_gapEnd = 0;
};

bool allZero(const char *p, qsizetype n) {
    for (qsizetype i = 0; i < n; ++i)
        if (p[i] != 0)
            return false;
    return true;
}

bool parseHeader(const QByteArray &payload, JournalHeader *h) {
    bool haveName = false, haveEncoding = false;
    for (const QByteArray &line : payload.split('\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            return false;
        const QByteArray key = line.left(eq);
        const QByteArray value = line.mid(eq + 1);
        bool ok = true;
        if (key == "name") {
            h->pageName = QFile::decodeName(QByteArray::fromPercentEncoding(value));
            haveName = !h->pageName.isEmpty();
        } else if (key == "untitled") {
            h->untitled = value == "1";
        } else if (key == "encoding") {
            haveEncoding = encodingOf(value, &h->format.encoding);
            ok = haveEncoding;
        } else if (key == "bom") {
            h->format.bom = value == "1";
        } else if (key == "crlf") {
            h->format.crlf = value == "1";
        } else if (key == "disk-size") {
            h->diskStamp.exists = true;
            h->diskStamp.size = value.toLongLong(&ok);
        } else if (key == "disk-modified") {
            h->diskStamp.modified = QDateTime::fromMSecsSinceEpoch(value.toLongLong(&ok));
        } else if (key == "created") {
            h->created = QDateTime::fromMSecsSinceEpoch(value.toLongLong(&ok));
        } // keys of later versions are passed over
        if (!ok)
            return false;
    }
    return haveName && haveEncoding;
}

JournalContents refusedWith(const QString &problem) {
    JournalContents c;
    c.problem = problem;
    return c;
}

} // namespace

namespace Journal {

QByteArray encodeHeader(const JournalHeader &header) {
    QByteArray payload;
    auto line = [&payload](const char *key, const QByteArray &value) {
        payload += key;
        payload += '=';
        payload += value;
        payload += '\n';
    };
    line("name", QFile::encodeName(header.pageName).toPercentEncoding("/"));
    line("untitled", header.untitled ? "1" : "0");
    line("encoding", encodingName(header.format.encoding));
    line("bom", header.format.bom ? "1" : "0");
    line("crlf", header.format.crlf ? "1" : "0");
    if (header.diskStamp.exists) {
        line("disk-size", QByteArray::number(header.diskStamp.size));
        line("disk-modified", QByteArray::number(header.diskStamp.modified.toMSecsSinceEpoch()));
    }
    line("created", QByteArray::number(header.created.toMSecsSinceEpoch()));
    QByteArray out = Magic;
    putU32(out, quint32(payload.size()));
    putU32(out, crc32(0, payload.constData(), payload.size()));
    out.append(payload);
    return out;
}

QByteArray textBaseBody(const QString &text) {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    return QByteArray::fromRawData(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
#else
    return utf16Bytes(text);
#endif
}

QByteArray textBaseHead(const QString &text, qint64 timeMs) {
    return baseHead(TextBase, textBaseBody(text), text.size(), timeMs);
}

QByteArray pageBaseHead(const QByteArray &pageBytes, qint64 textLength, qint64 timeMs) {
    return baseHead(PageBase, pageBytes, textLength, timeMs);
}

QByteArray encodeTextBase(const QString &text, qint64 timeMs) {
    return textBaseHead(text, timeMs) + utf16Bytes(text);
}

QByteArray encodePageBase(const QByteArray &pageBytes, qint64 textLength, qint64 timeMs) {
    return pageBaseHead(pageBytes, textLength, timeMs) + pageBytes;
}

QByteArray encodeEdit(qint64 position, qint64 removed, QStringView inserted, qint64 timeMs) {
    QByteArray out;
    out.reserve(Journal::EditRecordSize + inserted.size() * 2);
    putU32(out, EditTag);
    putU32(out, 0);
    putU32(out, quint32(position));
    putU32(out, quint32(removed));
    putU32(out, quint32(inserted.size()));
    putU64(out, quint64(timeMs));
    out.append(utf16Bytes(inserted));
    setU32(out, 4, crc32(0, out.constData() + 8, out.size() - 8));
    return out;
}

bool pageText(const QByteArray &pageBytes, QString *text) {
    const DecodedText page = decodeDocument(pageBytes);
    if (!page.ok)
        return false;
    // What the editor holds: its only line break is "\n".
    *text = plainLineBreaks(page.text);
    text->replace(QChar::ParagraphSeparator, u'\n');
    return true;
}

} // namespace Journal

JournalContents readJournal(const QString &path) {
    const FileRead read = readRegularFile(path, Journal::MaxBytes);
    if (!read.ok())
        return refusedWith(readProblemReason(read, Journal::MaxBytes));
    return parseJournal(read.bytes);
}

JournalContents parseJournal(const QByteArray &bytes) {
    const char *const data = bytes.constData();
    const qsizetype size = bytes.size();
    if (!bytes.startsWith(Magic))
        return refusedWith(bytes.startsWith(MagicStem) ? RecoveryTexts::otherVersion()
                                                       : RecoveryTexts::notAJournal());
    qsizetype at = Magic.size();

    JournalContents c;
    if (size - at < 8)
        return refusedWith(RecoveryTexts::damaged());
    const quint32 headerSize = u32At(data + at);
    if (headerSize > MaxHeaderBytes || size - at - 8 < qsizetype(headerSize) ||
        crc32(0, data + at + 8, headerSize) != u32At(data + at + 4) ||
        !parseHeader(QByteArray(data + at + 8, headerSize), &c.header))
        return refusedWith(RecoveryTexts::damaged());
    at += 8 + headerSize;

    if (size - at < BaseHeadSize)
        return refusedWith(RecoveryTexts::damaged());
    const quint32 kind = u32At(data + at);
    const quint64 baseSize = u64At(data + at + 8);
    const quint64 textLength = u64At(data + at + 16);
    if (baseSize > quint64(size - at - BaseHeadSize) ||
        crc32(0, data + at + 8, BaseHeadSize - 8 + qsizetype(baseSize)) != u32At(data + at + 4))
        return refusedWith(RecoveryTexts::damaged());
    if (textLength > quint64(Journal::MaxTextLength))
        return refusedWith(RecoveryTexts::textTooLong());
    c.lastChange = QDateTime::fromMSecsSinceEpoch(qint64(u64At(data + at + 24)));
    const char *base = data + at + BaseHeadSize;
    QString text;
    if (kind == TextBase && baseSize == textLength * 2) {
        text = fromUtf16Bytes(base, qsizetype(textLength));
    } else if (kind == PageBase) {
        if (!Journal::pageText(QByteArray(base, qsizetype(baseSize)), &text) ||
            quint64(text.size()) != textLength)
            return refusedWith(RecoveryTexts::doesNotMatchPage());
    } else {
        return refusedWith(RecoveryTexts::damaged());
    }
    at += BaseHeadSize + qsizetype(baseSize);

    GapText rebuilt(text);
    text = QString();
    std::vector<char16_t> inserted;
    while (at < size) {
        const qsizetype left = size - at;
        const char *r = data + at;
        if (left < Journal::EditRecordSize) {
            c.tailDropped = true; // a record cut short by the end of the file
            break;
        }
        const quint32 units = u32At(r + 16);
        const qsizetype length = Journal::EditRecordSize + qsizetype(units) * 2;
        const bool whole = u32At(r) == EditTag && qsizetype(units) <= left / 2 && length <= left;
        if (!whole || crc32(0, r + 8, length - 8) != u32At(r + 4)) {
            // The last write was cut short (a kill, or a power cut that left zeros). Anything
            // else after a bad record is damage, and nothing of the journal is used.
            if ((whole && length == left) || (u32At(r) == EditTag && !whole) || allZero(r, left)) {
                c.tailDropped = true;
                break;
            }
            return refusedWith(RecoveryTexts::damaged());
        }
        const quint64 position = u32At(r + 8);
        const quint64 removed = u32At(r + 12);
        const qint64 current = rebuilt.size();
        if (position > quint64(current) || removed > quint64(current) - position)
            return refusedWith(RecoveryTexts::damaged());
        if (current - qint64(removed) + qint64(units) > Journal::MaxTextLength)
            return refusedWith(RecoveryTexts::textTooLong());
        inserted.resize(units);
        for (quint32 i = 0; i < units; ++i)
            inserted[i] = qFromLittleEndian<quint16>(r + Journal::EditRecordSize + 2 * i);
        rebuilt.replace(size_t(position), size_t(removed), inserted.data(), units);
        c.lastChange = QDateTime::fromMSecsSinceEpoch(qint64(u64At(r + 20)));
        ++c.edits;
        at += length;
    }
    c.text = rebuilt.text();
    c.ok = true;
    return c;
}
