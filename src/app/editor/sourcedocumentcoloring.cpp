// Colouring the document's characters: a range of lines at once, or a pass that runs in the
// background a slice at a time (and follows a page still loading), and the highlighter that
// turns the styles into the blocks' formats as views paint them.
#include "editor/sourcedocument.h"

#include "editor/stylehighlighter.h"
#include "widgets/windowplacement.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <climits>

void SourceDocument::setColors(const QColor &tag, const QColor &comment) {
    m_highlighter->setColors(tag, comment);
}

bool SourceDocument::refreshBlockColors(const QTextBlock &block) {
    if (m_highlighter->isCurrent(block))
        return false;
    // Repainting a block goes through an (empty) edit of the document, which would report a
    // text change; colours are not one. The layout would also ask to repaint every view (it
    // takes the block's new formats for a change reaching into the next block): the view that
    // asks draws the block anyway.
    const QSignalBlocker quiet(m_doc);
    const QSignalBlocker quietLayout(m_doc->documentLayout());
    m_highlighter->rehighlightBlock(block);
    return true;
}

void SourceDocument::colorCodeLines(int firstLine, int lastLine) {
    if (m_load.active && firstLine <= 0 && lastLine >= LastLine && m_editGroupDepth == 0) {
        // The whole page while it loads: a pass that goes on with the text as it comes in.
        if (m_colorCoding) {
            startColorPass(0, loadedLength());
            m_pass.followsLoad = true;
        } else {
            m_pass.active = false;
            m_styles.fill(0, m_styles.size(), CharStyle::Text);
        }
        Q_EMIT stylesChanged(0, INT_MAX);
        return;
    }
    ensureLoaded();
    if (m_editGroupDepth > 0) {
        m_deferredFirst = m_deferredFirst < 0 ? firstLine : qMin(m_deferredFirst, firstLine);
        m_deferredLast = qMax(m_deferredLast, lastLine);
        return;
    }
    WaitCursor wait;
    const int lines = lineCount();
    const int last = lastLine >= LastLine ? lines - 1 : qBound(0, lastLine, lines - 1);
    const int first = qBound(0, firstLine, lines - 1);
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
        const bool longRange = qint64(last) - firstLine > LongRangeLines;
        if (longRange)
            Q_EMIT longColoring(true);
        colorRangeNow(rangeStart, rangeEnd);
        if (longRange)
            Q_EMIT longColoring(false);
    }
    Q_EMIT linesColorCoded();
}

void SourceDocument::colorRangeNow(int start, int end) {
    const int styled = qMin(end + 1, textLength()) - start; // the line break after the range too
    const QString part = textRange(start, styled);
    std::vector<CharStyle> styles(size_t(qMax(0, styled)));
    colorCodeRange(part, 0, end - start, styles.data());
    m_styles.write(start, styled, styles.data());
}

void SourceDocument::startColorPass(int start, int end) {
    m_pass.active = true;
    m_pass.followsLoad = false;
    m_pass.next = start;
    m_pass.end = end;
    m_pass.state = ColorPassState();
    scheduleColorPass();
}

void SourceDocument::scheduleColorPass() {
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

bool SourceDocument::passWaitsForLoad() const {
    // All the text in is coloured but for the few characters held back at the end of a piece.
    return m_load.active && m_pass.next >= loadedLength() - 3;
}

void SourceDocument::colorUpTo(int pos) {
    if (m_pass.active && pos > m_pass.next && m_styles.size() == loadedLength())
        runColorPass(pos, 0);
}

void SourceDocument::runColorPass(int pos, int budgetMs) {
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
    QTextBlock block = m_doc->findBlock(m_soft.toDoc(m_pass.next, SoftBreaks::AfterBreak));
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
        Q_EMIT stylesChanged(0, INT_MAX);
    }
}

void SourceDocument::colorLoadedText(int loadedBefore) {
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
    int reachedBack =
        INT_MAX; // where a tag or comment that closed here began, in text shown before
    continueColorPass(
        text, from, m_pass.state,
        [&](qsizetype at, qsizetype count, CharStyle style) {
            m_styles.fill(int(at), int(count), style);
            if (at < loadedBefore)
                reachedBack = qMin(reachedBack, int(at));
        },
        m_pass.next - from, scanTo - from);
    m_pass.next = scanTo;
    if (!more) {
        m_pass.next = loaded + 1;
        m_pass.active = false;
        Q_EMIT stylesChanged(0, INT_MAX);
    } else if (reachedBack < loadedBefore) {
        Q_EMIT stylesChanged(reachedBack, loadedBefore);
    }
}

void SourceDocument::finishColoring() {
    if (m_pass.active)
        runColorPass(textLength() + 1, 0);
    m_pass.active = false;
}
