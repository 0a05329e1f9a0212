// The document itself: its parts, reading the text and its lines, the views and the file state.
// Loading, colouring and editing are in sourcedocumentloading.cpp, sourcedocumentcoloring.cpp and
// sourcedocumentedits.cpp.
#include "editor/sourcedocument.h"

#include "editor/sourceeditor.h"
#include "editor/sourcelayout.h"
#include "editor/stylehighlighter.h"
#include "text/plaintext.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

QString plainFromDocument(QString raw) {
    raw.replace(QChar::ParagraphSeparator, u'\n');
    return raw;
}

} // namespace

SourceDocument::SourceDocument(QObject *parent) : QObject(parent), m_doc(new QTextDocument(this)) {
    m_doc->setDocumentLayout(new SourceLayout(m_doc, nullptr));
    // The styles must follow a change before the highlighter paints the changed blocks, so this
    // connection comes first.
    connect(m_doc, &QTextDocument::contentsChange, this, &SourceDocument::onContentsChange);
    connect(m_doc, &QTextDocument::modificationChanged, this,
            &SourceDocument::onModificationChanged);
    m_highlighter = new StyleHighlighter(m_doc, m_styles, m_soft);
}

SourceDocument::~SourceDocument() {
    // A view of a document that goes goes with it.
    if (m_view) {
        SourceEditor *view = m_view;
        detachView(view);
        delete view;
    }
    // Detaching a highlighter visits every block of its document; empty the document first.
    disconnect(m_doc, nullptr, this, nullptr);
    m_doc->clear();
    delete m_highlighter;
}

// ---- text -------------------------------------------------------------------------------------

void SourceDocument::invalidateTextCache() const {
    m_textCacheValid = false;
    m_textCache = QString();
}

QString SourceDocument::text() const {
    ensureLoaded();
    if (!m_textCacheValid) {
        m_textCache = plainFromDocument(m_soft.strip(m_doc->toRawText(), 0));
        m_textCacheValid = true;
    }
    return m_textCache;
}

int SourceDocument::textLength() const {
    ensureLoaded();
    return loadedLength();
}

int SourceDocument::loadedLength() const {
    return docLength() - m_soft.count();
}

int SourceDocument::docLength() const {
    return m_doc->characterCount() - 1;
}

QString SourceDocument::textRange(int start, int length) const {
    ensureLoaded();
    return loadedRange(start, length);
}

QString SourceDocument::loadedRange(int start, int length) const {
    const int size = loadedLength();
    start = qBound(0, start, size);
    length = qBound(0, length, size - start);
    if (m_textCacheValid)
        return m_textCache.mid(start, length);
    const int docStart = m_soft.toDoc(start, SoftBreaks::AfterBreak);
    const int docEnd =
        length > 0 ? m_soft.toDoc(start + length, SoftBreaks::BeforeBreak) : docStart;
    // From the blocks' texts: a cursor would lay out every block it is put into.
    QString out;
    out.reserve(length);
    for (QTextBlock b = m_doc->findBlock(docStart); b.isValid() && b.position() < docEnd;
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

int SourceDocument::find(const QString &needle, int from, int to) const {
    return findText(text(), needle, from, to);
}

// ---- lines ------------------------------------------------------------------------------------

int SourceDocument::lineFromPosition(int pos) const {
    ensureLoaded();
    return lineAt(pos);
}

int SourceDocument::lineAt(int pos) const {
    const QTextBlock block =
        m_doc->findBlock(m_soft.toDoc(qBound(0, pos, loadedLength()), SoftBreaks::AfterBreak));
    return block.blockNumber() - m_soft.countBefore(block.position());
}

int SourceDocument::firstBlockOfLine(int line) const {
    // Soft break i lies in line blockNumber(break i) - i, which never decreases with i.
    int low = 0;
    int high = m_soft.count();
    while (low < high) {
        const int mid = (low + high) / 2;
        if (m_doc->findBlock(m_soft.at(mid)).blockNumber() - mid < line)
            low = mid + 1;
        else
            high = mid;
    }
    return line + low;
}

int SourceDocument::lineStart(int line) const {
    ensureLoaded();
    return lineBegin(line);
}

int SourceDocument::lineBegin(int line) const {
    line = qBound(0, line, m_doc->blockCount() - m_soft.count() - 1);
    if (m_soft.isEmpty())
        return m_doc->findBlockByNumber(line).position();
    return m_soft.toText(m_doc->findBlockByNumber(firstBlockOfLine(line)).position());
}

int SourceDocument::lineLength(int line) const {
    line = qBound(0, line, lineCount() - 1);
    if (m_soft.isEmpty())
        return m_doc->findBlockByNumber(line).length() - 1;
    const int end = line + 1 < lineCount() ? lineStart(line + 1) - 1 : textLength();
    return end - lineStart(line);
}

int SourceDocument::lineCount() const {
    ensureLoaded();
    return m_doc->blockCount() - m_soft.count();
}

QString SourceDocument::lineText(int line) const {
    if (line < 0 || line >= lineCount())
        return QString();
    if (m_soft.isEmpty())
        return m_doc->findBlockByNumber(line).text();
    return textRange(lineStart(line), lineLength(line));
}

// ---- styles and limits ------------------------------------------------------------------------

CharStyle SourceDocument::styleAt(int pos) const {
    return pos >= 0 && pos < m_styles.size() ? m_styles.at(pos) : CharStyle::Text;
}

void SourceDocument::setStyles(int start, int count, CharStyle style) {
    m_styles.fill(start, count, style);
}

void SourceDocument::setBackgroundLoading(int characters, int firstPart) {
    m_backgroundLoading = characters;
    m_firstPart = firstPart;
}

void SourceDocument::setLongLineLimits(int longLine, int piece) {
    m_longLine = longLine;
    m_piece = piece;
}

// ---- views ------------------------------------------------------------------------------------

SourceEditor *SourceDocument::activeView() const {
    return m_view;
}

void SourceDocument::attachView(SourceEditor *view) {
    m_view = view;
    // Wrapped lines are laid out to the view's width.
    static_cast<SourceLayout *>(m_doc->documentLayout())
        ->setView(view ? view->viewport() : nullptr);
}

void SourceDocument::detachView(SourceEditor *view) {
    if (m_view != view)
        return;
    m_view = nullptr;
    static_cast<SourceLayout *>(m_doc->documentLayout())->setView(nullptr);
}

// ---- file state -------------------------------------------------------------------------------

void SourceDocument::setFileName(const QString &name) {
    if (name == m_fileName)
        return;
    m_fileName = name;
    Q_EMIT fileStateChanged();
}

void SourceDocument::setFormat(const TextFormat &format) {
    if (format == m_format)
        return;
    m_format = format;
    Q_EMIT fileStateChanged();
}

void SourceDocument::markInStepWithFile(const QString &path) {
    m_doc->setModified(false);
    m_fileName = path;
    m_diskStamp = fileStampOf(path);
    m_reloadDeclined = FileStamp();
    m_lastSave = currentTimeText();
    m_modified = false;
    Q_EMIT fileStateChanged();
}

void SourceDocument::followMovedFile(const QString &path) {
    m_fileName = path;
    // The file is the one the document read or last saved, under its new name.
    if (m_diskStamp.exists)
        m_diskStamp = fileStampOf(path);
    Q_EMIT fileStateChanged();
}

void SourceDocument::resetFileState(const QString &untitledName) {
    m_fileName = untitledName;
    m_format = TextFormat();
    m_lastSave = NeverSavedText;
    m_diskStamp = FileStamp();
    m_reloadDeclined = FileStamp();
    m_modified = false;
    Q_EMIT fileStateChanged();
}

void SourceDocument::takeUnsavedText(const QString &text, bool colorCode, const QString &path,
                                     const TextFormat &format, const FileStamp &stamp) {
    setText(text, colorCode);
    // A load in the background would mark each part it brings in as unmodified.
    finishLoading();
    m_fileName = path;
    m_format = format;
    m_diskStamp = stamp;
    m_reloadDeclined = FileStamp();
    m_lastSave = NeverSavedText;
    m_doc->setModified(true);
    m_modified = true;
    Q_EMIT fileStateChanged();
}

void SourceDocument::onModificationChanged(bool modified) {
    // The QTextDocument's own flag tells real edits (typing, commands, undo) from the repaints of
    // the colouring; it also turns off again when undo or redo bring back the saved text.
    if (m_programLoad > 0 || modified == m_modified)
        return;
    m_modified = modified;
    Q_EMIT fileStateChanged();
}

bool SourceDocument::breakMarksConsistent() const {
    for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
        if (b.position() > 0 && isMarked(b) != m_soft.contains(b.position() - 1))
            return false;
    }
    return true;
}
