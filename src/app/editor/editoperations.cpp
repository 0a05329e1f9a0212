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
void scrollToHit(SourceEditor &view, int position) {
    SourceDocument &doc = view.sourceDocument();
    if (doc.lineFromPosition(position) > 1)
        view.scrollToPosition(position, 1);
}

void changeIndent(SourceEditor &view, bool indent) {
    SourceDocument &doc = view.sourceDocument();
    const int row = view.row();
    const int col = view.col();
    const int top = view.topLine();
    if (!indent && doc.lineText(row).isEmpty()) {
        view.setFocus();
        return;
    }
    int first = row;
    int last = row;
    const int s = view.selectionStart();
    const int n = view.selectionLength();
    if (n >= 2) {
        first = doc.lineFromPosition(s);
        last = doc.lineFromPosition(s + n);
    }
    const int start = doc.lineStart(first);
    const int end = doc.lineStart(last) + doc.lineLength(last);
    const QString lines = doc.textRange(start, end - start);
    view.beginUpdate();
    doc.applyEdits(indent ? planIndent(lines, start) : planUnindent(lines, start));
    view.setRow(row);
    view.setCol(col);
    view.setTopLine(top);
    if (doc.colorCoding())
        doc.colorCodeLines(first - 1, last + 1);
    view.setFocus();
    view.endUpdate();
}

} // namespace

void wrapSelection(SourceEditor &view, const QString &start, const QString &end, bool convertSlash) {
    SourceDocument &doc = view.sourceDocument();
    if (start == MarkerEmpty)
        return;
    QString before = plainLineBreaks(start);
    QString after = plainLineBreaks(end);
    if (convertSlash) {
        before.replace(u'\\', u'/');
        after.replace(u'\\', u'/');
    }
    const int s = view.selectionStart();
    const int n = view.selectionLength();
    const int firstLine = doc.lineFromPosition(s) - 1;
    const int lastLine = doc.lineFromPosition(s + n);
    view.replaceSelection(before + view.selectedText() + after);
    const int behindEnd = view.selectionStart();
    if (doc.colorCoding()) {
        // Texts with line breaks of their own reach further than the selection did.
        doc.colorCodeLines(firstLine, qMax(lastLine, doc.lineFromPosition(behindEnd)));
    }
    if (n == 0)
        view.setSelection(behindEnd - int(after.size()), 0);
    view.setFocus();
}

void applyPendingInsertion(SourceEditor &view, PendingInsertion &p, bool convertSlash) {
    SourceDocument &doc = view.sourceDocument();
    if (!p.pending)
        return;
    const int firstLine = view.row() - 1;
    doc.beginEditGroup(); // one undo step, however many changes the hand-over makes
    if (p.selectionText) {
        const QString text = *p.selectionText;
        view.replaceSelection(text);
        const int end = view.selectionStart();
        view.setSelection(end - int(text.size()), int(text.size()));
    }
    wrapSelection(view, p.startText, p.endText, convertSlash);
    doc.endEditGroup();
    p.pending = false;
    p.startText.clear();
    p.endText.clear();
    p.selectionText.reset();
    if (doc.colorCoding())
        doc.colorCodeLines(firstLine, view.row() + 1);
}

void applyPendingBlock(SourceEditor &view, PendingBlock &b) {
    SourceDocument &doc = view.sourceDocument();
    if (!b.pending)
        return;
    b.pending = false;
    const BlockInsertion block = parseBlockInsertion(b.lines);
    b.lines.clear();
    WaitCursor wait;
    view.beginUpdate();
    doc.beginEditGroup(); // the edits and the lines are one undo step
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
        editsFrom = doc.lineFromPosition(editsFrom);
        doc.applyEdits(b.edits);
    }
    if (b.caretLine >= 0)
        view.setRow(b.caretLine);
    b.edits.clear();
    b.caretLine = -1;
    const int r = view.row();
    // The blank last line makes sure there is a line after the caret's line to insert before.
    doc.replaceRange(doc.textLength(), 0, QStringLiteral("\n "));
    if (!block.lines.isEmpty()) {
        const int at = doc.lineStart(r + 1);
        const QString inserted = plainLineBreaks(block.lines.join(u'\n')) + QLatin1Char('\n');
        doc.replaceRange(at, 0, inserted);
        if (editsTo >= at)
            editsTo += int(inserted.size());
    }
    doc.endEditGroup();
    const int lineAfter = doc.lineFromPosition(doc.lineStart(r + 1) +
                                              int(plainLineBreaks(block.lines.join(u'\n')).size()) +
                                              (block.lines.isEmpty() ? 0 : 1));
    view.setRow(lineAfter - block.linesUp);
    view.setCol(view.col() + block.column);
    if (doc.colorCoding()) {
        doc.colorCodeLines(r, lineAfter);
        if (editsFrom >= 0)
            doc.colorCodeLines(editsFrom, doc.lineFromPosition(editsTo));
    }
    view.setFocus();
    view.endUpdate();
}

void indentLines(SourceEditor &view) {
    changeIndent(view, true);
}

void unindentLines(SourceEditor &view) {
    changeIndent(view, false);
}

int stripAllTags(SourceEditor &view) {
    SourceDocument &doc = view.sourceDocument();
    WaitCursor wait;
    const int s = view.selectionStart();
    const int n = view.selectionLength();
    const int top = view.topLine();
    view.beginUpdate();
    const TextEdits edits = planStripAllTags(doc.text());
    doc.applyEdits(edits);
    view.setSelection(s, n);
    view.setTopLine(top);
    view.setFocus();
    view.endUpdate();
    return int(edits.size());
}

int convertText(SourceEditor &view, const TextConversionOptions &o) {
    SourceDocument &doc = view.sourceDocument();
    int count = 0;
    {
        WaitCursor wait;
        view.beginUpdate();
        const int s = view.selectionStart();
        const TextEdits edits = planTextConversion(doc.text(), o);
        doc.applyEdits(edits);
        count = int(edits.size());
        view.setSelection(s, 0);
        view.setFocus();
        view.endUpdate();
    }
    doc.colorCodeLines(0, SourceDocument::LastLine);
    return count;
}

bool findNext(SourceEditor &view, const QString &searchText) {
    // The page holds "\n" line breaks; text pasted into a search field may have others.
    const QString needle = plainLineBreaks(searchText);
    SourceDocument &doc = view.sourceDocument();
    const int n = int(needle.size());
    if (n == 0)
        return false;
    const int s = view.selectionStart();
    const int from = equalsIgnoringCase(view.selectedText(), needle) ? s + n : s;
    const int hit = doc.find(needle, from, doc.textLength());
    if (hit < 0)
        return false;
    view.setFocus();
    view.setSelection(hit, n);
    scrollToHit(view, hit);
    view.setFocus();
    return true;
}

void replace(SourceEditor &view, const QString &searchText, const QString &replacement,
             bool all) {
    const QString needle = plainLineBreaks(searchText);
    SourceDocument &doc = view.sourceDocument();
    const int n = int(needle.size());
    if (n == 0)
        return;
    const QString with = plainLineBreaks(replacement);
    const int s = view.selectionStart();
    view.beginUpdate();
    if (all) {
        const TextEdits edits = planReplaceAll(doc.text(), s, view.selectionLength(), needle, with);
        if (!edits.isEmpty()) {
            doc.applyEdits(edits);
            const int lastStart =
                edits.last().position + int(edits.size() - 1) * int(with.size() - n);
            view.setSelection(lastStart + int(with.size()), 0);
            scrollToHit(view, lastStart);
        }
    } else {
        int from = s;
        if (equalsIgnoringCase(view.selectedText(), needle)) {
            view.replaceSelection(with);
            // Searching on behind the inserted text: a replacement that contains the search text
            // is never found again.
            from = s + int(with.size());
        }
        const int hit = doc.find(needle, from, doc.textLength());
        if (hit >= 0) {
            view.setSelection(hit, n);
            scrollToHit(view, hit);
        }
    }
    view.endUpdate();
    view.setFocus();
}

void goToLine(SourceEditor &view, int lineNumber) {
    view.setRow(lineNumber <= 0 ? 0 : lineNumber - 1);
    // Six rows above the line stay in sight (the first lines keep the page at its top). Counted
    // in rows, not lines: with word wrap, six whole lines above could push it out of the window.
    view.scrollToPosition(view.selectionStart(), 6);
}
