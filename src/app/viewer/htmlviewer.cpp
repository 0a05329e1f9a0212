#include "viewer/htmlviewer.h"

#include "viewer/htmlreader.h"
#include "viewer/htmlsource.h"
#include "viewer/imageprovider.h"
#include "viewer/linktarget.h"
#include "viewer/pageupdate.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

// Pictures for layout and drawing: sources resolved like link targets, served by the cache.
class HtmlViewer::Pictures : public ImageProvider {
public:
    explicit Pictures(HtmlViewer &viewer) : m_viewer(viewer) {}
    QSize imageSize(const QString &source) override {
        return m_viewer.m_images->size(m_viewer.resolve(source));
    }
    QImage image(const QString &source) override {
        return m_viewer.m_images->image(m_viewer.resolve(source));
    }

private:
    HtmlViewer &m_viewer;
};

HtmlViewer::HtmlViewer(QWidget *parent)
    : QAbstractScrollArea(parent), m_doc(std::make_unique<SectionList>()),
      m_images(std::make_shared<ImageCache>()), m_pictures(std::make_unique<Pictures>(*this)) {
    setObjectName(QStringLiteral("htmlViewer"));
    m_defBackground = palette().color(QPalette::Button);
    m_defFontColor = palette().color(QPalette::ButtonText);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(ScrollStep);
    horizontalScrollBar()->setSingleStep(ScrollStep);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_images->setMaxAge(5);

    m_autoScroll.setInterval(100);
    connect(&m_autoScroll, &QTimer::timeout, this, &HtmlViewer::autoScroll);

    m_backAction = new QAction(QStringLiteral("Back"), this);
    m_backAction->setObjectName(QStringLiteral("viewerBack"));
    connect(m_backAction, &QAction::triggered, this, &HtmlViewer::goBack);
    m_forwardAction = new QAction(QStringLiteral("Forward"), this);
    m_forwardAction->setObjectName(QStringLiteral("viewerForward"));
    connect(m_forwardAction, &QAction::triggered, this, &HtmlViewer::goForward);
    resize(150, 150);
}

HtmlViewer::~HtmlViewer() = default;

// ---------------------------------------------------------------------------------------------
// Properties

void HtmlViewer::setDefBackground(const QColor &color) {
    m_defBackground = color;
    reload();
}
void HtmlViewer::setDefFontName(const QString &name) {
    m_defFontName = name;
    reload();
}
void HtmlViewer::setDefPreFontName(const QString &name) {
    m_defPreFontName = name;
    reload();
}
void HtmlViewer::setDefFontSize(int points) {
    m_defFontSize = qBound(1, points, 200);
    reload();
}
void HtmlViewer::setDefFontColor(const QColor &color) {
    m_defFontColor = color;
    reload();
}
void HtmlViewer::setViewImages(bool on) {
    if (m_viewImages == on)
        return;
    m_viewImages = on;
    viewport()->update();
}
void HtmlViewer::setImageCacheCount(int loads) {
    m_images->setMaxAge(loads);
}
void HtmlViewer::setHistoryMaxCount(int count) {
    m_historyMaxCount = qMax(0, count);
    while (int(m_history.size()) > m_historyMaxCount + 1 && m_historyIndex > 0) {
        m_history.erase(m_history.begin());
        --m_historyIndex;
    }
    if (m_historyMaxCount == 0) {
        m_history.clear();
        m_historyIndex = -1;
    }
    Q_EMIT historyChanged();
}
void HtmlViewer::setNoSelect(bool on) {
    m_noSelect = on;
    if (on)
        clearSelection();
}

// ---------------------------------------------------------------------------------------------
// Loading

void HtmlViewer::report(const QString &message) {
    m_lastError = message;
    Q_EMIT errorReported(message);
}

QString HtmlViewer::documentDirectory() const {
    if (!m_currentFile.isEmpty())
        return QFileInfo(m_currentFile).absolutePath();
    return m_textDirectory;
}

QString HtmlViewer::resolve(const QString &source) const {
    return LinkTarget::toFileName(source, m_doc->baseReference(), documentDirectory());
}

bool HtmlViewer::parse(const QString &html) {
    m_busy = true;
    m_doc->clear();
    m_images->age();
    pageDefaults().applyTo(*m_doc);
    HtmlReader reader(*m_doc);
    const bool ok = reader.read(m_source = html);
    forgetPagePlaces();
    m_layoutWidth = -1;
    layoutDocument();
    m_busy = false;
    if (!ok)
        report(reader.errorString());
    return ok;
}

PageDefaults HtmlViewer::pageDefaults() const {
    PageDefaults d;
    d.fontName = m_defFontName;
    d.preFontName = m_defPreFontName;
    d.fontSize = m_defFontSize;
    d.fontColor = m_defFontColor.rgba();
    d.linkColor = m_defHotSpotColor.rgba();
    d.backgroundColor = m_defBackground.rgba();
    return d;
}

// Selection, hovered link and background tile belong to the page they were found on.
void HtmlViewer::forgetPagePlaces() {
    m_selectionAnchor = m_selectionCursor = 0;
    m_hoverLink.clear();
    m_tileSource.clear();
    m_tile = QPixmap();
}

int HtmlViewer::layoutWidth() const {
    return qMax(1, viewport()->width() - WidthAllowance);
}

std::unique_ptr<SectionList> HtmlViewer::replacePage(std::unique_ptr<SectionList> page,
                                                     const QString &html, int height,
                                                     int widest) {
    std::unique_ptr<SectionList> old = std::move(m_doc);
    m_doc = std::move(page);
    m_currentFile.clear();
    m_lastError.clear();
    m_layoutWidth = viewport()->width();
    pageChanged(html, height, widest);
    return old;
}

bool HtmlViewer::updatePage(const QString &html, int budget) {
    if (m_busy || viewport()->width() != m_layoutWidth)
        return false;
    LayoutContext ctx;
    ctx.metrics = &m_metrics;
    ctx.images = m_pictures.get();
    int height = 0, widest = 0;
    if (!PageUpdate::apply(*m_doc, m_source, html, ctx, layoutWidth(), budget, height, widest))
        return false;
    pageChanged(html, height, widest);
    return true;
}

void HtmlViewer::pageChanged(const QString &html, int height, int widest) {
    m_source = html;
    if (!m_hoverLink.isEmpty()) {
        viewport()->unsetCursor();
        Q_EMIT hotSpotCovered(QString());
    }
    forgetPagePlaces();
    m_docHeight = height;
    m_docWidth = widest;
    // The scroll bars keep their values where the new page is long enough: no jump, and the
    // old page stays on screen until the new one paints over it.
    updateScrollBars();
    viewport()->update();
}

int HtmlViewer::sourceOffsetAt(const QPoint &viewportPos) const {
    if (m_doc->positionCount() == 0)
        return -1;
    return m_doc->sourceAt(positionAt(viewportPos), linkAt(viewportPos));
}

void HtmlViewer::revealSource(int offset) {
    int y = 0, height = 0;
    if (offset < 0 || !m_doc->placeOfSource(offset, y, height))
        return;
    QScrollBar *bar = verticalScrollBar();
    const int top = y + MarginTop;
    const int bottom = top + qMax(1, height);
    const int visible = viewport()->height();
    if (top < bar->value())
        bar->setValue(top - ScrollStep);
    else if (bottom > bar->value() + visible)
        bar->setValue(qMin(top - ScrollStep, bottom - visible + ScrollStep));
}

void HtmlViewer::loadFromString(const QString &html) {
    m_lastError.clear();
    m_currentFile.clear();
    if (!m_history.empty()) {
        m_history.clear();
        m_historyIndex = -1;
        Q_EMIT historyChanged();
    }
    parse(html);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

bool HtmlViewer::loadFromFile(const QString &name) {
    if (m_busy || name.isEmpty())
        return false;
    m_lastError.clear();
    // A '#' that is part of an existing file's name is not an anchor.
    LinkTarget::Parts parts;
    if (QFileInfo::exists(name)) {
        parts.path = name;
    } else {
        const qsizetype hash = name.lastIndexOf(u'#');
        parts.path = hash < 0 ? name : name.left(hash);
        if (hash >= 0) {
            parts.anchor = name.mid(hash + 1);
            parts.hasAnchor = true;
        }
    }
    if (!QFileInfo::exists(parts.path)) {
        report(LocalFile::missingMessage(name));
        return false;
    }
    return loadFile(QFileInfo(parts.path).absoluteFilePath(), parts.anchor, parts.hasAnchor, true);
}

bool HtmlViewer::loadFile(const QString &file, const QString &anchor, bool hasAnchor, bool record) {
    QString text, error;
    if (!HtmlSource::readFile(file, text, error)) {
        report(error);
        return false;
    }
    return showFile(file, text, anchor, hasAnchor, record);
}

bool HtmlViewer::showFile(const QString &file, const QString &text, const QString &anchor,
                          bool hasAnchor, bool record) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString previous = m_currentFile;
    const int previousScroll = verticalScrollBar()->value();
    m_currentFile = file;
    const bool ok = parse(text);
    if (hasAnchor && !anchor.isEmpty()) {
        if (!positionTo(anchor) && file != previous)
            verticalScrollBar()->setValue(0);
    } else if (file != previous) {
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
    } else {
        verticalScrollBar()->setValue(previousScroll);
    }
    if (record && file != previous)
        recordVisit(previous, previousScroll);
    viewport()->update();
    QApplication::restoreOverrideCursor();
    return ok;
}

void HtmlViewer::reload() {
    if (m_busy || (m_source.isEmpty() && m_currentFile.isEmpty()))
        return;
    const int v = verticalScrollBar()->value(), h = horizontalScrollBar()->value();
    parse(m_source);
    verticalScrollBar()->setValue(v);
    horizontalScrollBar()->setValue(h);
    viewport()->update();
}

bool HtmlViewer::positionTo(const QString &anchor) {
    QString name = anchor;
    if (name.startsWith(u'#'))
        name.remove(0, 1);
    const SectionBase *section = m_doc->anchor(name);
    if (!section)
        return false;
    verticalScrollBar()->setValue(section->y());
    horizontalScrollBar()->setValue(0);
    viewport()->update();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Layout and drawing

void HtmlViewer::layoutDocument() {
    LayoutContext ctx;
    ctx.metrics = &m_metrics;
    ctx.images = m_pictures.get();
    const int width = qMax(1, viewport()->width() - WidthAllowance);
    m_docHeight = m_doc->doLayout(ctx, width, m_docWidth);
    m_layoutWidth = viewport()->width();
    updateScrollBars();
}

void HtmlViewer::updateScrollBars() {
    const QSize area = viewport()->size();
    const int fullHeight = m_docHeight + 2 * MarginTop;
    verticalScrollBar()->setRange(0, qMax(0, fullHeight - area.height()));
    verticalScrollBar()->setPageStep(qMax(ScrollStep, area.height() - ScrollStep));
    // The layout leaves WidthAllowance spare, so a page that fills its width needs no bar.
    const int fullWidth = m_docWidth + WidthAllowance;
    horizontalScrollBar()->setRange(0, qMax(0, fullWidth - area.width()));
    horizontalScrollBar()->setPageStep(qMax(ScrollStep, area.width()));
}

void HtmlViewer::resizeEvent(QResizeEvent *event) {
    QAbstractScrollArea::resizeEvent(event);
    if (viewport()->width() != m_layoutWidth && !m_laysOutOnResize) {
        updateScrollBars();
        Q_EMIT layoutWidthChanged(layoutWidth());
    } else if (viewport()->width() != m_layoutWidth && !m_busy) {
        const int oldHeight = qMax(1, m_docHeight);
        const int oldValue = verticalScrollBar()->value();
        layoutDocument();
        verticalScrollBar()->setValue(int(qint64(oldValue) * m_docHeight / oldHeight));
    } else {
        updateScrollBars();
    }
}

QPoint HtmlViewer::toDocument(const QPoint &p) const {
    return QPoint(p.x() + horizontalScrollBar()->value() - MarginLeft,
                  p.y() + verticalScrollBar()->value() - MarginTop);
}

QPoint HtmlViewer::toViewport(const QPoint &p) const {
    return QPoint(p.x() - horizontalScrollBar()->value() + MarginLeft,
                  p.y() - verticalScrollBar()->value() + MarginTop);
}

void HtmlViewer::paintEvent(QPaintEvent *event) {
    QPainter p(viewport());
    const QRect area = event->rect();
    p.fillRect(area, QColor::fromRgba(m_doc->backgroundColor()));
    const int h = horizontalScrollBar()->value(), v = verticalScrollBar()->value();
    if (m_viewImages && !m_doc->backgroundImage().isEmpty()) {
        const QString source = resolve(m_doc->backgroundImage());
        if (source != m_tileSource) {
            m_tileSource = source;
            m_tile = QPixmap::fromImage(m_images->image(source));
        }
        if (!m_tile.isNull())
            p.drawTiledPixmap(
                area, m_tile,
                QPoint((area.left() + h) % m_tile.width(), (area.top() + v) % m_tile.height()));
    }
    p.translate(MarginLeft - h, MarginTop - v);
    DrawContext dc;
    dc.painter = &p;
    dc.clip = area.translated(h - MarginLeft, v - MarginTop);
    dc.selectionStart = qMin(m_selectionAnchor, m_selectionCursor);
    dc.selectionEnd = qMax(m_selectionAnchor, m_selectionCursor);
    dc.selectionBackground = palette().color(QPalette::Highlight);
    dc.selectionText = palette().color(QPalette::HighlightedText);
    dc.viewImages = m_viewImages;
    dc.metrics = &m_metrics;
    dc.images = m_pictures.get();
    dc.document = m_doc.get();
    m_doc->draw(dc);
}

// ---------------------------------------------------------------------------------------------
// Links and history

void HtmlViewer::followLink(const QString &target) {
    bool handled = false;
    Q_EMIT hotSpotClicked(target, &handled);
    if (handled)
        return;
    if (target.startsWith(u'#')) {
        positionTo(target.mid(1));
        return;
    }
    if (LinkTarget::isForeignUrl(target))
        return;
    const LinkTarget::Parts parts = LinkTarget::splitAnchor(target);
    const QString file =
        LinkTarget::toFileName(parts.path, m_doc->baseReference(), documentDirectory());
    if (!LinkTarget::isHtmlFile(file))
        return;
    const QString absolute = QFileInfo(file).absoluteFilePath();
    if (absolute == m_currentFile) {
        if (parts.hasAnchor)
            positionTo(parts.anchor);
        return;
    }
    // A missing page or a parse error is not shown; a page that cannot be read (a pipe, a
    // device, a folder, one too large to hold) is refused with a message, without waiting on it.
    if (!QFileInfo::exists(absolute))
        return;
    QString text, error;
    if (!HtmlSource::readFile(absolute, text, error)) {
        report(error);
        return;
    }
    const QString savedError = m_lastError;
    QSignalBlocker block(this);
    showFile(absolute, text, parts.anchor, parts.hasAnchor, true);
    block.unblock();
    m_lastError = savedError;
    Q_EMIT historyChanged();
}

void HtmlViewer::recordVisit(const QString &previousFile, int previousScroll) {
    if (m_historyMaxCount <= 0)
        return;
    if (m_historyIndex >= 0 && m_historyIndex < int(m_history.size())) {
        m_history[size_t(m_historyIndex)].scroll = previousScroll;
        m_history.erase(m_history.begin() + m_historyIndex + 1, m_history.end());
    } else if (!previousFile.isEmpty()) {
        m_history.clear();
        m_history.push_back(HistoryEntry{previousFile, QString(), previousScroll});
    }
    m_history.push_back(HistoryEntry{m_currentFile, m_doc->title(), 0});
    m_historyIndex = int(m_history.size()) - 1;
    while (int(m_history.size()) > m_historyMaxCount + 1) {
        m_history.erase(m_history.begin());
        --m_historyIndex;
    }
    Q_EMIT historyChanged();
}

bool HtmlViewer::canGoBack() const {
    return m_historyIndex > 0;
}
bool HtmlViewer::canGoForward() const {
    return m_historyIndex >= 0 && m_historyIndex + 1 < int(m_history.size());
}

void HtmlViewer::goToHistory(int index) {
    if (index < 0 || index >= int(m_history.size()) || m_busy)
        return;
    if (m_historyIndex >= 0)
        m_history[size_t(m_historyIndex)].scroll = verticalScrollBar()->value();
    m_historyIndex = index;
    const HistoryEntry entry = m_history[size_t(index)];
    if (loadFile(entry.file, QString(), false, false))
        verticalScrollBar()->setValue(entry.scroll);
    Q_EMIT historyChanged();
}

void HtmlViewer::goBack() {
    goToHistory(m_historyIndex - 1);
}
void HtmlViewer::goForward() {
    goToHistory(m_historyIndex + 1);
}

QStringList HtmlViewer::historyFiles() const {
    QStringList files;
    for (const HistoryEntry &e : m_history)
        files << e.file;
    return files;
}
