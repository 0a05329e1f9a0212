// The editing commands' text work, planned on plain text: each command yields the list of
// replacements that the editor then applies as one edit (one undo step).
#pragma once

#include "editor/textconversionoptions.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Replace `length` characters at `position` (of the original text) by `text`.
struct TextEdit {
    int position = 0;
    int length = 0;
    QString text;
    bool operator==(const TextEdit &o) const {
        return position == o.position && length == o.length && text == o.text;
    }
};
// Edits are sorted by position and do not overlap.
using TextEdits = QList<TextEdit>;

// The text after all edits, built in one pass.
QString applyTextEdits(QStringView text, const TextEdits &edits);

// Case-insensitive substring search (letters beyond ASCII fold as well: "Ü" finds "ü"). A match
// must lie wholly inside [from, to); -1 when there is none or the needle is empty.
int findText(QStringView text, QStringView needle, int from, int to);
bool equalsIgnoringCase(QStringView a, QStringView b);

// Removes every "<" ... ">" from the start on; a "<" without a ">" after it ends the work.
TextEdits planStripAllTags(QStringView text);

// The text conversion in one pass: backslashes and slashes (not one right after "<"), named
// entities of the accented-character table to their characters (the nearest ";" that makes the
// entity 5 to 8 characters long decides), or those characters to their entities. One edit per
// converted character or entity.
TextEdits planTextConversion(QStringView text, const TextConversionOptions &options);

// `lines` is a stretch of whole lines starting at `offset` in the document: a tab in front of
// every line (empty ones too), or one leading tab taken from every line that has one.
TextEdits planIndent(QStringView lines, int offset);
TextEdits planUnindent(QStringView lines, int offset);

// Replace All from the selection on: when the selection is itself a hit it is replaced first;
// every later search starts behind the previous hit, so hits are never replaced twice and hits
// before the selection stay.
TextEdits planReplaceAll(QStringView text, int selectionStart, int selectionLength,
                         QStringView needle, const QString &replacement);

// A multi-line insertion handed over by a dialog: the lines up to "\end", then the four-digit
// caret code (two digits column, two digits count of lines above the line after the block).
struct BlockInsertion {
    QStringList lines;
    int column = 0;
    int linesUp = 0;
};
BlockInsertion parseBlockInsertion(const QStringList &entries);
