// The live preview: the current page shown beside its source, in a splitter right of the
// documents' tabs. It follows typing (the page is read and laid out again on another thread,
// a newer text taking the place of an older one still in work, at once after a pause and at
// most every so often while typing goes on), keeps its scroll position, scrolls to what the
// caret is in, and a click on it puts the caret at the source of what was clicked (links
// included: they are not followed). Owns its viewer and the renderer; its command comes from
// the window's action registry. Listens to the current page through PreviewSource.
#pragma once

#include "preview/pagerenderer.h"
#include "viewer/htmlviewer.h"

#include <QElapsedTimer>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

struct AppContext;
class ActionRegistry;
class DocumentAccess;
class QAction;
class QSplitter;
class SourceDocument;
class SourceEditor;

// The page the preview follows: the document's text, whether it is still loading, its change
// signals, and where its view's caret or first shown line is. The one place that knows where a
// page comes from.
class PreviewSource {
public:
    struct Listener {
        std::function<void()> changed;    // the text changed
        std::function<void()> caretMoved; // the caret moved or the view scrolled
    };
    // Follows the page of `doc` (none: follows nothing), calling `listener` in `context`.
    void follow(SourceDocument *doc, QObject *context, const Listener &listener);
    bool isFollowing() const { return m_doc; }

    QString text() const;
    // Still coming in from its file: asking for the whole text would load the rest at once.
    bool isLoading() const;
    // The caret's offset while the caret shows, else the offset of the first line shown.
    int placeShown() const;
    void moveCaret(int offset);

private:
    SourceEditor *view() const;

    QPointer<SourceDocument> m_doc;
    QList<QMetaObject::Connection> m_connections;
};

class LivePreviewController : public QObject {
    Q_OBJECT
public:
    // A page whose refresh keeps the window busy longer than a frame (taking its text from the
    // editor, reading the changed part again) is refreshed once typing pauses; while typing
    // goes on, only as often as keeps its refreshes to TypingShare of the window's time, and
    // at least MaxWaitMs apart: doing it while keys come in delays them.
    static constexpr double CheapRefreshMs = 16;
    static constexpr int PauseMs = 300;
    static constexpr int MaxWaitMs = 2000;
    static constexpr double TypingShare = 0.005;
    // Between refreshes of other pages, at least this long (and half again as long as the last
    // refresh took, so that a whole page read on the other thread finishes before the next).
    static constexpr int MinIntervalMs = 30;
    static constexpr int MaxIntervalMs = 1000;
    // An edit is read again in the window's thread when that takes reading at most this many
    // characters after it; otherwise the whole page is read on the other thread.
    static constexpr int UpdateBudget = 32 * 1024;

    // `splitter` holds the documents' area; the preview's viewer is added right of it.
    LivePreviewController(AppContext &ctx, DocumentAccess &docs, ActionRegistry &commands,
                          QSplitter *splitter, QWidget *window);
    ~LivePreviewController() override;

    QAction *toggleAction() const { return m_toggle; }
    HtmlViewer *viewer() const { return m_viewer.data(); }

    bool isOn() const;
    void setOn(bool on);
    // The preview does not show the editor's text yet: a change waits or is in work.
    bool isRefreshing() const;
    // A page is being read and laid out (handed over, not shown yet).
    bool isWorking() const { return m_shown < m_requested; }
    // The text the preview shows.
    QString shownText() const { return m_shownText; }

Q_SIGNALS:
    // A newer page shows.
    void refreshed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(SourceDocument &doc);
    void textChanged();
    void schedule();
    void refresh();
    void pageRendered(std::shared_ptr<PageRenderer::Page> page);
    void followCaret();
    void goToSource(int offset);
    QString pageDirectory() const;
    void applySplit();

    AppContext &m_ctx;
    DocumentAccess &m_docs;
    QSplitter *m_splitter;
    QPointer<HtmlViewer> m_viewer;
    QAction *m_toggle;
    PageRenderer m_renderer;
    PreviewSource m_source;

    QTimer m_timer;         // the next refresh
    QTimer m_loadWait;      // a page still loading is looked at again
    QElapsedTimer m_sinceRefresh;
    QElapsedTimer m_firstWaiting; // since the oldest change not yet handed over
    bool m_textDirty = true; // the editor's text changed since m_text was taken
    QString m_text;          // the text handed to the renderer last
    QString m_shownText;
    double m_copyMs = 0;   // taking the text, last time
    double m_updateMs = 0; // reading the changed part again in this thread, last time
    double m_workMs = 0;   // reading and laying out, last time (here or on the other thread)
    quint64 m_requested = 0;
    int m_requestedWidth = 0;
    QString m_requestedDirectory;
    quint64 m_shown = 0;
    bool m_applyingSplit = false;
    bool m_userSplit = false; // the user has moved the split in this run
};
