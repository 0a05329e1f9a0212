// Where a tag ends and where its attributes lie, read as a browser reads a start tag: a ">" inside
// a quoted attribute value does not end the tag. Every reader of a tag the user wrote (the tag
// classification, the dialogs that edit a tag again, page properties, the linked-files scan,
// stripping tags, the spelling walk) finds a tag's end here and nowhere else.
#pragma once

#include <QList>
#include <QStringView>

struct TagAttributeSpan {
    qsizetype nameStart = 0;
    qsizetype nameEnd = 0;
    // The value without its quotes; both -1 for an attribute written without "=".
    qsizetype valueStart = -1;
    qsizetype valueEnd = -1;
    QChar quote;       // '"' or '\'' when the value was quoted
    qsizetype end = 0; // after the value and its closing quote
};

struct TagExtent {
    // Index of the ">" that closes the tag; -1 when nothing closes it.
    qsizetype close = -1;
    QList<TagAttributeSpan> attributes;
};

// Reads the tag starting at `from`: blanks, an optional "<", the name, then attributes up to the
// closing ">". A quote opens a value only right after "=" (so "don't" in a name is harmless); a
// value whose quote never closes ends at the first ">" after the quote, as if unquoted.
TagExtent scanTag(QStringView text, qsizetype from = 0);
// Only the closing ">" of the tag starting at `from`; -1 when nothing closes it.
qsizetype tagClose(QStringView text, qsizetype from);
