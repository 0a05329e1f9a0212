#include "editor/sourceeditor.h"

#include "editor/colorcodingnotice.h"
#include "editor/sourcelayout.h"
#include "editor/stylehighlighter.h"
#include "editor/typedcharacters.h"
#include "widgets/windowplacement.h"
#include "text/plaintext.h"

#include <QGuiApplication>
#include <QAbstractTextDocumentLayout>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <iterator>
#include <vector>

namespace {

QString plainFromDocument(QString raw) {
    raw.replace(QChar::ParagraphSeparator, u'\n');
    return raw;
}

// The block format property that marks a block as the continuation of a long line.
constexpr int SoftBreakMark = QTextFormat::UserProperty + 1;

bool isMarked(const QTextBlock &block) {
    return block.blockFormat().boolProperty(SoftBreakMark);
}

// The lines of a text, and the `count` longest of them (longest first).
struct LineScan {
    int lines = 0;
    std::vector<QStringView> longest;
};

LineScan scanLines(QStringView text, size_t count) {
    LineScan scan;
    qsizetype start = 0;
    while (true) {
        const qsizetype end = text.indexOf(u'\n', start);
        const QStringView line = text.mid(start, (end < 0 ? text.size() : end) - start);
        ++scan.lines;
        if (scan.longest.size() < count || line.size() > scan.longest.back().size()) {
            auto at = std::upper_bound(scan.longest.begin(), scan.longest.end(), line,
                                       [](QStringView a, QStringView b) { return a.size() > b.size(); });
            scan.longest.insert(at, line);
            if (scan.longest.size() > count)
                scan.longest.pop_back();
        }
        if (end < 0)
            return scan;
        start = end + 1;
    }
}

} // namespace

SourceEditor::SourceEditor(QWidget *parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("sourceEditor"));
    auto *doc = new QTextDocument(this);
    doc->setDocumentLayout(new SourceLayout(doc, viewport()));
    setDocument(doc);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The styles must follow a change before the highlighter paints the changed blocks, so this
    // connection comes first.
    connect(document(), &QTextDocument::contentsChange, this, &SourceEditor::onContentsChange);
    m_highlighter = new StyleHighlighter(document(), m_styles, m_soft);
    connect(this, &QPlainTextEdit::textChanged, this, &SourceEditor::emitCaretPosition);
    m_caretReport.setSingleShot(true);
    m_caretReport.setInterval(0);
    connect(&m_caretReport, &QTimer::timeout, this, &SourceEditor::emitCaretPosition);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!m_caretReport.isActive())
            m_caretReport.start();
    });
    // While a page loads, the widget sizes its scroll bar to the lines loaded so far: it is kept
    // at the whole page's, so that it does not shrink as the rest comes in.
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        if (!m_load.active || m_load.wholeRange)
            return;
        // The widget's maximum is its line count less the lines of the last screenful: add the
        // lines still to come.
        QScopedValueRollback<bool> self(m_load.wholeRange, true);
        QScrollBar *bar = verticalScrollBar();
        bar->setMaximum(bar->maximum() + m_load.blocks - document()->lineCount());
    });
}

SourceEditor::~SourceEditor() {
    delete m_notice;
    // Detaching a highlighter visits every block of its document; empty the document first.
    disconnect(document(), nullptr, this, nullptr);
    document()->clear();
    delete m_highlighter;
}

// ---- text -------------------------------------------------------------------------------------

QString SourceEditor::text() const {
    ensureLoaded();
    if (!m_textCacheValid) {
        m_textCache = plainFromDocument(m_soft.strip(document()->toRawText(), 0));
        m_textCacheValid = true;
    }
    return m_textCache;
}

int SourceEditor::textLength() const {
    ensureLoaded();
    return loadedLength();
}

int SourceEditor::loadedLength() const {
    return docLength() - m_soft.count();
}

int SourceEditor::docLength() const {
    return document()->characterCount() - 1;
}

QString SourceEditor::textRange(int start, int length) const {
    ensureLoaded();
    return loadedRange(start, length);
}

QString SourceEditor::loadedRange(int start, int length) const {
    const int size = loadedLength();
    start = qBound(0, start, size);
    length = qBound(0, length, size - start);
    if (m_textCacheValid)
        return m_textCache.mid(start, length);
    const int docStart = m_soft.toDoc(start, SoftBreaks::AfterBreak);
    const int docEnd = length > 0 ? m_soft.toDoc(start + length, SoftBreaks::BeforeBreak) : docStart;
    // From the blocks' texts: a cursor would lay out every block it is put into.
    QString out;
    out.reserve(length);
    for (QTextBlock b = document()->findBlock(docStart); b.isValid() && b.position() < docEnd;
         b = b.next()) {
        const int at = b.position();
        const int breakAt = at + b.length() - 1;
        const int from = qMax(docStart, at) - at;
        out.append(QStringView(b.text()).mid(from, qMin(docEnd, breakAt) - at - from));
        if (breakAt < docEnd && !m_soft.contains(breakAt))
            out.append(u'\n');
    }
    return out;
}

void SourceEditor::setDocumentText(const QString &text) {
    const QString plain = plainLineBreaks(text);
    std::vector<int> breaks;
    const QString shown =
        m_longLine > 0 ? SoftBreaks::split(plain, m_longLine, m_piece, &breaks) : plain;
    // A load still running gives way; a new one keeps the rest of a large page back.
    m_load = Loading();
    // The widest lines are measured now, so that the horizontal scroll bar is settled with the
    // first screen and does not change as lines are laid out (while loading, as they are shown).
    const LineScan scan = scanLines(shown, 8);
    document()->setUndoRedoEnabled(true);
    QString first = shown;
    const qsizetype firstPart =
        shown.size() > m_backgroundLoading ? shown.indexOf(u'\n', m_firstPart) : -1;
    if (firstPart > 0 && firstPart + 1 < shown.size()) {
        m_load.active = true;
        m_load.blocks = scan.lines;
        m_load.rest = shown;
        m_load.at = firstPart + 1;
        first = shown.left(m_load.at);
        const auto later = std::lower_bound(breaks.begin(), breaks.end(), int(m_load.at));
        m_load.breaks.assign(later, breaks.end());
        breaks.erase(later, breaks.end());
    }
    const bool pieces = !breaks.empty() || !m_load.breaks.empty();
    {
        QScopedValueRollback<bool> self(m_selfEdit, true);
        // The document's own load (undo history cleared) without the widget's extra pass that
        // sets one character format over the whole text.
        document()->setPlainText(first);
        m_soft.assign(std::move(breaks));
        m_breakMarks = pieces;
        if (!m_soft.isEmpty()) {
            document()->setUndoRedoEnabled(false);
            QTextCursor c(document());
            // One change for all marks, so that the layout does not lay out each marked block.
            c.beginEditBlock();
            markBreaks(c, 0, docLength());
            c.endEditBlock();
            document()->setUndoRedoEnabled(true);
        }
    }
    m_markFrom = m_markTo = -1;
    m_textCacheValid = false;
    m_textCache = QString();
    static_cast<SourceLayout *>(document()->documentLayout())->reserveWidthFor(scan.longest);
    // A drop that moves text within the editor is one change from the dragged text to the drop
    // point, which cannot tell the pieces' breaks it passes over from line breaks.
    setAcceptDrops(!m_breakMarks);
    // Room for typing where the caret starts, so that the first keystroke does not copy the whole
    // array; and for the text still to load.
    const int total = int(shown.size()) - m_soft.count() - int(m_load.breaks.size());
    m_styles.reset(loadedLength(), total - loadedLength() + total / 64 + 4096);
    if (m_load.active) {
        // Nothing is edited until the rest is in (an edit waits for it), so no undo step is lost.
        document()->setUndoRedoEnabled(false);
        scheduleLoadSlice();
    }
    document()->setModified(false);
    setTextCursor(QTextCursor(document()));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    // No copy of the loaded text is kept: on a large page it would double what the document
    // holds. text() makes one when a command asks.
    m_pass.active = false;
    viewport()->update();
}

void SourceEditor::scheduleLoadSlice() {
    if (m_load.scheduled || !m_load.active)
        return;
    m_load.scheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_load.scheduled = false;
        // A slice well under a frame, as for the colouring.
        loadSlice(4);
    });
}

void SourceEditor::finishLoading() {
    if (!m_load.active)
        return;
    WaitCursor wait;
    loadSlice(INT_MAX);
}

void SourceEditor::loadSlice(int budgetMs) {
    if (!m_load.active)
        return;
    QElapsedTimer clock;
    clock.start();
    const int blocksBefore = document()->blockCount();
    {
        // Loading is no change of the text: no modified flag, no text-changed signal. Nor does
        // the editor repaint for text that comes in below what it shows (see below).
        const QSignalBlocker quiet(document());
        const QSignalBlocker quietLayout(document()->documentLayout());
        QScopedValueRollback<bool> self(m_selfEdit, true);
        QTextCursor c(document());
        do {
            qsizetype next = m_load.rest.indexOf(u'\n', m_load.at + qMin(m_firstPart, 16 * 1024));
            next = next < 0 ? m_load.rest.size() : next + 1;
            c.movePosition(QTextCursor::End);
            // One change per part, so that the layout deals with its blocks together.
            c.beginEditBlock();
            const size_t firstBreak = m_load.nextBreak;
            while (m_load.nextBreak < m_load.breaks.size() &&
                   m_load.breaks[m_load.nextBreak] < next)
                ++m_load.nextBreak;
            const int *soft = m_load.breaks.data();
            insertMarked(c, QStringView(m_load.rest).mid(m_load.at, next - m_load.at),
                         int(m_load.at), soft + firstBreak, soft + m_load.nextBreak);
            m_soft.add(std::vector<int>(soft + firstBreak, soft + m_load.nextBreak));
            c.endEditBlock();
            m_load.at = next;
            // Coloured part by part, so that a load finished at once copies no more than a part.
            const int partStart = m_styles.size();
            m_styles.insert(partStart, loadedLength() - partStart, CharStyle::Text);
            if (m_pass.active && m_pass.followsLoad) {
                m_pass.end = loadedLength();
                colorLoadedText(partStart);
            }
        } while (m_load.at < m_load.rest.size() && clock.elapsed() < budgetMs);
        document()->setModified(false);
    }
    // The widget follows the document's size four times a second: the width of the lines laid
    // out so far, while the vertical scroll bar spans the whole page from the start (see the
    // constructor). Following it lays out the last screenful of blocks, layouts that stay: at
    // every slice they would add up to tens of megabytes over a large page.
    const bool done = m_load.at >= m_load.rest.size();
    if (done || !m_load.shown.isValid() || m_load.shown.elapsed() >= 250) {
        QAbstractTextDocumentLayout *layout = document()->documentLayout();
        Q_EMIT layout->documentSizeChanged(layout->documentSize());
        m_load.shown.start();
    }
    // Text coming in where it shows (at first, on a short screenful) is painted.
    const int shownBlocks = viewport()->height() / qMax(1, fontMetrics().lineSpacing()) + 2;
    if (firstVisibleBlock().blockNumber() + shownBlocks >= blocksBefore)
        viewport()->update();
    m_textCacheValid = false;
    m_textCache = QString();
    if (done) {
        m_load = Loading();
        document()->setUndoRedoEnabled(true);
        m_pass.followsLoad = false;
        // Typing starts near the top more often than at the end.
        m_styles.placeGap(0);
    } else {
        scheduleLoadSlice();
    }
    if (m_pass.active && !passWaitsForLoad())
        scheduleColorPass();
}

void SourceEditor::insertMarked(QTextCursor &c, QStringView part, int at, const int *soft,
                                const int *softEnd) {
    // The lines of one insertion all take the format of the block they go into, so the text goes
    // in as runs of lines that end in breaks of one kind, each run opened by a block of its own
    // format: no line loses or gains the mark afterwards, one change per line.
    QTextBlockFormat marked;
    marked.setProperty(SoftBreakMark, true);
    qsizetype pos = 0;
    while (pos < part.size()) {
        const qsizetype lineEnd = part.indexOf(u'\n', pos);
        if (lineEnd < 0) {
            c.insertText(part.mid(pos).toString());
            return;
        }
        const bool isSoft = soft != softEnd && *soft == at + lineEnd;
        qsizetype runEnd = lineEnd; // the last break of the run
        if (isSoft) {
            // The following pieces of the same line.
            for (++soft; soft != softEnd && part.indexOf(u'\n', runEnd + 1) == *soft - at; ++soft)
                runEnd = *soft - at;
        } else {
            // The lines up to the one the next soft break cuts.
            const qsizetype nextSoft = soft != softEnd ? *soft - at : part.size();
            runEnd = part.lastIndexOf(u'\n', nextSoft - 1);
        }
        c.insertText(part.mid(pos, lineEnd - pos).toString());
        c.insertBlock(isSoft ? marked : QTextBlockFormat());
        if (runEnd > lineEnd)
            c.insertText(part.mid(lineEnd + 1, runEnd - lineEnd).toString());
        pos = runEnd + 1;
    }
}

void SourceEditor::colorLoadedText(int loadedBefore) {
    // Only a pass that has caught up with the load (all but the few characters it holds back at
    // the end of a piece, see runColorPass) goes on here; one still behind walks the lines.
    if (m_pass.next < loadedBefore - 3 || m_styles.size() != loadedLength())
        return;
    const int loaded = loadedLength();
    const int docLoaded = docLength();
    const bool more = m_load.at < m_load.rest.size();
    // The text in so far ends inside a long line: its last characters may begin a "<!--" that
    // the next part completes.
    const bool cut = more && m_soft.contains(docLoaded - 1);
    const int scanTo = cut ? qMax(m_pass.next, loaded - 3) : loaded;
    // From the text as loaded, without the soft breaks, and two characters before as context
    // for a "-->".
    const int from = qMax(0, m_pass.next - 2);
    const int docFrom = m_soft.toDoc(from, SoftBreaks::AfterBreak);
    const QString text = m_soft.strip(m_load.rest.mid(docFrom, docLoaded - docFrom), docFrom);
    // What a former pass left on the characters held back.
    m_styles.fill(m_pass.next, loadedBefore - m_pass.next, CharStyle::Text);
    bool reachedBack = false; // a tag or comment that closed here began in text already shown
    continueColorPass(text, from, m_pass.state,
                      [&](qsizetype at, qsizetype count, CharStyle style) {
                          m_styles.fill(int(at), int(count), style);
                          reachedBack = reachedBack || (at < loadedBefore && at < shownEnd());
                      },
                      m_pass.next - from, scanTo - from);
    m_pass.next = scanTo;
    if (!more) {
        m_pass.next = loaded + 1;
        m_pass.active = false;
    }
    if (reachedBack || !more)
        viewport()->update();
}

int SourceEditor::shownEnd() const {
    const QTextBlock below = cursorForPosition(QPoint(0, viewport()->height())).block();
    return m_soft.toText(below.position() + below.length());
}

void SourceEditor::onContentsChange(int position, int removed, int added) {
    m_textCacheValid = false;
    m_textCache = QString();
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
        // and the widget's own changes put in no line break (Enter and pastes come through this
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

void SourceEditor::followTextChange(int position, int removed, int added) {
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
}

int SourceEditor::adoptMarkedBreaks(int from, int count) {
    std::vector<int> found;
    for (QTextBlock b = document()->findBlock(from).next(); b.isValid() && b.position() <= from + count;
         b = b.next()) {
        if (isMarked(b))
            found.push_back(b.position() - 1);
    }
    const int adopted = int(found.size());
    m_soft.add(std::move(found));
    return adopted;
}

void SourceEditor::markBreaks(QTextCursor &cursor, int from, int to) {
    QScopedValueRollback<bool> self(m_selfEdit, true);
    QTextBlockFormat marked;
    marked.setProperty(SoftBreakMark, true);
    for (QTextBlock b = document()->findBlock(from); b.isValid() && b.position() <= to + 1;
         b = b.next()) {
        const bool soft = b.position() > 0 && m_soft.contains(b.position() - 1);
        if (isMarked(b) != soft) {
            cursor.setPosition(b.position());
            cursor.setBlockFormat(soft ? marked : QTextBlockFormat());
        }
    }
}

void SourceEditor::settleBreakMarks() {
    if (m_markFrom < 0)
        return;
    const int from = qBound(0, m_markFrom, docLength());
    const int to = qBound(0, m_markTo, docLength());
    m_markFrom = m_markTo = -1;
    bool wrong = false;
    for (QTextBlock b = document()->findBlock(from); b.isValid() && b.position() <= to + 1 && !wrong;
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

CharStyle SourceEditor::insertionStyle(int position, int replaced) const {
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

// ---- selection and changes --------------------------------------------------------------------

int SourceEditor::selectionStart() const {
    return m_soft.toText(textCursor().selectionStart());
}

int SourceEditor::selectionLength() const {
    const QTextCursor c = textCursor();
    return m_soft.toText(c.selectionEnd()) - m_soft.toText(c.selectionStart());
}

void SourceEditor::setSelection(int start, int length) {
    ensureLoaded();
    const int size = textLength();
    start = qBound(0, start, size);
    const int end = qBound(0, start + length, size);
    // A selection covers no soft break at either end; a caret stands at the start of a piece.
    const auto inner = SoftBreaks::AfterBreak;
    const auto outer = SoftBreaks::BeforeBreak;
    QTextCursor c(document());
    c.setPosition(m_soft.toDoc(start, end < start ? outer : inner));
    c.setPosition(m_soft.toDoc(end, end > start ? outer : inner), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString SourceEditor::selectedText() const {
    if (m_soft.isEmpty())
        return plainFromDocument(textCursor().selectedText());
    return textRange(selectionStart(), selectionLength());
}

void SourceEditor::replaceSelection(const QString &text) {
    const int start = selectionStart();
    replaceRange(start, selectionLength(), text);
    setSelection(start + int(plainLineBreaks(text).size()), 0);
}

void SourceEditor::replaceRange(int start, int length, const QString &text) {
    replaceStyled(start, length, plainLineBreaks(text), nullptr);
}

void SourceEditor::replaceStyled(int start, int length, const QString &text,
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
    const int docEnd = length > 0 ? m_soft.toDoc(start + length, SoftBreaks::BeforeBreak) : docStart;
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
        qsizetype at = qMin(text.size(), chunkStart[i - 1] + (pieceEnds[i - 1] - pieceStarts[i - 1]));
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
            const QString chunk = pieces == 1 ? text : text.mid(chunkStart[i], chunkStart[i + 1] - chunkStart[i]);
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
        m_textCacheValid = false;
        m_textCache = QString();
        followTextChange(start, length, int(text.size()));
    }
    if (m_editGroupDepth > 0)
        m_groupSealAt = text.isEmpty() ? -1 : start + int(text.size());
    if (styles && !text.isEmpty())
        m_styles.write(start, int(text.size()), styles);
}

QTextCursor SourceEditor::stepCursor() const {
    // The document notes where the cursor that opens an undo step stands, and undo puts the caret
    // back there: at the caret, as for typing, and not at the start of the page.
    QTextCursor c(document());
    c.setPosition(textCursor().position());
    return c;
}

void SourceEditor::sealUndoStep(QTextCursor &c) {
    // The document joins characters typed right behind an insertion to the insertion's undo
    // step, even when that insertion ended an edit block. A step that ends with a removal is
    // never joined: put a character in and take it out again at the end of the step.
    c.insertText(QStringLiteral(" "));
    c.deletePreviousChar();
}

void SourceEditor::applyEdits(const TextEdits &edits) {
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

int SourceEditor::find(const QString &needle, int from, int to) const {
    return findText(text(), needle, from, to);
}

// ---- lines and caret --------------------------------------------------------------------------

int SourceEditor::lineFromPosition(int pos) const {
    ensureLoaded();
    return lineAt(pos);
}

int SourceEditor::lineAt(int pos) const {
    const QTextBlock block = document()->findBlock(
        m_soft.toDoc(qBound(0, pos, loadedLength()), SoftBreaks::AfterBreak));
    return block.blockNumber() - m_soft.countBefore(block.position());
}

int SourceEditor::firstBlockOfLine(int line) const {
    // Soft break i lies in line blockNumber(break i) - i, which never decreases with i.
    int low = 0;
    int high = m_soft.count();
    while (low < high) {
        const int mid = (low + high) / 2;
        if (document()->findBlock(m_soft.at(mid)).blockNumber() - mid < line)
            low = mid + 1;
        else
            high = mid;
    }
    return line + low;
}

int SourceEditor::lineStart(int line) const {
    ensureLoaded();
    return lineBegin(line);
}

int SourceEditor::lineBegin(int line) const {
    line = qBound(0, line, document()->blockCount() - m_soft.count() - 1);
    if (m_soft.isEmpty())
        return document()->findBlockByNumber(line).position();
    return m_soft.toText(document()->findBlockByNumber(firstBlockOfLine(line)).position());
}

int SourceEditor::lineLength(int line) const {
    line = qBound(0, line, lineCount() - 1);
    if (m_soft.isEmpty())
        return document()->findBlockByNumber(line).length() - 1;
    const int end = line + 1 < lineCount() ? lineStart(line + 1) - 1 : textLength();
    return end - lineStart(line);
}

int SourceEditor::lineCount() const {
    ensureLoaded();
    return document()->blockCount() - m_soft.count();
}

QString SourceEditor::lineText(int line) const {
    if (line < 0 || line >= lineCount())
        return QString();
    if (m_soft.isEmpty())
        return document()->findBlockByNumber(line).text();
    return textRange(lineStart(line), lineLength(line));
}

int SourceEditor::topLine() const {
    const QTextBlock block = firstVisibleBlock();
    return block.blockNumber() - m_soft.countBefore(block.position());
}

void SourceEditor::setTopLine(int line) {
    line = qBound(0, line, lineCount() - 1);
    verticalScrollBar()->setValue(
        document()->findBlockByNumber(firstBlockOfLine(line)).firstLineNumber());
}

void SourceEditor::scrollToPosition(int position, int rowsAbove) {
    ensureLoaded();
    // The layout's new size and the scroll bar it shows or hides come as posted events, and a
    // scroll bar that comes or goes lays every wrapped line out anew, renumbering the rows:
    // settled first, so that the row counted here is the one the scroll bar keeps.
    QCoreApplication::sendPostedEvents(document()->documentLayout(), QEvent::MetaCall);
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    QTextCursor c(document());
    c.setPosition(m_soft.toDoc(qBound(0, position, textLength()), SoftBreaks::AfterBreak));
    const QTextBlock block = c.block();
    // Laid out first: blocks are laid out as they are shown, and a block not laid out yet
    // counts as one row.
    document()->documentLayout()->blockBoundingRect(block);
    const QTextLine row = block.layout()->lineForTextPosition(c.positionInBlock());
    const int top = qMax(0, block.firstLineNumber() + (row.isValid() ? row.lineNumber() : 0) -
                                rowsAbove);
    QScrollBar *bar = verticalScrollBar();
    // Rows further down that are not laid out yet count one each, so the range may still end
    // short of the place; it grows as they are laid out.
    if (top > bar->maximum())
        bar->setMaximum(top);
    bar->setValue(top);
}

int SourceEditor::row() const {
    return lineAt(selectionStart());
}

void SourceEditor::setRow(int line) {
    if (line >= LastLine)
        line = lineCount() - 1;
    setSelection(lineStart(qBound(0, line, lineCount() - 1)), 0);
}

int SourceEditor::col() const {
    const int start = selectionStart();
    if (m_soft.isEmpty())
        return start - document()->findBlock(start).position();
    return start - lineBegin(lineAt(start));
}

void SourceEditor::setCol(int column) {
    const int line = row();
    if (column >= EndOfLine)
        column = lineLength(line);
    setSelection(lineStart(line) + qBound(0, column, lineLength(line)), 0);
}

// ---- brackets ---------------------------------------------------------------------------------

void SourceEditor::beginUpdate() {
    if (m_updateDepth++ == 0)
        viewport()->setUpdatesEnabled(false);
}

void SourceEditor::endUpdate() {
    if (m_updateDepth == 0 || --m_updateDepth > 0)
        return;
    viewport()->setUpdatesEnabled(true);
    viewport()->update();
}

void SourceEditor::beginEditGroup() {
    ensureLoaded();
    if (m_editGroupDepth++ == 0) {
        m_groupCursor = stepCursor();
        m_groupCursor.beginEditBlock();
    }
}

void SourceEditor::endEditGroup() {
    if (m_editGroupDepth == 0 || --m_editGroupDepth > 0)
        return;
    if (m_groupSealAt >= 0) {
        QTextCursor seal(document());
        seal.setPosition(m_soft.toDoc(qMin(m_groupSealAt, textLength()), SoftBreaks::BeforeBreak));
        sealUndoStep(seal);
        m_groupSealAt = -1;
    }
    {
        QScopedValueRollback<bool> ending(m_groupEnding, true);
        m_groupCursor.endEditBlock();
    }
    m_groupCursor = QTextCursor();
    if (m_deferredFirst >= 0) {
        const int first = m_deferredFirst;
        const int last = m_deferredLast;
        m_deferredFirst = m_deferredLast = -1;
        colorCodeLines(first, last);
    }
}

// ---- appearance -------------------------------------------------------------------------------

void SourceEditor::setWordWrap(bool wrap) {
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void SourceEditor::setEditorFont(const QString &family, int pointSize) {
    QFont f(family);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    setFont(f);
}

void SourceEditor::setColors(const QColor &tag, const QColor &text, const QColor &comment,
                             const QColor &background) {
    QPalette p = palette();
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Base, background);
    setPalette(p);
    m_highlighter->setColors(tag, comment);
    viewport()->update();
}

// ---- colour coding ----------------------------------------------------------------------------

CharStyle SourceEditor::styleAt(int pos) const {
    return pos >= 0 && pos < m_styles.size() ? m_styles.at(pos) : CharStyle::Text;
}

void SourceEditor::colorCodeLines(int firstLine, int lastLine) {
    if (m_load.active && firstLine <= 0 && lastLine >= LastLine && m_editGroupDepth == 0) {
        // The whole page while it loads: a pass that goes on with the text as it comes in.
        if (m_colorCoding) {
            startColorPass(0, loadedLength());
            m_pass.followsLoad = true;
        } else {
            m_pass.active = false;
            m_styles.fill(0, m_styles.size(), CharStyle::Text);
        }
        viewport()->update();
        return;
    }
    ensureLoaded();
    if (m_editGroupDepth > 0) {
        m_deferredFirst = m_deferredFirst < 0 ? firstLine : qMin(m_deferredFirst, firstLine);
        m_deferredLast = qMax(m_deferredLast, lastLine);
        return;
    }
    WaitCursor wait;
    beginUpdate();
    const int lines = lineCount();
    const int last = lastLine >= LastLine ? lines - 1 : qBound(0, lastLine, lines - 1);
    const int first = qBound(0, firstLine, lines - 1);
    const bool longRange = qint64(last) - firstLine > LongRangeLines;
    const int rangeStart = lineStart(first);
    const int rangeEnd = lineStart(last) + lineLength(last);
    if (!m_colorCoding) {
        m_pass.active = false;
        m_styles.fill(0, m_styles.size(), CharStyle::Text);
    } else if (first <= last && m_styles.size() == textLength() &&
               rangeEnd - rangeStart > BackgroundColoringCharacters) {
        // A pass still running goes on as part of this one. (A short range is coloured at once
        // and leaves a running pass alone: the pass colours that part again when it gets there.)
        if (m_pass.active)
            startColorPass(qMin(rangeStart, m_pass.next), qMax(rangeEnd, m_pass.end));
        else
            startColorPass(rangeStart, rangeEnd);
    } else if (first <= last && m_styles.size() == textLength()) {
        if (longRange) {
            if (!m_notice)
                m_notice = new ColorCodingNotice(window());
            m_notice->showNow(this);
        }
        const int size = textLength();
        const int start = rangeStart;
        const int end = rangeEnd;
        const int styled = qMin(end + 1, size) - start; // the line break after the range too
        const QString part = textRange(start, styled);
        std::vector<CharStyle> styles(size_t(qMax(0, styled)));
        colorCodeRange(part, 0, end - start, styles.data());
        m_styles.write(start, styled, styles.data());
        if (longRange)
            m_notice->hide();
    }
    viewport()->update();
    setFocus();
    endUpdate();
}

void SourceEditor::startColorPass(int start, int end) {
    m_pass.active = true;
    m_pass.followsLoad = false;
    m_pass.next = start;
    m_pass.end = end;
    m_pass.state = ColorPassState();
    scheduleColorPass();
}

void SourceEditor::scheduleColorPass() {
    if (m_pass.scheduled || !m_pass.active)
        return;
    m_pass.scheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_pass.scheduled = false;
        if (!m_pass.active)
            return;
        // A slice well under a frame, so that keys and scrolling are served in between.
        runColorPass(-1, 8);
        // Waiting for more text, it goes on when the next part is in.
        if (!passWaitsForLoad())
            scheduleColorPass();
    });
}

bool SourceEditor::passWaitsForLoad() const {
    // All the text in is coloured but for the few characters held back at the end of a piece.
    return m_load.active && m_pass.next >= loadedLength() - 3;
}

void SourceEditor::runColorPass(int pos, int budgetMs) {
    if (!m_pass.active)
        return;
    const int size = loadedLength();
    if (m_styles.size() != size) {
        m_pass.active = false;
        return;
    }
    QElapsedTimer clock;
    clock.start();
    auto paint = [this](qsizetype from, qsizetype count, CharStyle style) {
        m_styles.fill(int(from), int(count), style);
    };
    int lines = 0;
    QTextBlock block = document()->findBlock(m_soft.toDoc(m_pass.next, SoftBreaks::AfterBreak));
    while (block.isValid() && m_pass.next <= m_pass.end) {
        // The last (empty) block of a text still loading is where the next part goes in.
        if (m_load.active && !block.next().isValid())
            break;
        if (pos >= 0) {
            // Done once past pos, unless something that opened before pos is still open.
            const auto openBefore = [&](qsizetype p) { return p >= 0 && p < pos; };
            if (m_pass.next > pos && !openBefore(m_pass.state.tagOpen) &&
                !openBefore(m_pass.state.commentOpen))
                break;
        } else if ((++lines & 63) == 0 && clock.elapsed() >= budgetMs) {
            break;
        }
        const int blockDoc = block.position();
        const int blockStart = m_soft.toText(blockDoc);
        // Its line break, or where the next piece of its line starts.
        const int lineEnd = blockStart + block.length() - 1;
        const bool cutBefore = !m_soft.isEmpty() && m_soft.contains(blockDoc - 1);
        const bool cutAfter = !m_soft.isEmpty() && m_soft.contains(blockDoc + block.length() - 1);
        const int from = qMax(blockStart, m_pass.next);
        int to = qMin(lineEnd, m_pass.end);
        // The last piece in so far of a line still loading: its last characters wait for the
        // next piece, which may complete a "<!--" they begin.
        const bool waits = cutAfter && m_load.active && !block.next().next().isValid();
        if (waits)
            to = qMax(from, to - 3);
        // The line break after the range's last line is text too, as in a pass over lines.
        m_styles.fill(from, qMin(cutAfter ? to : to + 1, size) - from, CharStyle::Text);
        if (!cutBefore && !cutAfter) {
            const QString line = block.text();
            continueColorPass(QStringView(line).mid(from - blockStart, to - from), from,
                              m_pass.state, paint);
        } else {
            // A piece of a long line: a "<!--" or "-->" may be cut apart at either end.
            const int before = qMin(from, 2);
            const QString around = loadedRange(from - before, to - from + before + 3);
            continueColorPass(around, from - before, m_pass.state, paint, before,
                              before + (to - from));
        }
        m_pass.next = cutAfter ? to : to + 1;
        if (waits)
            break;
        // The end of a pass that follows a load is only where the text in so far ends, which may
        // be a piece of a long line whose next piece is still to come: the pass waits there.
        if (to >= m_pass.end && !(m_pass.followsLoad && m_load.active)) {
            m_pass.next = to + 1;
            break;
        }
        block = block.next();
    }
    if (!block.isValid() || m_pass.next > m_pass.end) {
        m_pass.active = false;
        viewport()->update();
    }
}

void SourceEditor::finishColoring() {
    if (m_pass.active)
        runColorPass(textLength() + 1, 0);
    m_pass.active = false;
}

void SourceEditor::redoColorCoding() {
    WaitCursor wait;
    beginUpdate();
    const int start = selectionStart();
    const int length = selectionLength();
    if (length == 0)
        colorCodeLines(0, LastLine);
    else
        colorCodeLines(lineFromPosition(start), lineFromPosition(start + length));
    endUpdate();
}

void SourceEditor::paintVisibleBlocks(const QRegion &painting) {
    if (m_styles.size() != loadedLength())
        return;
    const QPointF offset = contentOffset();
    const qreal bottom = viewport()->rect().bottom();
    if (m_pass.active) {
        // Colour what is about to be shown before the pass gets there by itself.
        const int lastShown = shownEnd();
        if (lastShown > m_pass.next)
            runColorPass(lastShown, 0);
    }
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (blockBoundingGeometry(block).translated(offset).top() > bottom)
            break;
        if (block.isVisible() && !m_highlighter->isCurrent(block)) {
            // Repainting a block goes through an (empty) edit of the document, which would
            // report a text change; colours are not one. The layout would also ask to repaint
            // the whole editor (it takes the block's new formats for a change reaching into the
            // next block): this paint draws the block anyway, or else the block alone is asked
            // for below.
            const QSignalBlocker quiet(document());
            const QSignalBlocker quietLayout(document()->documentLayout());
            m_highlighter->rehighlightBlock(block);
            const QRect area = blockBoundingGeometry(block).translated(offset).toAlignedRect();
            const QRect shown(0, area.top(), viewport()->width(), area.height());
            if (!painting.contains(shown))
                viewport()->update(shown);
        }
    }
}

// ---- undo -------------------------------------------------------------------------------------

void SourceEditor::undo() {
    undoRedo(true);
}

void SourceEditor::redo() {
    undoRedo(false);
}

void SourceEditor::selectAll() {
    ensureLoaded();
    QPlainTextEdit::selectAll();
}

void SourceEditor::cut() {
    ensureLoaded();
    const QTextCursor c = textCursor();
    if (m_breakMarks && !isReadOnly() && spansBlocks(c.selectionStart(), c.selectionEnd())) {
        // See editAcrossBlocks.
        copy();
        replaceSelection(QString());
        return;
    }
    QPlainTextEdit::cut();
    settleBreakMarks();
}

void SourceEditor::undoRedo(bool undo) {
    ensureLoaded();
    settleBreakMarks();
    m_undoFrom = m_undoTo = -1;
    {
        QScopedValueRollback<bool> tracking(m_trackingUndo, true);
        if (undo)
            QPlainTextEdit::undo();
        else
            QPlainTextEdit::redo();
    }
    if (m_colorCoding && m_undoFrom >= 0)
        colorCodeLines(lineFromPosition(m_undoFrom), lineFromPosition(m_undoTo));
}

// ---- events -----------------------------------------------------------------------------------

void SourceEditor::emitCaretPosition() {
    Q_EMIT caretPositionChanged(col(), row());
}

bool SourceEditor::typeCharacter(QChar typed) {
    const QTextCursor cursor = textCursor();
    const QTextBlock block = document()->findBlock(cursor.selectionStart());
    const int column = cursor.selectionStart() - block.position();
    const TypingStyle decided = typingStyle(block.text(), column, typed);
    const int start = m_soft.toText(cursor.selectionStart());
    if (decided.opensComment)
        m_styles.fill(start - 3, 3, CharStyle::Comment);
    if (decided.style)
        m_insertStyle = decided.style;
    if (!m_convertExtended)
        return false;
    const QString entity = entityForCharacter(typed);
    if (entity.isEmpty())
        return false;
    // The entity goes in as one change, so one undo takes it out again.
    int length = m_soft.toText(cursor.selectionEnd()) - start;
    if (length == 0 && overwriteMode() && !cursor.atBlockEnd())
        length = 1;
    const QString inserted = entity + QLatin1Char(';');
    beginEditGroup();
    replaceRange(start, length, inserted);
    endEditGroup();
    m_insertStyle.reset();
    setSelection(start + int(inserted.size()), 0);
    return true;
}

void SourceEditor::keyPressEvent(QKeyEvent *event) {
    Q_EMIT userInteraction();
    if (m_load.active) {
        // Moving about the part that is in needs no more; anything else waits for the rest.
        const Qt::KeyboardModifiers held =
            event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        const int key = event->key();
        const bool modifier = key == Qt::Key_Shift || key == Qt::Key_Control ||
                              key == Qt::Key_Alt || key == Qt::Key_Meta;
        const bool move =
            (held == Qt::NoModifier &&
             (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
              key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
              key == Qt::Key_Home || key == Qt::Key_End)) ||
            (held == Qt::ControlModifier &&
             (key == Qt::Key_Home || key == Qt::Key_Left || key == Qt::Key_Right));
        if (!move && !modifier)
            finishLoading();
    }
    settleBreakMarks();
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_Insert && held == Qt::NoModifier) {
        setOverwriteMode(!overwriteMode());
        Q_EMIT overwriteModeToggled(overwriteMode());
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Undo)) {
        undo();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        redo();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       !(held & (Qt::ControlModifier | Qt::AltModifier));
    if (enter && (held & Qt::ShiftModifier)) {
        // The widget would put in a Unicode line separator, which is no line break in a page.
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), ushort(event->count()));
        keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    if (!isReadOnly() && m_breakMarks && editAcrossBlocks(event)) {
        event->accept();
        return;
    }
    if (!isReadOnly() && enter) {
        // A line break is coloured like any typed character (text after a ">").
        typeCharacter(u'\n');
        if (m_breakMarks) {
            // The widget's own line break would take the format of the block it splits, mark
            // and all (and in an empty block with a format of its own, only clear the format).
            replaceSelection(QStringLiteral("\n"));
            m_insertStyle.reset();
            ensureCursorVisible();
            event->accept();
            return;
        }
    } else if (!isReadOnly() && typed.size() == 1 &&
               (typed.at(0).isPrint() || typed.at(0) == u'\t') && typeCharacter(typed.at(0))) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    m_insertStyle.reset();
    settleBreakMarks();
}

bool SourceEditor::spansBlocks(int from, int to) const {
    const QTextBlock block = document()->findBlock(from);
    return block.position() + block.length() - 1 < to;
}

bool SourceEditor::editAcrossBlocks(QKeyEvent *event) {
    // Removing a line break or a soft break through the widget joins two blocks, and the joined
    // block may keep the wrong one's mark; such keys change the text through this class instead,
    // which keeps the marks right in the same undo step. Backspace at the start of a piece and
    // Delete at its end take out the character beyond the soft break, as in the one line the
    // pieces are.
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool wordBack = event->matches(QKeySequence::DeleteStartOfWord);
    const bool wordForward = event->matches(QKeySequence::DeleteEndOfWord);
    const bool back = wordBack || (event->key() == Qt::Key_Backspace && !(held & ~Qt::ShiftModifier));
    const bool forward = wordForward || (event->key() == Qt::Key_Delete && held == Qt::NoModifier);
    const QString typed = event->text();
    const bool typing = typed.size() == 1 && (typed.at(0).isPrint() || typed.at(0) == u'\t') &&
                        !(held & (Qt::ControlModifier | Qt::AltModifier));
    const QTextCursor c = textCursor();
    QTextCursor range = c;
    QString insert;
    if (event->matches(QKeySequence::Cut)) {
        if (!spansBlocks(c.selectionStart(), c.selectionEnd()))
            return false;
        copy();
    } else if (c.hasSelection()) {
        if (typing) {
            const QString entity = m_convertExtended ? entityForCharacter(typed.at(0)) : QString();
            insert = entity.isEmpty() ? typed : entity + QLatin1Char(';');
        } else if (!back && !forward) {
            return false;
        }
    } else if (back || forward) {
        range.movePosition(wordBack      ? QTextCursor::PreviousWord
                           : wordForward ? QTextCursor::NextWord
                           : back        ? QTextCursor::PreviousCharacter
                                         : QTextCursor::NextCharacter,
                           QTextCursor::KeepAnchor);
    } else {
        return false;
    }
    if (!range.hasSelection() || !spansBlocks(range.selectionStart(), range.selectionEnd()))
        return false;
    int from = m_soft.toText(range.selectionStart());
    int to = m_soft.toText(range.selectionEnd());
    if (from == to && !c.hasSelection()) {
        // Only a soft break in between: the character beyond it goes, both halves of a
        // surrogate pair together.
        const QString around = textRange(from - 2, 4);
        const int at = qMin(from, 2);
        if (back && from > 0) {
            from -= (at == 2 && around.at(1).isLowSurrogate() && around.at(0).isHighSurrogate()) ? 2 : 1;
        } else if (!back && to < textLength()) {
            to += (around.size() > at + 1 && around.at(at).isHighSurrogate() &&
                   around.at(at + 1).isLowSurrogate()) ? 2 : 1;
        }
    }
    const int line = lineFromPosition(from);
    replaceRange(from, to - from, insert);
    setSelection(from + int(insert.size()), 0);
    if (m_colorCoding)
        colorCodeLines(line, lineFromPosition(from + int(insert.size())));
    ensureCursorVisible();
    return true;
}

void SourceEditor::keyReleaseEvent(QKeyEvent *event) {
    QPlainTextEdit::keyReleaseEvent(event);
    emitCaretPosition();
}

void SourceEditor::mousePressEvent(QMouseEvent *event) {
    Q_EMIT userInteraction();
    if (event->button() == Qt::RightButton)
        Q_EMIT rightButtonPressed();
    QPlainTextEdit::mousePressEvent(event);
    emitCaretPosition();
}

void SourceEditor::mouseReleaseEvent(QMouseEvent *event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    emitCaretPosition();
}

void SourceEditor::focusInEvent(QFocusEvent *event) {
    QPlainTextEdit::focusInEvent(event);
    emitCaretPosition();
}

void SourceEditor::paintEvent(QPaintEvent *event) {
    paintVisibleBlocks(event->region());
    QPlainTextEdit::paintEvent(event);
}

void SourceEditor::scrollContentsBy(int dx, int dy) {
    QScrollBar *bar = verticalScrollBar();
    if (m_load.active && bar->value() + bar->pageStep() >= document()->blockCount()) {
        // Scrolled to where the text is not yet in (the scroll bar spans the whole page): the
        // rest comes in first. Sizing the scroll bar to it puts the widget back at its top line,
        // from where the place asked for is scrolled to.
        const int wanted = bar->value();
        finishLoading();
        if (bar->value() != wanted) {
            bar->setValue(wanted);
            return;
        }
    }
    QPlainTextEdit::scrollContentsBy(dx, dy);
}

void SourceEditor::resizeEvent(QResizeEvent *event) {
    if (lineWrapMode() == QPlainTextEdit::NoWrap && event->oldSize().width() != event->size().width()) {
        // A new width relays out nothing when lines are not wrapped, but the base class would
        // still give every line of the document a layout of its own: on a page of a million lines
        // that is over a second and hundreds of megabytes. Tell it the width stayed.
        QResizeEvent sameWidth(event->size(), QSize(event->size().width(), event->oldSize().height()));
        QPlainTextEdit::resizeEvent(&sameWidth);
        return;
    }
    QPlainTextEdit::resizeEvent(event);
}

void SourceEditor::setContextMenu(QMenu *menu) {
    m_contextMenu = menu;
}

void SourceEditor::contextMenuEvent(QContextMenuEvent *event) {
    if (m_contextMenu)
        m_contextMenu->exec(event->globalPos());
    else
        QPlainTextEdit::contextMenuEvent(event);
}

void SourceEditor::dropEvent(QDropEvent *event) {
    ensureLoaded();
    QPlainTextEdit::dropEvent(event);
}

void SourceEditor::insertFromMimeData(const QMimeData *source) {
    ensureLoaded();
    if (!source || !source->hasText())
        return;
    if (m_breakMarks) {
        // See Enter: line breaks go in through this class.
        replaceSelection(source->text());
        ensureCursorVisible();
        return;
    }
    insertPlainText(source->text());
}

QMimeData *SourceEditor::createMimeDataFromSelection() const {
    if (m_soft.isEmpty())
        return QPlainTextEdit::createMimeDataFromSelection();
    auto *data = new QMimeData;
    data->setText(selectedText());
    return data;
}

void SourceEditor::inputMethodEvent(QInputMethodEvent *event) {
    ensureLoaded();
    settleBreakMarks();
    const QTextCursor c = textCursor();
    if (m_breakMarks && !isReadOnly() && spansBlocks(c.selectionStart(), c.selectionEnd()) &&
        (!event->commitString().isEmpty() || !event->preeditString().isEmpty()))
        replaceSelection(QString()); // see editAcrossBlocks
    QPlainTextEdit::inputMethodEvent(event);
    settleBreakMarks();
}

void SourceEditor::setBackgroundLoading(int characters, int firstPart) {
    m_backgroundLoading = characters;
    m_firstPart = firstPart;
}

void SourceEditor::setLongLineLimits(int longLine, int piece) {
    m_longLine = longLine;
    m_piece = piece;
}

bool SourceEditor::breakMarksConsistent() const {
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (b.position() > 0 && isMarked(b) != m_soft.contains(b.position() - 1))
            return false;
    }
    return true;
}
