#include "editor/editoperations.h"

#include "editor/sourceeditor.h"
#include "editor/textcommands.h"
#include "shell/appsettings.h"
#include "shell/insertionchannel.h"
#include "widgets/windowplacement.h"
#include "text/plaintext.h"

#include <QGuiApplication>

namespace {

// A hit below the second line is shown with the row above it at the top (with word wrap, the
// row inside its line).
void scrollToHit(SourceEditor &ed, int position) {
    if (ed.lineFromPosition(position) > 1)
        ed.scrollToPosition(position, 1);
}

void changeIndent(SourceEditor &ed, bool indent) {
    const int row = ed.row();
    const int col = ed.col();
    const int top = ed.topLine();
    if (!indent && ed.lineText(row).isEmpty()) {
        ed.setFocus();
        return;
    }
    int first = row;
    int last = row;
    const int s = ed.selectionStart();
    const int n = ed.selectionLength();
    if (n >= 2) {
        first = ed.lineFromPosition(s);
        last = ed.lineFromPosition(s + n);
    }
    const int start = ed.lineStart(first);
    const int end = ed.lineStart(last) + ed.lineLength(last);
    const QString lines = ed.textRange(start, end - start);
    ed.beginUpdate();
    ed.applyEdits(indent ? planIndent(lines, start) : planUnindent(lines, start));
    ed.setRow(row);
    ed.setCol(col);
    ed.setTopLine(top);
    if (ed.colorCoding())
        ed.colorCodeLines(first - 1, last + 1);
    ed.setFocus();
    ed.endUpdate();
}

} // namespace

void wrapSelection(SourceEditor &ed, const QString &start, const QString &end, bool convertSlash) {
    if (start == MarkerEmpty)
        return;
    QString before = plainLineBreaks(start);
    QString after = plainLineBreaks(end);
    if (convertSlash) {
        before.replace(u'\\', u'/');
        after.replace(u'\\', u'/');
    }
    const int s = ed.selectionStart();
    const int n = ed.selectionLength();
    const int firstLine = ed.lineFromPosition(s) - 1;
    const int lastLine = ed.lineFromPosition(s + n);
    ed.replaceSelection(before + ed.selectedText() + after);
    const int behindEnd = ed.selectionStart();
    if (ed.colorCoding()) {
        // Texts with line breaks of their own reach further than the selection did.
        ed.colorCodeLines(firstLine, qMax(lastLine, ed.lineFromPosition(behindEnd)));
    }
    if (n == 0)
        ed.setSelection(behindEnd - int(after.size()), 0);
    ed.setFocus();
}

void applyPendingInsertion(SourceEditor &ed, PendingInsertion &p, bool convertSlash) {
    if (!p.pending)
        return;
    const int firstLine = ed.row() - 1;
    ed.beginEditGroup(); // one undo step, however many changes the hand-over makes
    if (p.selectionText) {
        const QString text = *p.selectionText;
        ed.replaceSelection(text);
        const int end = ed.selectionStart();
        ed.setSelection(end - int(text.size()), int(text.size()));
    }
    wrapSelection(ed, p.startText, p.endText, convertSlash);
    ed.endEditGroup();
    p.pending = false;
    p.startText.clear();
    p.endText.clear();
    p.selectionText.reset();
    if (ed.colorCoding())
        ed.colorCodeLines(firstLine, ed.row() + 1);
}

void applyPendingBlock(SourceEditor &ed, PendingBlock &b) {
    if (!b.pending)
        return;
    b.pending = false;
    const BlockInsertion block = parseBlockInsertion(b.lines);
    b.lines.clear();
    WaitCursor wait;
    ed.beginUpdate();
    ed.beginEditGroup(); // the edits and the lines are one undo step
    // Where the edits start and (after they are made) end, to colour them.
    int editsFrom = -1;
    int editsTo = -1;
    if (!b.edits.isEmpty()) {
        editsFrom = b.edits.first().position;
        int grown = 0;
        for (const TextEdit &e : b.edits)
            grown += int(e.text.size()) - e.length;
        const TextEdit &last = b.edits.last();
        editsTo = last.position + last.length + grown;
        editsFrom = ed.lineFromPosition(editsFrom);
        ed.applyEdits(b.edits);
    }
    if (b.caretLine >= 0)
        ed.setRow(b.caretLine);
    b.edits.clear();
    b.caretLine = -1;
    const int r = ed.row();
    // The blank last line makes sure there is a line after the caret's line to insert before.
    ed.replaceRange(ed.textLength(), 0, QStringLiteral("\n "));
    if (!block.lines.isEmpty()) {
        const int at = ed.lineStart(r + 1);
        const QString inserted = plainLineBreaks(block.lines.join(u'\n')) + QLatin1Char('\n');
        ed.replaceRange(at, 0, inserted);
        if (editsTo >= at)
            editsTo += int(inserted.size());
    }
    ed.endEditGroup();
    const int lineAfter = ed.lineFromPosition(ed.lineStart(r + 1) +
                                              int(plainLineBreaks(block.lines.join(u'\n')).size()) +
                                              (block.lines.isEmpty() ? 0 : 1));
    ed.setRow(lineAfter - block.linesUp);
    ed.setCol(ed.col() + block.column);
    if (ed.colorCoding()) {
        ed.colorCodeLines(r, lineAfter);
        if (editsFrom >= 0)
            ed.colorCodeLines(editsFrom, ed.lineFromPosition(editsTo));
    }
    ed.setFocus();
    ed.endUpdate();
}

void indentLines(SourceEditor &ed) {
    changeIndent(ed, true);
}

void unindentLines(SourceEditor &ed) {
    changeIndent(ed, false);
}

int stripAllTags(SourceEditor &ed) {
    WaitCursor wait;
    const int s = ed.selectionStart();
    const int n = ed.selectionLength();
    const int top = ed.topLine();
    ed.beginUpdate();
    const TextEdits edits = planStripAllTags(ed.text());
    ed.applyEdits(edits);
    ed.setSelection(s, n);
    ed.setTopLine(top);
    ed.setFocus();
    ed.endUpdate();
    return int(edits.size());
}

int convertText(SourceEditor &ed, const TextConversionOptions &o) {
    int count = 0;
    {
        WaitCursor wait;
        ed.beginUpdate();
        const int s = ed.selectionStart();
        const TextEdits edits = planTextConversion(ed.text(), o);
        ed.applyEdits(edits);
        count = int(edits.size());
        ed.setSelection(s, 0);
        ed.setFocus();
        ed.endUpdate();
    }
    ed.colorCodeLines(0, SourceEditor::LastLine);
    return count;
}

bool findNext(SourceEditor &ed, const QString &needle) {
    const int n = int(needle.size());
    if (n == 0)
        return false;
    const int s = ed.selectionStart();
    const int from = equalsIgnoringCase(ed.selectedText(), needle) ? s + n : s;
    const int hit = ed.find(needle, from, ed.textLength());
    if (hit < 0)
        return false;
    ed.setFocus();
    ed.setSelection(hit, n);
    scrollToHit(ed, hit);
    ed.setFocus();
    return true;
}

void replace(SourceEditor &ed, const QString &needle, const QString &replacement, bool all) {
    const int n = int(needle.size());
    if (n == 0)
        return;
    const QString with = plainLineBreaks(replacement);
    const int s = ed.selectionStart();
    ed.beginUpdate();
    if (all) {
        const TextEdits edits = planReplaceAll(ed.text(), s, ed.selectionLength(), needle, with);
        if (!edits.isEmpty()) {
            ed.applyEdits(edits);
            const int lastStart =
                edits.last().position + int(edits.size() - 1) * int(with.size() - n);
            ed.setSelection(lastStart + int(with.size()), 0);
            scrollToHit(ed, lastStart);
        }
    } else {
        int from = s;
        if (equalsIgnoringCase(ed.selectedText(), needle)) {
            ed.replaceSelection(with);
            // Searching on behind the inserted text: a replacement that contains the search text
            // is never found again.
            from = s + int(with.size());
        }
        const int hit = ed.find(needle, from, ed.textLength());
        if (hit >= 0) {
            ed.setSelection(hit, n);
            scrollToHit(ed, hit);
        }
    }
    ed.endUpdate();
    ed.setFocus();
}

void goToLine(SourceEditor &ed, int lineNumber) {
    ed.setRow(lineNumber <= 0 ? 0 : lineNumber - 1);
    ed.setTopLine(qMax(1, ed.row() - 5) - 1);
}
