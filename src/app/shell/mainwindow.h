// The main window: an assembly of the controllers that own the commands (documents, editing,
// search, preview, layout), the menus and toolbars built from their actions, and the start and
// exit sequences.
#pragma once

#include <QMainWindow>

class ActionRegistry;
struct AppContext;
class BrowserLauncher;
class DocumentController;
class DocumentPrinter;
class DocumentStatus;
class EditCommands;
class FileCommands;
class FilePanelController;
class FolderPanel;
struct FilePanelHost;
class HtmlViewer;
class JavaScriptCommands;
class LayoutCommands;
class LivePreviewController;
class PageCheckController;
class PageCheckPanel;
class PreviewController;
class QSplitter;
class RecoveryController;
class QStackedWidget;
class QTabWidget;
class SearchCommands;
class TagToolbar;
class TagDialogCommands;
class TagWizardCommands;
class ToolCommands;
class WindowLayout;
struct WindowLayoutParts;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppContext &ctx, BrowserLauncher &browsers, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The files named on the command line, opened when the window first shows.
    void setStartupFiles(const QStringList &files) { m_startupFiles = files; }
    // After the first-start setup changed the settings: the window follows them.
    void applyFirstStartSettings();
    // What happens when the window is first shown: template, tip of the day, the stored layout
    // mode, the files named on the command line.
    void firstShow();
    bool hasStarted() const { return m_started; }
    // The exit questions and clean-up; true when the window may close.
    bool runExitSequence();
    void showTipOfTheDay();
    void showHelp(const QString &topic = QString());

    DocumentController *documents() const { return m_docs; }
    FileCommands *fileCommands() const { return m_files; }
    RecoveryController *recovery() const { return m_recovery; }
    DocumentPrinter *printer() const { return m_printer; }
    DocumentStatus *documentStatus() const { return m_status; }
    EditCommands *editCommands() const { return m_edit; }
    SearchCommands *search() const { return m_search; }
    PreviewController *preview() const { return m_preview; }
    LivePreviewController *livePreview() const { return m_livePreview; }
    WindowLayout *windowLayout() const { return m_layout; }
    ToolCommands *tools() const { return m_tools; }
    FilePanelController *filePanel() const { return m_filePanel; }
    TagToolbar *tagToolbar() const { return m_tagToolbar; }
    TagWizardCommands *tagWizard() const { return m_tagWizard; }
    JavaScriptCommands *javaScripts() const { return m_javaScripts; }
    HtmlViewer *viewer() const { return m_viewer; }
    LayoutCommands *layoutCommands() const { return m_layoutCommands; }
    // Every action, command button and menu of the window, by id.
    ActionRegistry &commands() const { return *m_commands; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The widgets of the window; returns the parts the layout modes move and the place of the
    // file buttons.
    WindowLayoutParts buildCentralArea(QWidget **fileButtonArea);
    QWidget *buildToolbarRow(QWidget *parent, WindowLayoutParts *parts, QWidget **fileButtonArea);
    QWidget *buildWorkArea(QWidget *parent, WindowLayoutParts *parts);
    // The commands the window carries out itself: exit and the Help menu.
    void addWindowCommands();
    // Builds the menus and puts the command buttons in place, all from the command table.
    void placeCommands(QWidget *fileButtonArea);
    void applySettingsToWindow();
    void startAutostartPrograms();
    void connectToolCommands();
    FilePanelHost filePanelHost();

    AppContext &m_ctx;
    ActionRegistry *m_commands = nullptr;
    QTabWidget *m_tabs = nullptr;
    QStackedWidget *m_notebook = nullptr;
    QSplitter *m_liveSplitter = nullptr;
    HtmlViewer *m_viewer = nullptr;
    PageCheckPanel *m_pageCheckPanel = nullptr;
    TagToolbar *m_tagToolbar = nullptr;
    TagWizardCommands *m_tagWizard = nullptr;
    TagDialogCommands *m_tagDialogs = nullptr;
    JavaScriptCommands *m_javaScripts = nullptr;
    FolderPanel *m_folderPanel = nullptr;
    DocumentController *m_docs = nullptr;
    FileCommands *m_files = nullptr;
    RecoveryController *m_recovery = nullptr;
    DocumentPrinter *m_printer = nullptr;
    DocumentStatus *m_status = nullptr;
    EditCommands *m_edit = nullptr;
    SearchCommands *m_search = nullptr;
    PreviewController *m_preview = nullptr;
    LivePreviewController *m_livePreview = nullptr;
    WindowLayout *m_layout = nullptr;
    LayoutCommands *m_layoutCommands = nullptr;
    ToolCommands *m_tools = nullptr;
    FilePanelController *m_filePanel = nullptr;
    PageCheckController *m_pageCheck = nullptr;
    QStringList m_startupFiles;
    bool m_shown = false;
    bool m_started = false;
    bool m_closing = false;
};
