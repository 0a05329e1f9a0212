// The recovery journal of one page with unsaved changes: how it is laid out and read back.
// A journal is a header naming the page (its name, encoding, line ends and the stamp of its file
// as the document knew it), a base text, then edit records appended one batch at a time. Every
// part carries a checksum: a record cut short by a kill is noticed and dropped, and a journal
// damaged anywhere else is refused whole, never half applied.
#pragma once

#include "documents/documentfile.h"
#include "documents/textcodec.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>

struct JournalHeader {
    QString pageName; // full path; for an untitled page the name it carried
    bool untitled = false;
    TextFormat format;   // how the page is written when it is saved
    FileStamp diskStamp; // the page's file as the document last read or wrote it
    QDateTime created;
};

namespace Journal {

// A journal larger than this is not read: no page the editor opens comes near it.
constexpr qint64 MaxBytes = qint64(640) << 20;
// Nor is a journal whose text grows beyond this many characters.
constexpr qint64 MaxTextLength = qint64(256) << 20;
// The fixed part of an edit record, before its inserted characters.
constexpr int EditRecordSize = 28;

// The opening of a journal: its mark and the header block.
QByteArray encodeHeader(const JournalHeader &header);
// The base is the page's whole text ...
QByteArray encodeTextBase(const QString &text, qint64 timeMs);
// ... or the bytes of the page's file, decoded as a page is when it is opened; `textLength` is
// the length of that text, checked when the journal is read.
QByteArray encodePageBase(const QByteArray &pageBytes, qint64 textLength, qint64 timeMs);
// A base in two parts, its fixed head and its body, for writers that would rather not copy a
// large page once more: the body is the page's bytes, or the text's, without a copy where the
// machine's byte order allows.
QByteArray textBaseHead(const QString &text, qint64 timeMs);
QByteArray textBaseBody(const QString &text);
QByteArray pageBaseHead(const QByteArray &pageBytes, qint64 textLength, qint64 timeMs);
// One edit: `removed` characters at `position` of the text so far were replaced by `inserted`.
QByteArray encodeEdit(qint64 position, qint64 removed, QStringView inserted, qint64 timeMs);

// The text a page's bytes give in the editor (as decodeDocument, with the editor's line breaks).
// False when the bytes are no text page.
bool pageText(const QByteArray &pageBytes, QString *text);

} // namespace Journal

struct JournalContents {
    bool ok = false;
    QString problem; // why the journal was refused, in the user's words
    JournalHeader header;
    QString text; // the page's text with every whole record applied
    QDateTime lastChange;
    int edits = 0;            // records applied
    bool tailDropped = false; // a last record cut short (the program was killed writing it)
};

// Reads a journal (a regular file of at most Journal::MaxBytes) and replays it.
JournalContents readJournal(const QString &path);
JournalContents parseJournal(const QByteArray &bytes);
