// Turns the bytes of a page into editor text and back: picks UTF-8, Windows-1252 or (with a
// byte-order mark) UTF-16, remembers the byte-order mark and the line-end style, so that an
// unchanged page is written back byte for byte.
#pragma once

#include <QByteArray>
#include <QString>

struct TextFormat {
    enum class Encoding { Utf8, Windows1252, Utf16LE, Utf16BE };
    Encoding encoding = Encoding::Utf8;
    bool bom = false;  // the file starts with a byte-order mark (UTF-16 always does)
    bool crlf = false; // lines end with CR LF (the text itself holds "\n" only)

    bool operator==(const TextFormat &o) const {
        return encoding == o.encoding && bom == o.bom && crlf == o.crlf;
    }
    bool operator!=(const TextFormat &o) const { return !(*this == o); }
};

struct DecodedText {
    bool ok = false;
    QString error; // user-facing reason when ok is false
    QString text;
    TextFormat format;
    // The file mixed line-end styles; saving makes them uniform (see decodeDocument).
    bool mixedLineEnds = false;
};

// Decoding rules:
// - A UTF-8 byte-order mark followed by valid UTF-8, or valid UTF-8 with non-ASCII bytes: UTF-8.
// - Anything else that is not valid UTF-8 (a BOM included, which then shows as "ï»¿"):
// Windows-1252,
//   every byte mapped (the five bytes Windows-1252 leaves undefined become U+0081, U+008D, U+008F,
//   U+0090 and U+009D), so every byte survives a round trip.
// - Pure ASCII: Windows-1252 when a meta charset of ISO-8859-1 / Windows-1252 stands in the first
//   4 KB (a legacy page keeps its legacy bytes when accented letters are added), else UTF-8.
// - Line ends: every CR LF pair, bare LF and bare CR becomes "\n" in the text. The format is
//   CR LF when pairs outnumber the other line ends, else LF; a file that mixed styles is saved
//   in that one style throughout (mixedLineEnds tells), so only single-style files round-trip
//   byte for byte.
// - A UTF-16 byte-order mark (FF FE or FE FF) followed by valid UTF-16: UTF-16 of that byte order.
//   UTF-16 without a mark is refused with its own message (the byte order cannot be told for
//   sure), as is UTF-32.
// - Text with NUL bytes (or NUL characters) is refused: ok is false.
// Messages name `fileName` when it is given.
DecodedText decodeDocument(const QByteArray &bytes, const QString &fileName = QString());

// The inverse of decodeDocument; UTF-16 is written with its byte-order mark. Characters
// Windows-1252 cannot hold become numeric character references ("&#8364;"; a code point above
// U+FFFF is written whole, "&#128512;").
QByteArray encodeDocument(const QString &text, const TextFormat &format);

// The message shown when a file holds NUL bytes; `fileName` may be empty.
QString binaryFileMessage(const QString &fileName);
