// Changing the document's text: replacements that keep the styles and soft breaks in step, edit
// groups that make one undo step of a command, undo and redo, and following the changes a view
// makes by itself (typing, the widget's own cut and paste).
#include "editor/sourcedocument.h"

#include "editor/sourceeditor.h"
#include "text/plaintext.h"

#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <utility>

namespace {

// The block format property that marks a block as the continuation of a long line.
constexpr int SoftBreakMark = QTextFormat::UserProperty + 1;

} // namespace

bool SourceDocument::isMarked(const QTextBlock &block) {
    return block.blockFormat().boolProperty(SoftBreakMark);
}

QTextBlockFormat SourceDocument::markedFormat() {
    QTextBlockFormat marked;
    marked.setProperty(SoftBreakMark, true);
    return marked;
}

// ---- following changes ------------------------------------------------------------------------

void SourceDocument::onContentsChange(int position, int removed, int added) {
    invalidateTextCache();
    // Changes made by this class (and an edit group's summary of them) are followed as they are
    // made.
    if (m_selfEdit || m_groupEnding)
        return;
    const int textPos = m_soft.toText(position);
    int breaksGone = 0;
    int breaksBack = 0;
    if (m_breakMarks) {
        // The document may report more than it changed; the marks of the blocks in the stretch
        // tell which of its breaks are soft. Undo and redo bring the marks back with the blocks,
        // and a view's own changes put in no line break (Enter and pastes come through this
        // class). Only the block at the start of the stretch may show a wrong mark, when its
        // start was taken out and it got the mark of a block joined to it: it is set right below.
        breaksGone = m_soft.remove(position, removed, added);
        breaksBack = adoptMarkedBreaks(position, added);
        if (!m_trackingUndo) {
            m_markFrom = m_markFrom < 0 ? position : qMin(m_markFrom, position);
            m_markTo = qMax(m_markTo, position + added);
        }
    }
    followTextChange(textPos, removed - breaksGone, added - breaksBack);
}

void SourceDocument::followTextChange(int position, int removed, int added) {
    const int length = loadedLength();
    if (m_trackingUndo) {
        if (m_undoTo > position)
            m_undoTo = qMax(position, m_undoTo + added - removed);
        m_undoFrom = m_undoFrom < 0 ? position : qMin(m_undoFrom, position);
        m_undoTo = qMax(m_undoTo, position + added);
    }
    // Whole-text replacements count the final paragraph separator as well; the size check below
    // puts that right.
    const int gone = qBound(0, removed, qMax(0, m_styles.size() - position));
    const CharStyle style = m_insertStyle ? *m_insertStyle : insertionStyle(position, gone);
    m_styles.remove(position, gone);
    m_styles.insert(position, qBound(0, added, qMax(0, length - m_styles.size())), style);
    if (m_styles.size() != length)
        m_styles.resize(length, CharStyle::Text);
    if (m_pass.active) {
        // Positions behind the change move with it; what lies ahead is coloured when the pass
        // gets there, typed characters included.
        auto shift = [&](qsizetype &p) {
            if (p >= position + removed)
                p += added - removed;
            else if (p > position)
                p = position;
        };
        qsizetype next = m_pass.next, end = m_pass.end;
        shift(next);
        shift(end);
        if (m_pass.state.tagOpen >= 0)
            shift(m_pass.state.tagOpen);
        if (m_pass.state.commentOpen >= 0)
            shift(m_pass.state.commentOpen);
        m_pass.end = int(std::clamp<qsizetype>(end, 0, length));
        m_pass.next = int(std::clamp<qsizetype>(next, 0, m_pass.end + 1));
    }
    if (m_editGroupDepth > 0)
        joinGroupChange(position, removed, added);
    else
        Q_EMIT textChanged(position, removed, added);
}

void SourceDocument::joinGroupChange(int position, int removed, int added) {
    // The group's changes so far replaced [from, oldEnd) of the text before the group by what
    // is now [from, newEnd); this change, in today's positions, widens that stretch.
    GroupChange &g = m_groupChange;
    if (g.from < 0) {
        g = {position, position + removed, position + added};
        return;
    }
    const int changeEnd = position + removed;
    int newEnd = g.newEnd >= changeEnd ? g.newEnd + added - removed
                 : g.newEnd > position ? position + added
                                       : g.newEnd;
    if (changeEnd > g.newEnd)
        g.oldEnd += changeEnd - g.newEnd;
    g.from = qMin(g.from, position);
    g.newEnd = qMax(newEnd, position + added);
}

int SourceDocument::adoptMarkedBreaks(int from, int count) {
    std::vector<int> found;
    for (QTextBlock b = m_doc->findBlock(from).next(); b.isValid() && b.position() <= from + count;
         b = b.next()) {
        if (isMarked(b))
            found.push_back(b.position() - 1);
    }
    const int adopted = int(found.size());
    m_soft.add(std::move(found));
    return adopted;
}

void SourceDocument::markBreaks(QTextCursor &cursor, int from, int to) {
    QScopedValueRollback<bool> self(m_selfEdit, true);
    const QTextBlockFormat marked = markedFormat();
    for (QTextBlock b = m_doc->findBlock(from); b.isValid() && b.position() <= to + 1;
         b = b.next()) {
        const bool soft = b.position() > 0 && m_soft.contains(b.position() - 1);
        if (isMarked(b) != soft) {
            cursor.setPosition(b.position());
            cursor.setBlockFormat(soft ? marked : QTextBlockFormat());
        }
    }
}

void SourceDocument::settleBreakMarks() {
    if (m_markFrom < 0)
        return;
    const int from = qBound(0, m_markFrom, docLength());
    const int to = qBound(0, m_markTo, docLength());
    m_markFrom = m_markTo = -1;
    bool wrong = false;
    for (QTextBlock b = m_doc->findBlock(from); b.isValid() && b.position() <= to + 1 && !wrong;
         b = b.next())
        wrong = isMarked(b) != (b.position() > 0 && m_soft.contains(b.position() - 1));
    if (!wrong)
        return;
    // Part of the change's own undo step, so that undo and redo find the marks as they were.
    QScopedValueRollback<bool> self(m_selfEdit, true);
    QTextCursor c = stepCursor();
    c.joinPreviousEditBlock();
    markBreaks(c, from, to);
    c.endEditBlock();
}

CharStyle SourceDocument::insertionStyle(int position, int replaced) const {
    if (m_insertStyle)
        return *m_insertStyle;
    const int size = m_styles.size();
    if (replaced > 0 && position < size)
        return m_styles.at(position);
    if (position > 0 && position - 1 < size)
        return m_styles.at(position - 1);
    if (position < size)
        return m_styles.at(position);
    return CharStyle::Text;
}

// ---- changes ----------------------------------------------------------------------------------

void SourceDocument::replaceRange(int start, int length, const QString &text) {
    replaceStyled(start, length, plainLineBreaks(text), nullptr);
}

void SourceDocument::replaceStyled(int start, int length, const QString &text,
                                   const CharStyle *styles) {
    ensureLoaded();
    const int size = textLength();
    start = qBound(0, start, size);
    length = qBound(0, length, size - start);
    if (length == 0 && text.isEmpty())
        return;
    settleBreakMarks();
    const CharStyle style = insertionStyle(start, length);
    const int docStart = m_soft.toDoc(start, SoftBreaks::AfterBreak);
    const int docEnd =
        length > 0 ? m_soft.toDoc(start + length, SoftBreaks::BeforeBreak) : docStart;
    // The soft breaks inside the stretch stay where the pieces were: the new text is dealt out
    // over the pieces between them, each taking about as much as it held, the last one the rest.
    std::vector<int> pieceStarts{docStart};
    std::vector<int> pieceEnds;
    for (int i = m_soft.countBefore(docStart); i < m_soft.count() && m_soft.at(i) < docEnd; ++i) {
        pieceEnds.push_back(m_soft.at(i));
        pieceStarts.push_back(m_soft.at(i) + 1);
    }
    pieceEnds.push_back(docEnd);
    const size_t pieces = pieceStarts.size();
    std::vector<qsizetype> chunkStart(pieces + 1, text.size());
    chunkStart[0] = 0;
    for (size_t i = 1; i < pieces; ++i) {
        qsizetype at =
            qMin(text.size(), chunkStart[i - 1] + (pieceEnds[i - 1] - pieceStarts[i - 1]));
        if (at > 0 && at < text.size() && text.at(at - 1).isHighSurrogate() &&
            text.at(at).isLowSurrogate())
            ++at;
        chunkStart[i] = at;
    }
    {
        QScopedValueRollback<bool> self(m_selfEdit, true);
        QTextCursor c = stepCursor();
        // Each change made here is an undo step of its own, never merged with typing around it.
        const bool ownStep = m_editGroupDepth == 0;
        if (ownStep)
            c.beginEditBlock();
        // From the back, so that the positions of the pieces still to come stay valid.
        for (size_t i = pieces; i-- > 0;) {
            c.setPosition(pieceStarts[i]);
            c.setPosition(pieceEnds[i], QTextCursor::KeepAnchor);
            const QString chunk =
                pieces == 1 ? text : text.mid(chunkStart[i], chunkStart[i + 1] - chunkStart[i]);
            if (chunk.isEmpty())
                c.removeSelectedText();
            else
                c.insertText(chunk);
        }
        if (!m_soft.isEmpty()) {
            std::vector<int> moved;
            for (size_t i = 1; i < pieces; ++i)
                moved.push_back(docStart + int(chunkStart[i]) + int(i) - 1);
            m_soft.remove(docStart, docEnd - docStart, int(text.size()) + int(pieces) - 1);
            m_soft.add(std::move(moved));
        }
        if (m_breakMarks)
            markBreaks(c, docStart, docStart + int(text.size()) + int(pieces) - 1);
        if (ownStep) {
            if (!text.isEmpty())
                sealUndoStep(c);
            c.endEditBlock();
        }
    }
    {
        QScopedValueRollback<std::optional<CharStyle>> rollback(m_insertStyle, style);
        invalidateTextCache();
        followTextChange(start, length, int(text.size()));
    }
    if (m_editGroupDepth > 0)
        m_groupSealAt = text.isEmpty() ? -1 : start + int(text.size());
    if (styles && !text.isEmpty())
        m_styles.write(start, int(text.size()), styles);
}

QTextCursor SourceDocument::stepCursor() const {
    // The document notes where the cursor that opens an undo step stands, and undo puts the caret
    // back there: at the caret of the view, as for typing, and not at the start of the page.
    QTextCursor c(m_doc);
    if (m_view)
        c.setPosition(m_view->textCursor().position());
    return c;
}

void SourceDocument::sealUndoStep(QTextCursor &c) {
    // The document joins characters typed right behind an insertion to the insertion's undo
    // step, even when that insertion ended an edit block. A step that ends with a removal is
    // never joined: put a character in and take it out again at the end of the step.
    c.insertText(QStringLiteral(" "));
    c.deletePreviousChar();
}

void SourceDocument::applyEdits(const TextEdits &edits) {
    if (edits.isEmpty())
        return;
    // Edits closer together than this go in as one replacement of the stretch they span; edits
    // further apart go in one by one, leaving the text between them alone. A replacement costs
    // about as much as moving this many characters through the document.
    constexpr int MergeGap = 40;
    const QString original = text();
    beginEditGroup();
    // From the back, so that the positions of the edits still to come stay valid.
    qsizetype end = edits.size();
    while (end > 0) {
        qsizetype first = end - 1;
        while (first > 0 &&
               edits[first].position - (edits[first - 1].position + edits[first - 1].length) <
                   MergeGap)
            --first;
        const int spanStart = edits[first].position;
        const int spanEnd = edits[end - 1].position + edits[end - 1].length;
        QString replacement;
        std::vector<CharStyle> styles;
        qsizetype newSize = spanEnd - spanStart;
        for (qsizetype i = first; i < end; ++i)
            newSize += edits[i].text.size() - edits[i].length;
        replacement.reserve(newSize);
        styles.reserve(size_t(newSize));
        int at = spanStart;
        for (qsizetype i = first; i < end; ++i) {
            const TextEdit &e = edits[i];
            replacement.append(QStringView(original).mid(at, e.position - at));
            for (int p = at; p < e.position; ++p)
                styles.push_back(m_styles.at(p));
            const CharStyle style = insertionStyle(e.position, e.length);
            replacement.append(e.text);
            styles.insert(styles.end(), size_t(e.text.size()), style);
            at = e.position + e.length;
        }
        replaceStyled(spanStart, spanEnd - spanStart, replacement, styles.data());
        end = first;
    }
    endEditGroup();
}

// ---- edit groups and history ------------------------------------------------------------------

void SourceDocument::beginEditGroup() {
    ensureLoaded();
    if (m_editGroupDepth++ == 0) {
        m_groupCursor = stepCursor();
        m_groupCursor.beginEditBlock();
    }
}

void SourceDocument::endEditGroup() {
    if (m_editGroupDepth == 0 || --m_editGroupDepth > 0)
        return;
    if (m_groupSealAt >= 0) {
        QTextCursor seal(m_doc);
        seal.setPosition(m_soft.toDoc(qMin(m_groupSealAt, textLength()), SoftBreaks::BeforeBreak));
        sealUndoStep(seal);
        m_groupSealAt = -1;
    }
    {
        QScopedValueRollback<bool> ending(m_groupEnding, true);
        m_groupCursor.endEditBlock();
    }
    m_groupCursor = QTextCursor();
    if (m_groupChange.from >= 0) {
        const GroupChange g = std::exchange(m_groupChange, GroupChange());
        Q_EMIT textChanged(g.from, g.oldEnd - g.from, g.newEnd - g.from);
    }
    if (m_deferredFirst >= 0) {
        const int first = m_deferredFirst;
        const int last = m_deferredLast;
        m_deferredFirst = m_deferredLast = -1;
        colorCodeLines(first, last);
    }
}

void SourceDocument::undo(QTextCursor *caret) {
    historyStep(true, caret);
}

void SourceDocument::redo(QTextCursor *caret) {
    historyStep(false, caret);
}

void SourceDocument::historyStep(bool undo, QTextCursor *caret) {
    ensureLoaded();
    settleBreakMarks();
    m_undoFrom = m_undoTo = -1;
    {
        QScopedValueRollback<bool> tracking(m_trackingUndo, true);
        if (undo)
            m_doc->undo(caret);
        else
            m_doc->redo(caret);
    }
    if (m_colorCoding && m_undoFrom >= 0)
        colorCodeLines(lineFromPosition(m_undoFrom), lineFromPosition(m_undoTo));
}
