// The main window: an assembly of the controllers that own the commands (documents, editing,
// search, preview, layout), the menus and toolbars built from their actions, the 80 ms pump,
// and the start and exit sequences.
#pragma once

#include <QMainWindow>
#include <QTimer>

struct AppContext;
class BrowserLauncher;
class DocumentController;
class EditCommands;
class FilePanelController;
class FolderPanel;
struct FilePanelHost;
class HtmlViewer;
class PreviewController;
class QMenu;
class QStackedWidget;
class QTabWidget;
class SearchCommands;
class StatusPanels;
class TagToolbar;
class WindowLayout;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppContext &ctx, BrowserLauncher &browsers, QWidget *parent = nullptr);
    ~MainWindow() override;

    // After the first-start setup changed the settings: the window follows them.
    void applyFirstStartSettings();
    // What happens when the window is first shown: template, tip of the day, the pump.
    void firstShow();
    // The exit questions and clean-up; true when the window may close.
    bool runExitSequence();
    // One step of the 80 ms pump.
    void pump();
    void showTipOfTheDay();
    void showHelp(const QString &topic = QString());

    DocumentController *documents() const { return m_docs; }
    EditCommands *editCommands() const { return m_edit; }
    SearchCommands *search() const { return m_search; }
    PreviewController *preview() const { return m_preview; }
    WindowLayout *windowLayout() const { return m_layout; }
    FilePanelController *filePanel() const { return m_filePanel; }
    TagToolbar *tagToolbar() const { return m_tagToolbar; }
    HtmlViewer *viewer() const { return m_viewer; }
    StatusPanels *statusPanels() const { return m_status; }
    QMenu *editorContextMenu() const { return m_editorMenu; }
    QTimer *pumpTimer() { return &m_pumpTimer; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildCentralArea();
    void buildMenus();
    void buildFileButtons(QWidget *area);
    void applySettingsToWindow();
    void startAutostartPrograms();
    FilePanelHost filePanelHost();

    AppContext &m_ctx;
    StatusPanels *m_status = nullptr;
    QTabWidget *m_tabs = nullptr;
    QStackedWidget *m_notebook = nullptr;
    HtmlViewer *m_viewer = nullptr;
    TagToolbar *m_tagToolbar = nullptr;
    FolderPanel *m_folderPanel = nullptr;
    QWidget *m_fileButtons = nullptr;
    DocumentController *m_docs = nullptr;
    EditCommands *m_edit = nullptr;
    SearchCommands *m_search = nullptr;
    PreviewController *m_preview = nullptr;
    WindowLayout *m_layout = nullptr;
    FilePanelController *m_filePanel = nullptr;
    QMenu *m_editorMenu = nullptr;
    QMenu *m_toolbarMenu = nullptr;
    QTimer m_pumpTimer;
    bool m_shown = false;
    bool m_closing = false;
};
