#include "preview/previewcontroller.h"

#include "editor/documentaccess.h"
#include "documents/documentfile.h"
#include "documents/documentstate.h"
#include "documents/filecommands.h"
#include "editor/sourceeditor.h"
#include "platform/browserlauncher.h"
#include "preview/previewfiles.h"
#include "preview/previewtexts.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/prompts.h"
#include "viewer/htmlviewer.h"

#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>

namespace {
constexpr int EditorPage = 0; // "Default"
constexpr int ViewerPage = 1; // "browser"
// The states of the viewer's menu item and button: their texts in the command table.
constexpr int ViewerShows = 1;
constexpr int EditorBack = 2;

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

PreviewController::PreviewController(AppContext &ctx, DocumentAccess &docs,
                                     FileCommands &files, ActionRegistry &commands,
                                     QStackedWidget *notebook, HtmlViewer *viewer,
                                     QWidget *window, BrowserLauncher &browsers)
    : QObject(window), m_ctx(ctx), m_docs(docs), m_files(files), m_commands(commands),
      m_notebook(notebook), m_viewer(viewer), m_window(window), m_browsers(browsers) {
    commands.add(QStringLiteral("actionInternalViewer"), this,
                 &PreviewController::toggleInternalViewer);
    commands.add(QStringLiteral("actionExternalDefault"), this, [this] { externalPreview(false); });
    commands.add(QStringLiteral("actionExternalSecondary"), this,
                 [this] { externalPreview(true); });
    commands.addButton(QStringLiteral("internalViewerButton"), this,
                       &PreviewController::toggleInternalViewer);
    m_externalButton = commands.addButton(QStringLiteral("externalViewerButton"), this,
                                          [this] { externalPreview(false); });
    m_externalButton->installEventFilter(this);

    // While the viewer shows, Esc takes the user back to the editor.
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    m_escape->setContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &PreviewController::toggleInternalViewer);

    commands.add(QStringLiteral("viewerBackToEditor"), this,
                 &PreviewController::toggleInternalViewer);
    commands.add(QStringLiteral("viewerReload"), this, &PreviewController::reload);
    // The layout the window has is not offered.
    commands.onMenuShow(QStringLiteral("viewerMenu"), this, [this] {
        const LayoutMode current = m_ctx.settings.layoutMode;
        m_commands.action(QStringLiteral("actionSmallWindow"))
            ->setEnabled(current != LayoutMode::SmallScreen);
        m_commands.action(QStringLiteral("actionWideWindow"))
            ->setEnabled(current != LayoutMode::WideScreen);
        m_commands.action(QStringLiteral("actionFullWindow"))
            ->setEnabled(current != LayoutMode::FullScreen);
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
    // Its state follows the document, see setSaveLocked.
    all.removeAll(m_commands.action(QStringLiteral("actionSave")));
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
        m_commands.setState(QStringLiteral("actionInternalViewer"), ViewerShows);
        setEditControlsEnabled(false);
        m_files.setSaveLocked(true);
        m_notebook->setCurrentIndex(ViewerPage);
        // Pictures and links of the page resolve against the document's folder.
        m_viewer->setTextDirectory(folderPart(m_docs.current().fileName()));
        m_viewer->loadFromString(m_docs.current().text());
        m_commands.setState(QStringLiteral("internalViewerButton"), ViewerShows);
        m_viewer->setFocus();
    } else {
        m_escape->setEnabled(false);
        m_commands.setState(QStringLiteral("actionInternalViewer"), EditorBack);
        setEditControlsEnabled(true);
        m_files.setSaveLocked(false);
        m_notebook->setCurrentIndex(EditorPage);
        m_commands.setState(QStringLiteral("internalViewerButton"), EditorBack);
        m_docs.currentView().setFocus();
    }
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
        m_ctx.prompt().information(PreviewTexts::noBrowser(firstBrowser));
        return;
    }
    SourceDocument &doc = m_docs.current();
    SourceEditor *ed = doc.activeView();
    const int row = ed->row();
    const int col = ed->col();
    const int top = ed->topLine();
    ed->beginUpdate();
    QString target = doc.fileName();
    bool ok = true;
    if (!s.saveAllBeforeBrowsing) {
        target = previewCopyName(doc.fileName(), m_ctx.filesWrittenThisRun);
        QString error;
        if (saveDocumentFile(target, doc.text(), doc.format(), &error,
                             copyOfPageOptions(doc.fileName()))) {
            m_ctx.filesWrittenThisRun.insert(target);
            m_ctx.temporaryFiles.add(target);
        } else {
            ok = false;
            m_ctx.prompt().error(PreviewTexts::copyNotWritten(target, error));
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
