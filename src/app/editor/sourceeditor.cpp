#include "editor/sourceeditor.h"

#include "editor/colorcodingnotice.h"
#include "editor/stylehighlighter.h"
#include "editor/typedcharacters.h"
#include "widgets/windowplacement.h"
#include "text/plaintext.h"

#include <QGuiApplication>
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
#include <cstring>
#include <vector>

namespace {

QString plainFromDocument(QString raw) {
    raw.replace(QChar::ParagraphSeparator, u'\n');
    return raw;
}

} // namespace

SourceEditor::SourceEditor(QWidget *parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("sourceEditor"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The styles must follow a change before the highlighter paints the changed blocks, so this
    // connection comes first.
    connect(document(), &QTextDocument::contentsChange, this, &SourceEditor::onContentsChange);
    m_highlighter = new StyleHighlighter(document(), m_styles);
    connect(this, &QPlainTextEdit::textChanged, this, &SourceEditor::emitCaretPosition);
    m_caretReport.setSingleShot(true);
    m_caretReport.setInterval(0);
    connect(&m_caretReport, &QTimer::timeout, this, &SourceEditor::emitCaretPosition);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!m_caretReport.isActive())
            m_caretReport.start();
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
    if (!m_textCacheValid) {
        m_textCache = plainFromDocument(document()->toRawText());
        m_textCacheValid = true;
    }
    return m_textCache;
}

int SourceEditor::textLength() const {
    return document()->characterCount() - 1;
}

QString SourceEditor::textRange(int start, int length) const {
    const int size = textLength();
    start = qBound(0, start, size);
    length = qBound(0, length, size - start);
    if (m_textCacheValid)
        return m_textCache.mid(start, length);
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    return plainFromDocument(c.selectedText());
}

void SourceEditor::setDocumentText(const QString &text) {
    const QString plain = plainLineBreaks(text);
    // The document's own load (undo history cleared) without the widget's extra pass that sets
    // one character format over the whole text.
    document()->setPlainText(plain);
    // Room for typing where the caret starts: the first keystroke must not copy the whole array.
    m_styles.reset(textLength(), textLength() / 64 + 4096);
    document()->setModified(false);
    setTextCursor(QTextCursor(document()));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    // No copy of the loaded text is kept: on a large page it would double what the document
    // holds. text() makes one when a command asks.
    m_pass.active = false;
    viewport()->update();
}

void SourceEditor::onContentsChange(int position, int removed, int added) {
    m_textCacheValid = false;
    m_textCache = QString();
    const int length = textLength();
    if (m_trackingUndo) {
        if (m_undoTo > position)
            m_undoTo = qMax(position, m_undoTo + added - removed);
        m_undoFrom = m_undoFrom < 0 ? position : qMin(m_undoFrom, position);
        m_undoTo = qMax(m_undoTo, position + added);
    }
    if (!m_groupEnding) {
        // Whole-text replacements count the final paragraph separator as well; the size check
        // below puts that right.
        const int gone = qBound(0, removed, m_styles.size() - position);
        const CharStyle style = m_insertStyle ? *m_insertStyle : insertionStyle(position, gone);
        m_styles.remove(position, gone);
        m_styles.insert(position, qBound(0, added, length - m_styles.size()), style);
    }
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
    return textCursor().selectionStart();
}

int SourceEditor::selectionLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void SourceEditor::setSelection(int start, int length) {
    const int size = textLength();
    start = qBound(0, start, size);
    const int end = qBound(0, start + length, size);
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString SourceEditor::selectedText() const {
    return plainFromDocument(textCursor().selectedText());
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
    const int size = textLength();
    start = qBound(0, start, size);
    length = qBound(0, length, size - start);
    if (length == 0 && text.isEmpty())
        return;
    const CharStyle style = insertionStyle(start, length);
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    {
        QScopedValueRollback<std::optional<CharStyle>> rollback(m_insertStyle, style);
        // Each change made here is an undo step of its own, never merged with typing around it.
        const bool ownStep = m_editGroupDepth == 0;
        if (ownStep)
            c.beginEditBlock();
        if (text.isEmpty())
            c.removeSelectedText();
        else
            c.insertText(text);
        if (ownStep) {
            if (!text.isEmpty())
                sealUndoStep(c);
            c.endEditBlock();
        }
    }
    if (m_editGroupDepth > 0)
        m_groupSealAt = text.isEmpty() ? -1 : start + int(text.size());
    if (m_editGroupDepth > 0) {
        // The document reports the group's changes only when it ends; keep the styles and the
        // text in step now so that later changes of the group find them in place.
        m_textCacheValid = false;
        m_textCache = QString();
        m_styles.remove(start, length);
        m_styles.insert(start, int(text.size()), style);
    }
    if (styles && !text.isEmpty())
        std::memcpy(static_cast<void *>(m_styles.span(start, int(text.size()))), styles,
                    size_t(text.size()));
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
    return document()->findBlock(qBound(0, pos, textLength())).blockNumber();
}

int SourceEditor::lineStart(int line) const {
    return document()->findBlockByNumber(qBound(0, line, lineCount() - 1)).position();
}

int SourceEditor::lineLength(int line) const {
    return document()->findBlockByNumber(qBound(0, line, lineCount() - 1)).length() - 1;
}

int SourceEditor::lineCount() const {
    return document()->blockCount();
}

QString SourceEditor::lineText(int line) const {
    if (line < 0 || line >= lineCount())
        return QString();
    return document()->findBlockByNumber(line).text();
}

int SourceEditor::topLine() const {
    return firstVisibleBlock().blockNumber();
}

void SourceEditor::setTopLine(int line) {
    line = qBound(0, line, lineCount() - 1);
    verticalScrollBar()->setValue(document()->findBlockByNumber(line).firstLineNumber());
}

int SourceEditor::row() const {
    return lineFromPosition(selectionStart());
}

void SourceEditor::setRow(int line) {
    if (line >= LastLine)
        line = lineCount() - 1;
    setSelection(lineStart(qBound(0, line, lineCount() - 1)), 0);
}

int SourceEditor::col() const {
    const int start = selectionStart();
    return start - document()->findBlock(start).position();
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
    if (m_editGroupDepth++ == 0) {
        m_groupCursor = QTextCursor(document());
        m_groupCursor.beginEditBlock();
    }
}

void SourceEditor::endEditGroup() {
    if (m_editGroupDepth == 0 || --m_editGroupDepth > 0)
        return;
    if (m_groupSealAt >= 0) {
        QTextCursor seal(document());
        seal.setPosition(qMin(m_groupSealAt, textLength()));
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
        colorCodeRange(part, 0, end - start, m_styles.span(start, styled));
        if (longRange)
            m_notice->hide();
    }
    viewport()->update();
    setFocus();
    endUpdate();
}

void SourceEditor::startColorPass(int start, int end) {
    m_pass.active = true;
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
        scheduleColorPass();
    });
}

void SourceEditor::runColorPass(int pos, int budgetMs) {
    if (!m_pass.active)
        return;
    const int size = textLength();
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
    QTextBlock block = document()->findBlock(m_pass.next);
    while (block.isValid() && m_pass.next <= m_pass.end) {
        if (pos >= 0) {
            // Done once past pos, unless something that opened before pos is still open.
            const auto openBefore = [&](qsizetype p) { return p >= 0 && p < pos; };
            if (m_pass.next > pos && !openBefore(m_pass.state.tagOpen) &&
                !openBefore(m_pass.state.commentOpen))
                break;
        } else if ((++lines & 63) == 0 && clock.elapsed() >= budgetMs) {
            break;
        }
        const int blockStart = block.position();
        const int lineEnd = blockStart + block.length() - 1; // its line break
        const int from = qMax(blockStart, m_pass.next);
        const int to = qMin(lineEnd, m_pass.end);
        // The line break after the range's last line is text too, as in a pass over lines.
        m_styles.fill(from, qMin(to + 1, size) - from, CharStyle::Text);
        const QString line = block.text();
        continueColorPass(QStringView(line).mid(from - blockStart, to - from), from, m_pass.state,
                          paint);
        m_pass.next = to + 1;
        if (to >= m_pass.end)
            break;
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
    if (m_styles.size() != textLength())
        return;
    const QPointF offset = contentOffset();
    const qreal bottom = viewport()->rect().bottom();
    if (m_pass.active) {
        // Colour what is about to be shown before the pass gets there by itself.
        const QTextCursor below = cursorForPosition(QPoint(0, viewport()->height()));
        const int lastShown = below.block().position() + below.block().length();
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

void SourceEditor::undoRedo(bool undo) {
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
    const int start = cursor.selectionStart();
    const QTextBlock block = document()->findBlock(start);
    const int column = start - block.position();
    const TypingStyle decided = typingStyle(block.text(), column, typed);
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
    int length = cursor.selectionEnd() - start;
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
    if (!isReadOnly() && enter) {
        // A line break is coloured like any typed character (text after a ">").
        typeCharacter(u'\n');
    } else if (!isReadOnly() && typed.size() == 1 &&
               (typed.at(0).isPrint() || typed.at(0) == u'\t') && typeCharacter(typed.at(0))) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    m_insertStyle.reset();
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

void SourceEditor::insertFromMimeData(const QMimeData *source) {
    if (source && source->hasText())
        insertPlainText(source->text());
}
