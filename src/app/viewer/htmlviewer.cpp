#include "viewer/htmlviewer.h"

#include "viewer/htmlreader.h"
#include "viewer/htmlsource.h"
#include "viewer/imageprovider.h"
#include "viewer/linktarget.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

// Pictures for layout and drawing: sources resolved like link targets, served by the cache.
class HtmlViewer::Pictures : public ImageProvider {
public:
    explicit Pictures(HtmlViewer &viewer) : m_viewer(viewer) {}
    QSize imageSize(const QString &source) override {
        return m_viewer.m_images.size(m_viewer.resolve(source));
    }
    QImage image(const QString &source) override {
        return m_viewer.m_images.image(m_viewer.resolve(source));
    }

private:
    HtmlViewer &m_viewer;
};

HtmlViewer::HtmlViewer(QWidget *parent)
    : QAbstractScrollArea(parent), m_pictures(std::make_unique<Pictures>(*this)) {
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
    m_images.setMaxAge(5);

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
    m_images.setMaxAge(loads);
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
    return LinkTarget::toFileName(source, m_doc.baseReference(), documentDirectory());
}

bool HtmlViewer::parse(const QString &html) {
    m_busy = true;
    Q_EMIT processing(true);
    m_doc.clear();
    m_images.age();
    m_doc.setDefaultFontName(m_defFontName);
    m_doc.setPreFontName(m_defPreFontName);
    m_doc.setBackgroundColor(m_defBackground.rgba());
    m_doc.setLinkColor(m_defHotSpotColor.rgba());
    m_doc.setFontColor(m_defFontColor.rgba());
    m_doc.setDefaultFontSize(m_defFontSize);
    HtmlReader reader(m_doc);
    const bool ok = reader.read(m_source = html);
    m_selectionAnchor = m_selectionCursor = 0;
    m_hoverLink.clear();
    m_tileSource.clear();
    m_tile = QPixmap();
    m_layoutWidth = -1;
    layoutDocument();
    m_busy = false;
    Q_EMIT processing(false);
    if (!ok)
        report(reader.errorString());
    return ok;
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
    const SectionBase *section = m_doc.anchor(name);
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
    m_docHeight = m_doc.doLayout(ctx, width, m_docWidth);
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
    if (viewport()->width() != m_layoutWidth && !m_busy) {
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
    p.fillRect(area, QColor::fromRgba(m_doc.backgroundColor()));
    const int h = horizontalScrollBar()->value(), v = verticalScrollBar()->value();
    if (m_viewImages && !m_doc.backgroundImage().isEmpty()) {
        const QString source = resolve(m_doc.backgroundImage());
        if (source != m_tileSource) {
            m_tileSource = source;
            m_tile = QPixmap::fromImage(m_images.image(source));
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
    dc.document = &m_doc;
    m_doc.draw(dc);
}

// ---------------------------------------------------------------------------------------------
// Mouse, keyboard, selection

QString HtmlViewer::linkAt(const QPoint &viewportPos) const {
    return m_doc.linkAt(toDocument(viewportPos));
}

int HtmlViewer::positionAt(const QPoint &viewportPos) const {
    const int c = m_doc.cursorAt(toDocument(viewportPos));
    return qMax(0, c);
}

void HtmlViewer::mousePressEvent(QMouseEvent *event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    m_pressPos = event->position().toPoint();
    m_lastMousePos = m_pressPos;
    const bool had = hasSelection();
    m_selectionAnchor = m_selectionCursor = positionAt(m_pressPos);
    m_selecting = !m_noSelect;
    if (had)
        viewport()->update();
}

void HtmlViewer::extendSelection(const QPoint &viewportPos) {
    const int c = positionAt(viewportPos);
    if (c != m_selectionCursor) {
        m_selectionCursor = c;
        viewport()->update();
    }
}

void HtmlViewer::mouseMoveEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    m_lastMousePos = pos;
    const QString link = linkAt(pos);
    if (link != m_hoverLink) {
        m_hoverLink = link;
        if (link.isEmpty())
            viewport()->unsetCursor();
        else
            viewport()->setCursor(Qt::PointingHandCursor);
        Q_EMIT hotSpotCovered(link);
    }
    if (m_selecting && (event->buttons() & Qt::LeftButton)) {
        extendSelection(pos);
        const bool outside = pos.y() < 0 || pos.y() >= viewport()->height();
        if (outside && !m_autoScroll.isActive()) {
            autoScroll();
            m_autoScroll.start();
        } else if (!outside) {
            m_autoScroll.stop();
        }
    }
}

// While the mouse is held above or below the page, the view scrolls one step (four when the
// mouse is further than 15 pixels away) every 100 ms and the selection follows.
void HtmlViewer::autoScroll() {
    const int y = m_lastMousePos.y();
    int delta = 0;
    if (y < 0)
        delta = y < -15 ? -4 * ScrollStep : -ScrollStep;
    else if (y >= viewport()->height())
        delta = y - viewport()->height() > 15 ? 4 * ScrollStep : ScrollStep;
    if (delta == 0 || !m_selecting) {
        m_autoScroll.stop();
        return;
    }
    verticalScrollBar()->setValue(verticalScrollBar()->value() + delta);
    extendSelection(m_lastMousePos);
}

void HtmlViewer::mouseReleaseEvent(QMouseEvent *event) {
    m_autoScroll.stop();
    const bool wasSelecting = m_selecting;
    m_selecting = false;
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    if ((pos - m_pressPos).manhattanLength() > QApplication::startDragDistance() && wasSelecting &&
        hasSelection())
        return;
    const QString link = linkAt(pos);
    if (!link.isEmpty()) {
        m_selectionAnchor = m_selectionCursor;
        followLink(link);
    }
}

void HtmlViewer::mouseDoubleClickEvent(QMouseEvent *event) {
    // Selects the word under the mouse.
    if (m_noSelect || event->button() != Qt::LeftButton)
        return;
    const int at = positionAt(event->position().toPoint());
    int start = at, end = at;
    auto charAt = [&](int position) {
        QString one;
        m_doc.copyText(position, position + 1, one);
        return one.isEmpty() ? QChar(u' ') : one.at(0);
    };
    while (start > 0 && charAt(start - 1).isLetterOrNumber())
        --start;
    while (end < m_doc.positionCount() && charAt(end).isLetterOrNumber())
        ++end;
    m_selectionAnchor = start;
    m_selectionCursor = end;
    viewport()->update();
}

void HtmlViewer::leaveEvent(QEvent *event) {
    if (!m_hoverLink.isEmpty()) {
        m_hoverLink.clear();
        viewport()->unsetCursor();
        Q_EMIT hotSpotCovered(QString());
    }
    QAbstractScrollArea::leaveEvent(event);
}

void HtmlViewer::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Home:
        verticalScrollBar()->setValue(0);
        return;
    case Qt::Key_End:
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        return;
    case Qt::Key_Up:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return;
    case Qt::Key_Down:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return;
    case Qt::Key_PageUp:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
        return;
    case Qt::Key_PageDown:
    case Qt::Key_Space:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        return;
    case Qt::Key_Backspace:
        if (canGoBack()) {
            goBack();
            return;
        }
        break;
    default:
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

QString HtmlViewer::selectedText() const {
    if (!hasSelection())
        return {};
    QString text;
    m_doc.copyText(qMin(m_selectionAnchor, m_selectionCursor),
                   qMax(m_selectionAnchor, m_selectionCursor), text);
    while (text.endsWith(u'\n') || text.endsWith(u' '))
        text.chop(1);
    return text;
}

void HtmlViewer::copySelection() {
    const QString text = selectedText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void HtmlViewer::selectAll() {
    if (m_noSelect)
        return;
    m_selectionAnchor = 0;
    m_selectionCursor = m_doc.positionCount();
    viewport()->update();
}

void HtmlViewer::clearSelection() {
    if (!hasSelection())
        return;
    m_selectionAnchor = m_selectionCursor = 0;
    viewport()->update();
}

void HtmlViewer::setContextMenu(QMenu *menu) {
    m_contextMenu = menu;
}
QMenu *HtmlViewer::contextMenu() const {
    return m_contextMenu;
}

void HtmlViewer::contextMenuEvent(QContextMenuEvent *event) {
    QMenu own;
    QMenu *menu = m_contextMenu ? m_contextMenu.data() : &own;
    QList<QAction *> added;
    if (m_historyMaxCount > 0) {
        m_backAction->setEnabled(canGoBack());
        m_forwardAction->setEnabled(canGoForward());
        if (!menu->isEmpty())
            added << menu->addSeparator();
        menu->addAction(m_backAction);
        menu->addAction(m_forwardAction);
        added << m_backAction << m_forwardAction;
    }
    if (!menu->isEmpty())
        menu->exec(event->globalPos());
    if (m_contextMenu)
        for (QAction *a : added) {
            m_contextMenu->removeAction(a);
            if (a != m_backAction && a != m_forwardAction)
                delete a;
        }
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
        LinkTarget::toFileName(parts.path, m_doc.baseReference(), documentDirectory());
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
    m_history.push_back(HistoryEntry{m_currentFile, m_doc.title(), 0});
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
