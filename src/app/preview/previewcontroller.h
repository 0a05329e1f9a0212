// Shows the current document in the internal viewer, which takes the editor's place in the
// main window, or in an external browser from a preview copy or from the saved file.
#pragma once

#include <QAction>
#include <QList>
#include <QObject>
#include <QPointer>

struct AppContext;
class BrowserLauncher;
class DocumentController;
class FileCommands;
class HtmlViewer;
class QMenu;
class QShortcut;
class QStackedWidget;
class QToolButton;
class QWidget;

class PreviewController : public QObject {
    Q_OBJECT
public:
    PreviewController(AppContext &ctx, DocumentController &docs, FileCommands &files,
                      QStackedWidget *notebook, HtmlViewer *viewer, QWidget *window,
                      BrowserLauncher &browsers);

    // What viewer mode disables: whole menus (by their menu actions) and single controls.
    void setEditModeControls(const QList<QAction *> &menus, const QList<QWidget *> &widgets,
                             const QList<QAction *> &actions);
    // The window layout commands offered by the viewer's context menu (full, wide, small).
    void setLayoutActions(QAction *full, QAction *wide, QAction *small);

    bool isViewerShowing() const;
    void toggleInternalViewer();
    void reload();
    void externalPreview(bool secondary);

    QAction *internalViewerAction() const { return m_internalAction; }
    QAction *externalDefaultAction() const { return m_externalDefault; }
    QAction *externalSecondaryAction() const { return m_externalSecondary; }
    QAction *popupInternalAction() const { return m_popupInternal; }
    QAction *popupExternalAction() const { return m_popupExternal; }
    QToolButton *toggleButton() const { return m_toggleButton; }
    QToolButton *externalButton() const { return m_externalButton; }
    QMenu *viewerMenu() const { return m_viewerMenu; }

Q_SIGNALS:
    void viewerModeChanged(bool showing);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void setEditControlsEnabled(bool enabled);
    void previewInBrowser(bool netscapeKind);

    AppContext &m_ctx;
    DocumentController &m_docs;
    FileCommands &m_files;
    QStackedWidget *m_notebook;
    HtmlViewer *m_viewer;
    QWidget *m_window;
    BrowserLauncher &m_browsers;
    QList<QAction *> m_menus;
    QList<QPointer<QWidget>> m_widgets;
    QList<QAction *> m_actions;
    QAction *m_internalAction;
    QAction *m_externalDefault;
    QAction *m_externalSecondary;
    QAction *m_popupInternal;
    QAction *m_popupExternal;
    QToolButton *m_toggleButton;
    QToolButton *m_externalButton;
    QShortcut *m_escape;
    QMenu *m_viewerMenu;
    QAction *m_fullWindow = nullptr;
    QAction *m_wideWindow = nullptr;
    QAction *m_smallWindow = nullptr;
};
