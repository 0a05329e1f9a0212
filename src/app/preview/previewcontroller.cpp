#include "preview/previewcontroller.h"

#include "documents/documentcontroller.h"
#include "documents/documentfile.h"
#include "documents/documentstate.h"
#include "documents/filecommands.h"
#include "editor/sourceeditor.h"
#include "platform/browserlauncher.h"
#include "preview/previewfiles.h"
#include "shell/appcontext.h"
#include "shell/prompts.h"
#include "viewer/htmlviewer.h"
#include "widgets/icons.h"

#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>

namespace {
constexpr int EditorPage = 0; // "Default"
constexpr int ViewerPage = 1; // "browser"

void collectMenuActions(QMenu *menu, QList<QAction *> &out) {
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            continue;
        out.append(a);
        if (a->menu())
            collectMenuActions(a->menu(), out);
    }
}
} // namespace

PreviewController::PreviewController(AppContext &ctx, DocumentController &docs,
                                     FileCommands &files, QStackedWidget *notebook,
                                     HtmlViewer *viewer, QWidget *window,
                                     BrowserLauncher &browsers)
    : QObject(window), m_ctx(ctx), m_docs(docs), m_files(files), m_notebook(notebook), m_viewer(viewer),
      m_window(window), m_browsers(browsers) {
    m_internalAction = new QAction(QStringLiteral("&Internal HTML Viewer"), this);
    m_internalAction->setObjectName(QStringLiteral("actionInternalViewer"));
    m_internalAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    m_externalDefault = new QAction(QStringLiteral("&External HTML Viewer (default)"), this);
    m_externalDefault->setObjectName(QStringLiteral("actionExternalDefault"));
    m_externalDefault->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    m_externalSecondary = new QAction(QStringLiteral("E&xternal HTML Viewer (secondary)"), this);
    m_externalSecondary->setObjectName(QStringLiteral("actionExternalSecondary"));
    m_externalSecondary->setShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_F2));
    m_popupInternal = new QAction(QStringLiteral("Internal HTML viewer"), this);
    m_popupExternal = new QAction(QStringLiteral("External HTML viewer"), this);
    connect(m_internalAction, &QAction::triggered, this, &PreviewController::toggleInternalViewer);
    connect(m_popupInternal, &QAction::triggered, this, &PreviewController::toggleInternalViewer);
    connect(m_externalDefault, &QAction::triggered, this, [this] { externalPreview(false); });
    connect(m_popupExternal, &QAction::triggered, this, [this] { externalPreview(false); });
    connect(m_externalSecondary, &QAction::triggered, this, [this] { externalPreview(true); });

    m_toggleButton = new QToolButton(window);
    m_toggleButton->setObjectName(QStringLiteral("internalViewerButton"));
    m_toggleButton->setIcon(marloIcon(QStringLiteral("preview-internal")));
    m_toggleButton->setToolTip(QStringLiteral("Internal HTML Viewer"));
    connect(m_toggleButton, &QToolButton::clicked, this, &PreviewController::toggleInternalViewer);

    m_externalButton = new QToolButton(window);
    m_externalButton->setObjectName(QStringLiteral("externalViewerButton"));
    m_externalButton->setIcon(marloIcon(QStringLiteral("preview-external")));
    m_externalButton->setToolTip(QStringLiteral("External HTML Viewer"));
    m_externalButton->installEventFilter(this);
    connect(m_externalButton, &QToolButton::clicked, this, [this] { externalPreview(false); });

    // While the viewer shows, Esc takes the user back to the editor.
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    m_escape->setContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &PreviewController::toggleInternalViewer);

    m_viewerMenu = new QMenu(window);
    m_viewerMenu->setObjectName(QStringLiteral("viewerMenu"));
    QAction *back = m_viewerMenu->addAction(QStringLiteral("Back to editor [Esc]"));
    connect(back, &QAction::triggered, this, &PreviewController::toggleInternalViewer);
    QAction *reloadItem = m_viewerMenu->addAction(QStringLiteral("Reload"));
    connect(reloadItem, &QAction::triggered, this, &PreviewController::reload);
    m_viewer->setContextMenu(m_viewerMenu);
    connect(m_viewerMenu, &QMenu::aboutToShow, this, [this] {
        if (!m_fullWindow)
            return;
        for (QAction *a : {m_fullWindow, m_wideWindow, m_smallWindow})
            a->setEnabled(true);
        switch (m_ctx.settings.layoutMode) {
        case LayoutMode::SmallScreen:
            m_smallWindow->setEnabled(false);
            break;
        case LayoutMode::WideScreen:
            m_wideWindow->setEnabled(false);
            break;
        case LayoutMode::FullScreen:
            m_fullWindow->setEnabled(false);
            break;
        }
    });
    connect(m_viewer, &HtmlViewer::errorReported, this,
            [this](const QString &message) { m_ctx.prompt().error(message); });
}

void PreviewController::setEditModeControls(const QList<QAction *> &menus,
                                            const QList<QWidget *> &widgets,
                                            const QList<QAction *> &actions) {
    m_menus = menus;
    m_widgets.clear();
    for (QWidget *w : widgets)
        m_widgets.append(w);
    m_actions = actions;
}

void PreviewController::setLayoutActions(QAction *full, QAction *wide, QAction *small) {
    m_fullWindow = full;
    m_wideWindow = wide;
    m_smallWindow = small;
    m_viewerMenu->addSeparator();
    m_viewerMenu->addAction(full);
    m_viewerMenu->addAction(wide);
    m_viewerMenu->addAction(small);
}

bool PreviewController::isViewerShowing() const {
    return m_notebook->currentIndex() == ViewerPage;
}

void PreviewController::setEditControlsEnabled(bool enabled) {
    // Disabling a menu alone would leave its items' shortcuts working on the hidden editor,
    // so every item is switched too; their own enabled states are restored afterwards.
    static const char *const SavedState = "marloEnabledBeforeViewer";
    QList<QAction *> all = m_actions;
    for (QAction *menuAction : m_menus) {
        all.append(menuAction);
        if (menuAction->menu())
            collectMenuActions(menuAction->menu(), all);
    }
    all.removeAll(m_files.saveAction()); // its state follows the document, see setSaveLocked
    for (QAction *a : all) {
        if (!enabled) {
            if (!a->property(SavedState).isValid())
                a->setProperty(SavedState, a->isEnabled());
            a->setEnabled(false);
        } else if (a->property(SavedState).isValid()) {
            a->setEnabled(a->property(SavedState).toBool());
            a->setProperty(SavedState, QVariant());
        }
    }
    for (const QPointer<QWidget> &w : m_widgets)
        if (w)
            w->setEnabled(enabled);
}

void PreviewController::toggleInternalViewer() {
    if (!isViewerShowing()) {
        m_escape->setEnabled(true);
        m_internalAction->setText(QStringLiteral("Back to Ed&itor"));
        setEditControlsEnabled(false);
        m_files.setSaveLocked(true);
        m_notebook->setCurrentIndex(ViewerPage);
        // Pictures and links of the page resolve against the document's folder.
        m_viewer->setTextDirectory(folderPart(m_docs.current().fileName));
        m_viewer->loadFromString(m_docs.currentEditor()->text());
        m_toggleButton->setToolTip(QStringLiteral("Back to HTML Editor"));
        m_viewer->setFocus();
    } else {
        m_escape->setEnabled(false);
        m_internalAction->setText(QStringLiteral("&Internal HTML View"));
        setEditControlsEnabled(true);
        m_files.setSaveLocked(false);
        m_notebook->setCurrentIndex(EditorPage);
        m_toggleButton->setToolTip(QStringLiteral("Internal HTML View"));
        m_docs.currentEditor()->setFocus();
    }
    Q_EMIT viewerModeChanged(isViewerShowing());
}

void PreviewController::reload() {
    // Back to the editor page without a full toggle, then into the viewer again: the viewer
    // shows the editor's text as it stands now.
    m_notebook->setCurrentIndex(EditorPage);
    toggleInternalViewer();
}

void PreviewController::externalPreview(bool secondary) {
    if (m_ctx.settings.saveAllBeforeBrowsing)
        m_files.saveAll();
    const bool defaultIsFirst = m_ctx.settings.primaryBrowserIsDefault;
    previewInBrowser(secondary ? !defaultIsFirst : defaultIsFirst);
}

void PreviewController::previewInBrowser(bool firstBrowser) {
    if (isViewerShowing())
        toggleInternalViewer();
    const AppSettings &s = m_ctx.settings;
    const QString program = firstBrowser ? s.primaryBrowser : s.secondaryBrowser;
    if (program.isEmpty() || !QFileInfo(program).isFile()) {
        m_ctx.prompt().information(
            firstBrowser
                ? QStringLiteral("Please enter a valid path to the Netscape Navigator in the "
                                 "preference dialog first.")
                : QStringLiteral("Please enter a valid path to the Internet Explorer in the "
                                 "preference dialog first."));
        return;
    }
    SourceEditor *ed = m_docs.currentEditor();
    const int row = ed->row();
    const int col = ed->col();
    const int top = ed->topLine();
    ed->beginUpdate();
    QString target = m_docs.current().fileName;
    bool ok = true;
    if (!s.saveAllBeforeBrowsing) {
        target = previewCopyName(m_docs.current().fileName, m_ctx.filesWrittenThisRun);
        QString error;
        if (saveDocumentFile(target, ed->text(), m_docs.current().format, &error,
                             copyOfPageOptions(m_docs.current().fileName))) {
            m_ctx.filesWrittenThisRun.insert(target);
            m_ctx.temporaryFiles.add(target);
        } else {
            ok = false;
            m_ctx.prompt().error(target + QStringLiteral("\n\n") + error);
        }
    }
    if (ok) {
        m_browsers.activate(program);
        m_browsers.openUrl(program, fileUrl(target));
    }
    ed->setRow(row);
    ed->setCol(col);
    ed->setTopLine(top);
    ed->setFocus();
    ed->endUpdate();
}

bool PreviewController::eventFilter(QObject *watched, QEvent *event) {
    // The external viewer button acts on the press: the right button asks for the secondary
    // browser, any other button for the default one.
    if (watched == m_externalButton && event->type() == QEvent::MouseButtonPress &&
        m_externalButton->isEnabled()) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        externalPreview(mouse->button() == Qt::RightButton);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
