// The view: following its document, caret and selection, scrolling, painting and the widget's
// events. The keys that change the text are in sourceeditorinput.cpp.
#include "editor/sourceeditor.h"

#include "editor/colorcodingnotice.h"
#include "text/plaintext.h"
#include "widgets/windowplacement.h"

#include <QAbstractTextDocumentLayout>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

SourceEditor::SourceEditor(QWidget *parent)
    : SourceEditor(*new SourceDocument, parent) {
    m_doc->setParent(this);
}

SourceEditor::SourceEditor(SourceDocument &document, QWidget *parent)
    : QPlainTextEdit(parent), m_doc(&document) {
    setObjectName(QStringLiteral("sourceEditor"));
    setDocument(m_doc->textDocument());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    attach();
}

SourceEditor::~SourceEditor() {
    delete m_notice;
    disconnect(m_doc, nullptr, this, nullptr);
    m_doc->detachView(this);
}

void SourceEditor::attach() {
    m_doc->attachView(this);
    setAcceptDrops(!m_doc->hasBreakMarks());
    connect(m_doc, &SourceDocument::textReplaced, this, &SourceEditor::followTextReplaced);
    connect(m_doc, &SourceDocument::partLoaded, this, &SourceEditor::followPartLoaded);
    connect(m_doc, &SourceDocument::stylesChanged, this, &SourceEditor::followStylesChanged);
    connect(m_doc, &SourceDocument::longColoring, this, &SourceEditor::showColoringNotice);
    connect(m_doc, &SourceDocument::linesColorCoded, this, [this] {
        viewport()->update();
        setFocus();
    });
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
        if (!m_doc->isLoading() || m_settingWholeRange)
            return;
        // The widget's maximum is its line count less the lines of the last screenful: add the
        // lines still to come.
        QScopedValueRollback<bool> self(m_settingWholeRange, true);
        QScrollBar *bar = verticalScrollBar();
        bar->setMaximum(bar->maximum() + m_doc->pageBlockCount() - document()->lineCount());
    });
}

void SourceEditor::followTextReplaced() {
    // A drop that moves text within the editor is one change from the dragged text to the drop
    // point, which cannot tell the pieces' breaks it passes over from line breaks.
    setAcceptDrops(!m_doc->hasBreakMarks());
    setTextCursor(QTextCursor(document()));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void SourceEditor::followPartLoaded(int blocksBefore) {
    // Text coming in where it shows (at first, on a short screenful) is painted.
    const int shownBlocks = viewport()->height() / qMax(1, fontMetrics().lineSpacing()) + 2;
    if (firstVisibleBlock().blockNumber() + shownBlocks >= blocksBefore)
        viewport()->update();
}

void SourceEditor::followStylesChanged(int from, int) {
    if (from == 0 || from < shownEnd())
        viewport()->update();
}

void SourceEditor::showColoringNotice(bool running) {
    if (!running) {
        if (m_notice)
            m_notice->hide();
        return;
    }
    if (!m_notice)
        m_notice = new ColorCodingNotice(window());
    m_notice->showNow(this);
}

int SourceEditor::shownEnd() const {
    const QTextBlock below = cursorForPosition(QPoint(0, viewport()->height())).block();
    return m_doc->softBreaks().toText(below.position() + below.length());
}

// ---- selection and caret ----------------------------------------------------------------------

int SourceEditor::selectionStart() const {
    return m_doc->softBreaks().toText(textCursor().selectionStart());
}

int SourceEditor::selectionLength() const {
    const QTextCursor c = textCursor();
    const SoftBreaks &soft = m_doc->softBreaks();
    return soft.toText(c.selectionEnd()) - soft.toText(c.selectionStart());
}

void SourceEditor::setSelection(int start, int length) {
    const int size = m_doc->textLength();
    start = qBound(0, start, size);
    const int end = qBound(0, start + length, size);
    // A selection covers no soft break at either end; a caret stands at the start of a piece.
    const auto inner = SoftBreaks::AfterBreak;
    const auto outer = SoftBreaks::BeforeBreak;
    const SoftBreaks &soft = m_doc->softBreaks();
    QTextCursor c(document());
    c.setPosition(soft.toDoc(start, end < start ? outer : inner));
    c.setPosition(soft.toDoc(end, end > start ? outer : inner), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString SourceEditor::selectedText() const {
    if (m_doc->softBreaks().isEmpty()) {
        QString raw = textCursor().selectedText();
        raw.replace(QChar::ParagraphSeparator, u'\n');
        return raw;
    }
    return m_doc->textRange(selectionStart(), selectionLength());
}

void SourceEditor::replaceSelection(const QString &text) {
    const int start = selectionStart();
    m_doc->replaceRange(start, selectionLength(), text);
    setSelection(start + int(plainLineBreaks(text).size()), 0);
}

int SourceEditor::row() const {
    return m_doc->loadedLineAt(selectionStart());
}

void SourceEditor::setRow(int line) {
    const int lines = m_doc->lineCount();
    if (line >= LastLine)
        line = lines - 1;
    setSelection(m_doc->lineStart(qBound(0, line, lines - 1)), 0);
}

int SourceEditor::col() const {
    const int start = selectionStart();
    if (m_doc->softBreaks().isEmpty())
        return start - document()->findBlock(start).position();
    return start - m_doc->loadedLineStart(m_doc->loadedLineAt(start));
}

void SourceEditor::setCol(int column) {
    const int line = row();
    const int length = m_doc->lineLength(line);
    if (column >= EndOfLine)
        column = length;
    setSelection(m_doc->lineStart(line) + qBound(0, column, length), 0);
}

// ---- scrolling --------------------------------------------------------------------------------

int SourceEditor::topLine() const {
    const QTextBlock block = firstVisibleBlock();
    return block.blockNumber() - m_doc->softBreaks().countBefore(block.position());
}

void SourceEditor::setTopLine(int line) {
    // Scrolled as to a place: with wrapped lines the rows above it must be counted alike.
    scrollToPosition(m_doc->lineStart(line), 0);
}

void SourceEditor::scrollToPosition(int position, int rowsAbove) {
    m_doc->finishLoading();
    // The layout's new size and the scroll bar it shows or hides come as posted events, and a
    // scroll bar that comes or goes lays every wrapped line out anew, renumbering the rows:
    // settled first, so that the row counted here is the one the scroll bar keeps.
    QCoreApplication::sendPostedEvents(document()->documentLayout(), QEvent::MetaCall);
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    QTextCursor c(document());
    c.setPosition(m_doc->softBreaks().toDoc(qBound(0, position, m_doc->textLength()),
                                            SoftBreaks::AfterBreak));
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

void SourceEditor::scrollContentsBy(int dx, int dy) {
    QScrollBar *bar = verticalScrollBar();
    if (m_doc->isLoading() && bar->value() + bar->pageStep() >= document()->blockCount()) {
        // Scrolled to where the text is not yet in (the scroll bar spans the whole page): the
        // rest comes in first. Sizing the scroll bar to it puts the widget back at its top line,
        // from where the place asked for is scrolled to.
        const int wanted = bar->value();
        m_doc->finishLoading();
        if (bar->value() != wanted) {
            bar->setValue(wanted);
            return;
        }
    }
    QPlainTextEdit::scrollContentsBy(dx, dy);
}

// ---- updates, colours and appearance ----------------------------------------------------------

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

void SourceEditor::redoColorCoding() {
    WaitCursor wait;
    beginUpdate();
    const int start = selectionStart();
    const int length = selectionLength();
    if (length == 0)
        m_doc->colorCodeLines(0, LastLine);
    else
        m_doc->colorCodeLines(m_doc->lineFromPosition(start),
                              m_doc->lineFromPosition(start + length));
    endUpdate();
}

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
    m_doc->setColors(tag, comment);
    viewport()->update();
}

void SourceEditor::paintVisibleBlocks(const QRegion &painting) {
    if (!m_doc->stylesFollowText())
        return;
    // Colour what is about to be shown before a background colouring gets there by itself.
    if (m_doc->isColoringInBackground())
        m_doc->colorUpTo(shownEnd());
    const QPointF offset = contentOffset();
    const qreal bottom = viewport()->rect().bottom();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (blockBoundingGeometry(block).translated(offset).top() > bottom)
            break;
        // A block whose colours changed is repainted by this paint, or else asked for alone.
        if (block.isVisible() && m_doc->refreshBlockColors(block)) {
            const QRect area = blockBoundingGeometry(block).translated(offset).toAlignedRect();
            const QRect shown(0, area.top(), viewport()->width(), area.height());
            if (!painting.contains(shown))
                viewport()->update(shown);
        }
    }
}

void SourceEditor::paintEvent(QPaintEvent *event) {
    paintVisibleBlocks(event->region());
    QPlainTextEdit::paintEvent(event);
}

// ---- commands ---------------------------------------------------------------------------------

void SourceEditor::undo() {
    historyStep(true);
}

void SourceEditor::redo() {
    historyStep(false);
}

void SourceEditor::historyStep(bool undo) {
    QTextCursor caret = textCursor();
    if (undo)
        m_doc->undo(&caret);
    else
        m_doc->redo(&caret);
    setTextCursor(caret);
}

void SourceEditor::selectAll() {
    m_doc->finishLoading();
    QPlainTextEdit::selectAll();
}

void SourceEditor::cut() {
    m_doc->finishLoading();
    const QTextCursor c = textCursor();
    if (m_doc->hasBreakMarks() && !isReadOnly() && spansBlocks(c.selectionStart(), c.selectionEnd())) {
        // See editAcrossBlocks.
        copy();
        replaceSelection(QString());
        return;
    }
    QPlainTextEdit::cut();
    m_doc->settleBreakMarks();
}

void SourceEditor::setContextMenu(QMenu *menu) {
    m_contextMenu = menu;
}

// ---- events -----------------------------------------------------------------------------------

void SourceEditor::emitCaretPosition() {
    Q_EMIT caretPositionChanged(col(), row());
}

void SourceEditor::keyReleaseEvent(QKeyEvent *event) {
    QPlainTextEdit::keyReleaseEvent(event);
    emitCaretPosition();
}

void SourceEditor::mousePressEvent(QMouseEvent *event) {
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

void SourceEditor::contextMenuEvent(QContextMenuEvent *event) {
    if (m_contextMenu)
        m_contextMenu->exec(event->globalPos());
    else
        QPlainTextEdit::contextMenuEvent(event);
}

void SourceEditor::dropEvent(QDropEvent *event) {
    m_doc->finishLoading();
    QPlainTextEdit::dropEvent(event);
}

void SourceEditor::insertFromMimeData(const QMimeData *source) {
    m_doc->finishLoading();
    if (!source || !source->hasText())
        return;
    if (m_doc->hasBreakMarks()) {
        // See Enter: line breaks go in through the document.
        replaceSelection(source->text());
        ensureCursorVisible();
        return;
    }
    insertPlainText(source->text());
}

QMimeData *SourceEditor::createMimeDataFromSelection() const {
    if (m_doc->softBreaks().isEmpty())
        return QPlainTextEdit::createMimeDataFromSelection();
    auto *data = new QMimeData;
    data->setText(selectedText());
    return data;
}

void SourceEditor::inputMethodEvent(QInputMethodEvent *event) {
    m_doc->finishLoading();
    m_doc->settleBreakMarks();
    const QTextCursor c = textCursor();
    if (m_doc->hasBreakMarks() && !isReadOnly() && spansBlocks(c.selectionStart(), c.selectionEnd()) &&
        (!event->commitString().isEmpty() || !event->preeditString().isEmpty()))
        replaceSelection(QString()); // see editAcrossBlocks
    QPlainTextEdit::inputMethodEvent(event);
    m_doc->settleBreakMarks();
}
