#include "preview/livepreviewcontroller.h"

#include "editor/documentaccess.h"
#include "editor/sourcedocument.h"
#include "editor/sourceeditor.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "viewer/htmlviewer.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QScrollBar>
#include <QSplitter>
#include <algorithm>

namespace {
// The smallest width either side of the splitter keeps when a stored width is applied.
constexpr int MinSideWidth = 120;
} // namespace

// ---------------------------------------------------------------------------------------------
// The page followed

void PreviewSource::follow(SourceDocument *doc, QObject *context, const Listener &listener) {
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        QObject::disconnect(c);
    m_connections.clear();
    m_doc = doc;
    if (!doc)
        return;
    m_connections << QObject::connect(doc, &SourceDocument::textChanged, context,
                                      listener.changed);
    m_connections << QObject::connect(doc, &SourceDocument::textReplaced, context,
                                      listener.changed);
    if (SourceEditor *editor = view()) {
        m_connections << QObject::connect(editor, &QPlainTextEdit::cursorPositionChanged,
                                          context, listener.caretMoved);
        m_connections << QObject::connect(editor->verticalScrollBar(),
                                          &QScrollBar::valueChanged, context, listener.caretMoved);
    }
}

SourceEditor *PreviewSource::view() const {
    return m_doc ? m_doc->activeView() : nullptr;
}

QString PreviewSource::text() const {
    return m_doc ? m_doc->text() : QString();
}

bool PreviewSource::isLoading() const {
    return m_doc && m_doc->isLoading();
}

int PreviewSource::placeShown() const {
    SourceEditor *editor = view();
    if (!editor)
        return -1;
    if (editor->viewport()->rect().intersects(editor->cursorRect()))
        return editor->selectionStart();
    return m_doc->lineStart(editor->topLine());
}

void PreviewSource::moveCaret(int offset) {
    SourceEditor *editor = view();
    if (!editor)
        return;
    editor->setSelection(offset, 0);
    editor->ensureCursorVisible();
    editor->setFocus(Qt::MouseFocusReason);
}

// ---------------------------------------------------------------------------------------------
// The preview

LivePreviewController::LivePreviewController(AppContext &ctx, DocumentAccess &docs,
                                             ActionRegistry &commands, QSplitter *splitter,
                                             QWidget *window)
    : QObject(window), m_ctx(ctx), m_docs(docs), m_splitter(splitter) {
    m_viewer = new HtmlViewer(splitter);
    m_viewer->setObjectName(QStringLiteral("livePreview"));
    // It looks like the internal viewer, but keeps its pictures for a few pages: each edit is
    // a new page.
    m_viewer->setDefBackground(QColor(0xC0, 0xC0, 0xC0));
    m_viewer->setDefFontName(QStringLiteral("Times New Roman"));
    m_viewer->setDefPreFontName(QStringLiteral("Courier New"));
    m_viewer->setDefFontColor(Qt::black);
    m_viewer->setHistoryMaxCount(0);
    m_viewer->setLaysOutOnResize(false);
    m_viewer->setSourceClicks(true);
    m_viewer->hide();
    splitter->addWidget(m_viewer);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);

    m_toggle = commands.add(QStringLiteral("actionLivePreview"));
    connect(m_toggle, &QAction::toggled, this, &LivePreviewController::setOn);

    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &LivePreviewController::refresh);
    // A page still loading is not asked for its text (that would load the rest at once).
    m_loadWait.setInterval(50);
    connect(&m_loadWait, &QTimer::timeout, this, [this] {
        if (!m_source.isLoading()) {
            m_loadWait.stop();
            schedule();
        }
    });
    connect(&m_renderer, &PageRenderer::rendered, this, &LivePreviewController::pageRendered);
    connect(m_viewer, &HtmlViewer::sourceClicked, this, &LivePreviewController::goToSource);
    connect(m_viewer, &HtmlViewer::layoutWidthChanged, this, &LivePreviewController::schedule);
    connect(splitter, &QSplitter::splitterMoved, this, [this] {
        if (!m_applyingSplit && isOn()) {
            m_ctx.settings.livePreviewWidth = m_viewer->width();
            m_userSplit = true;
        }
    });
    splitter->installEventFilter(this);
    connect(&m_docs, &DocumentAccess::currentDocumentChanged, this,
            &LivePreviewController::follow);
    follow(m_docs.current());
    if (m_ctx.settings.livePreview)
        setOn(true);
}

LivePreviewController::~LivePreviewController() {
    m_source.follow(nullptr, this, {});
}

bool LivePreviewController::isOn() const {
    // The viewer goes before the editors when the window closes; nothing is followed then.
    return m_viewer && m_toggle->isChecked();
}

void LivePreviewController::setOn(bool on) {
    if (!m_viewer)
        return;
    if (m_toggle->isChecked() != on) {
        m_toggle->setChecked(on); // comes back here through toggled()
        return;
    }
    m_ctx.settings.livePreview = on;
    m_viewer->setVisible(on);
    if (on) {
        applySplit();
        schedule();
    } else {
        m_timer.stop();
        m_loadWait.stop();
    }
}

bool LivePreviewController::eventFilter(QObject *watched, QEvent *event) {
    // Until the user moves the split, the preview keeps the stored width (or half of the area)
    // as the window gets its size: at the start that comes in steps, the window manager's last.
    if (watched == m_splitter && event->type() == QEvent::Resize && isOn() && !m_userSplit)
        applySplit();
    return QObject::eventFilter(watched, event);
}

// The stored width, or half of the area; applied again once the splitter has its real size.
void LivePreviewController::applySplit() {
    const int total = m_splitter->width();
    if (total < 2 * MinSideWidth) {
        QTimer::singleShot(0, this, [this] {
            if (isOn() && m_splitter->width() >= 2 * MinSideWidth)
                applySplit();
        });
        return;
    }
    const int stored = m_ctx.settings.livePreviewWidth;
    const int width = stored > 0 ? qBound(MinSideWidth, stored, total - MinSideWidth) : total / 2;
    m_applyingSplit = true;
    m_splitter->setSizes({total - width, width});
    m_applyingSplit = false;
}

void LivePreviewController::follow(SourceDocument &doc) {
    m_source.follow(&doc, this, {[this] { textChanged(); }, [this] { followCaret(); }});
    textChanged();
}

void LivePreviewController::textChanged() {
    m_textDirty = true;
    if (!m_firstWaiting.isValid())
        m_firstWaiting.start();
    schedule();
}

bool LivePreviewController::isRefreshing() const {
    return isOn() && (m_textDirty || m_timer.isActive() || m_loadWait.isActive() ||
                      isWorking() || m_text != m_shownText);
}

void LivePreviewController::schedule() {
    if (!isOn())
        return;
    if (m_copyMs + m_updateMs < CheapRefreshMs) {
        // At once after a pause; while changes keep coming, when the interval is up.
        if (m_timer.isActive())
            return;
        const int interval = qBound(MinIntervalMs, int(1.5 * m_workMs), MaxIntervalMs);
        const qint64 since = m_sinceRefresh.isValid() ? m_sinceRefresh.elapsed() : interval;
        m_timer.start(int(qMax<qint64>(0, interval - since)));
        return;
    }
    // A page that takes long to refresh waits for a pause in typing, or for the longest wait.
    const qint64 maxWait =
        std::max({qint64(MaxWaitMs), qint64(2 * m_workMs),
                  qint64((m_copyMs + m_updateMs) / TypingShare)});
    const qint64 waited = m_firstWaiting.isValid() ? m_firstWaiting.elapsed() : 0;
    m_timer.start(int(qBound(qint64(0), maxWait - waited, qint64(PauseMs))));
}

QString LivePreviewController::pageDirectory() const {
    const SourceDocument &doc = m_docs.current();
    // Pictures and links of a page never saved resolve against the home folder.
    if (isUntitledName(doc.fileName()) && !doc.diskStamp().exists)
        return QDir::homePath();
    return folderPart(doc.fileName());
}

void LivePreviewController::refresh() {
    if (!isOn() || !m_source.isFollowing())
        return;
    if (m_source.isLoading()) {
        m_loadWait.start();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    if (m_textDirty) {
        m_text = m_source.text();
        m_copyMs = double(clock.nsecsElapsed()) / 1e6;
        m_textDirty = false;
    }
    m_firstWaiting.invalidate();
    m_sinceRefresh.start();
    const int width = m_viewer->layoutWidth();
    const QString directory = pageDirectory();
    const bool sameGround = width == m_requestedWidth && directory == m_requestedDirectory;
    // A whole page in work for this width: the changes made meanwhile follow once it shows.
    if (isWorking() && sameGround)
        return;
    if (m_shown > 0 && sameGround && !isWorking()) {
        if (m_text == m_shownText)
            return;
        clock.restart();
        if (m_viewer->updatePage(m_text, UpdateBudget)) {
            m_updateMs = m_workMs = double(clock.nsecsElapsed()) / 1e6;
            m_shownText = m_text;
            followCaret();
            Q_EMIT refreshed();
            return;
        }
    }
    m_updateMs = 0;
    PageRenderer::Request request;
    request.html = m_text;
    request.width = width;
    request.directory = directory;
    request.defaults = m_viewer->pageDefaults();
    request.pictures = m_viewer->imageCache();
    m_requestedWidth = width;
    m_requestedDirectory = directory;
    m_requested = m_renderer.render(std::move(request));
}

void LivePreviewController::pageRendered(std::shared_ptr<PageRenderer::Page> page) {
    if (page->id <= m_shown || !m_viewer) {
        m_renderer.dispose(std::move(page->document));
        return;
    }
    m_shown = page->id;
    m_workMs = page->workMs;
    m_viewer->setTextDirectory(page->directory);
    m_renderer.dispose(m_viewer->replacePage(std::move(page->document), page->html,
                                             page->height, page->widest));
    m_shownText = page->html;
    // Edits made while it was in work, or a new width, follow.
    if (m_textDirty || m_text != m_shownText || page->width != m_viewer->layoutWidth())
        schedule();
    followCaret();
    Q_EMIT refreshed();
}

// The element under the caret, or the top line when the caret is off screen, comes into view.
void LivePreviewController::followCaret() {
    if (!isOn() || !m_source.isFollowing() || m_source.isLoading() || m_shown == 0)
        return;
    m_viewer->revealSource(m_source.placeShown());
}

void LivePreviewController::goToSource(int offset) {
    m_source.moveCaret(offset);
}
