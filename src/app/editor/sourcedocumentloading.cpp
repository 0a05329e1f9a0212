// Putting a page's text into the document: long lines cut into pieces at soft breaks, and a large
// page's rest loaded in the background a slice at a time after its first part.
#include "editor/sourcedocument.h"

#include "editor/sourcelayout.h"
#include "text/plaintext.h"
#include "widgets/windowplacement.h"

#include <QAbstractTextDocumentLayout>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace {

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
            auto at =
                std::upper_bound(scan.longest.begin(), scan.longest.end(), line,
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

void SourceDocument::setText(const QString &text, bool colorCode) {
    ++m_programLoad;
    loadText(text);
    if (colorCode)
        colorCodeLines(0, LastLine);
    m_doc->setModified(false);
    --m_programLoad;
}

void SourceDocument::loadText(const QString &text) {
    const QString plain = plainLineBreaks(text);
    std::vector<int> breaks;
    const QString shown =
        m_longLine > 0 ? SoftBreaks::split(plain, m_longLine, m_piece, &breaks) : plain;
    // A load still running gives way; a new one keeps the rest of a large page back.
    m_load = Loading();
    // The widest lines are measured now, so that the horizontal scroll bar is settled with the
    // first screen and does not change as lines are laid out (while loading, as they are shown).
    const LineScan scan = scanLines(shown, 8);
    m_doc->setUndoRedoEnabled(true);
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
        m_doc->setPlainText(first);
        m_soft.assign(std::move(breaks));
        m_breakMarks = pieces;
        if (!m_soft.isEmpty()) {
            m_doc->setUndoRedoEnabled(false);
            QTextCursor c(m_doc);
            // One change for all marks, so that the layout does not lay out each marked block.
            c.beginEditBlock();
            markBreaks(c, 0, docLength());
            c.endEditBlock();
            m_doc->setUndoRedoEnabled(true);
        }
    }
    m_markFrom = m_markTo = -1;
    invalidateTextCache();
    static_cast<SourceLayout *>(m_doc->documentLayout())->reserveWidthFor(scan.longest);
    // Room for typing where the caret starts, so that the first keystroke does not copy the whole
    // array; and for the text still to load.
    const int total = int(shown.size()) - m_soft.count() - int(m_load.breaks.size());
    m_styles.reset(loadedLength(), total - loadedLength() + total / 64 + 4096);
    if (m_load.active) {
        // Nothing is edited until the rest is in (an edit waits for it), so no undo step is lost.
        m_doc->setUndoRedoEnabled(false);
        scheduleLoadSlice();
    }
    m_doc->setModified(false);
    // No copy of the loaded text is kept: on a large page it would double what the document
    // holds. text() makes one when a command asks.
    m_pass.active = false;
    Q_EMIT textReplaced();
}

void SourceDocument::scheduleLoadSlice() {
    if (m_load.scheduled || !m_load.active)
        return;
    m_load.scheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_load.scheduled = false;
        // A slice well under a frame, as for the colouring.
        loadSlice(4);
    });
}

void SourceDocument::finishLoading() {
    if (!m_load.active)
        return;
    WaitCursor wait;
    loadSlice(INT_MAX);
}

void SourceDocument::loadSlice(int budgetMs) {
    if (!m_load.active)
        return;
    QElapsedTimer clock;
    clock.start();
    const int blocksBefore = m_doc->blockCount();
    {
        // Loading is no change of the text: no modified flag, no text-changed signal. Nor do the
        // views repaint for text that comes in below what they show (see partLoaded).
        const QSignalBlocker quiet(m_doc);
        const QSignalBlocker quietLayout(m_doc->documentLayout());
        QScopedValueRollback<bool> self(m_selfEdit, true);
        QTextCursor c(m_doc);
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
        m_doc->setModified(false);
    }
    // The views follow the document's size four times a second: the width of the lines laid out
    // so far, while their vertical scroll bars span the whole page from the start. Following it
    // lays out the last screenful of blocks, layouts that stay: at every slice they would add up
    // to tens of megabytes over a large page.
    const bool done = m_load.at >= m_load.rest.size();
    if (done || !m_load.shown.isValid() || m_load.shown.elapsed() >= 250) {
        QAbstractTextDocumentLayout *layout = m_doc->documentLayout();
        Q_EMIT layout->documentSizeChanged(layout->documentSize());
        m_load.shown.start();
    }
    Q_EMIT partLoaded(blocksBefore);
    invalidateTextCache();
    if (done) {
        m_load = Loading();
        m_doc->setUndoRedoEnabled(true);
        m_pass.followsLoad = false;
        // Typing starts near the top more often than at the end.
        m_styles.placeGap(0);
    } else {
        scheduleLoadSlice();
    }
    if (m_pass.active && !passWaitsForLoad())
        scheduleColorPass();
}

void SourceDocument::insertMarked(QTextCursor &c, QStringView part, int at, const int *soft,
                                  const int *softEnd) {
    // The lines of one insertion all take the format of the block they go into, so the text goes
    // in as runs of lines that end in breaks of one kind, each run opened by a block of its own
    // format: no line loses or gains the mark afterwards, one change per line.
    const QTextBlockFormat marked = markedFormat();
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
