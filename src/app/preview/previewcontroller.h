// Shows the current document in the internal viewer, which takes the editor's place in the
// main window, or in an external browser from a preview copy or from the saved file.
#pragma once

#include <QAction>
#include <QList>
#include <QObject>
#include <QPointer>

struct AppContext;
class ActionRegistry;
class BrowserLauncher;
class DocumentAccess;
class FileCommands;
class HtmlViewer;
class QShortcut;
class QStackedWidget;
class QToolButton;
class QWidget;

class PreviewController : public QObject {
    Q_OBJECT
public:
    PreviewController(AppContext &ctx, DocumentAccess &docs, FileCommands &files,
                      ActionRegistry &commands, QStackedWidget *notebook, HtmlViewer *viewer,
                      QWidget *window, BrowserLauncher &browsers);

    // What viewer mode disables: whole menus (by their menu actions) and single controls.
    void setEditModeControls(const QList<QAction *> &menus, const QList<QWidget *> &widgets,
                             const QList<QAction *> &actions);

    bool isViewerShowing() const;
    void toggleInternalViewer();
    void reload();
    void externalPreview(bool secondary);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void setEditControlsEnabled(bool enabled);
    void previewInBrowser(bool netscapeKind);

    AppContext &m_ctx;
    DocumentAccess &m_docs;
    FileCommands &m_files;
    ActionRegistry &m_commands;
    QStackedWidget *m_notebook;
    HtmlViewer *m_viewer;
    QWidget *m_window;
    BrowserLauncher &m_browsers;
    QList<QAction *> m_menus;
    QList<QPointer<QWidget>> m_widgets;
    QList<QAction *> m_actions;
    QToolButton *m_externalButton;
    QShortcut *m_escape;
};
