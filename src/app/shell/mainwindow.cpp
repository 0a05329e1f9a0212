#include "shell/mainwindow.h"

#include "documents/documentcontroller.h"
#include "documents/documentprinter.h"
#include "documents/documentstatus.h"
#include "documents/filecommands.h"
#include "documents/recoverycontroller.h"
#include "editor/completioncontroller.h"
#include "editor/editcommands.h"
#include "editor/searchcommands.h"
#include "editor/sourceeditor.h"
#include "editor/tagtoolbar.h"
#include "filepanel/filepanelcontroller.h"
#include "pagecheck/pagecheckcontroller.h"
#include "pagecheck/pagecheckpanel.h"
#include "wizards/javascriptcommands.h"
#include "wizards/layoutcommands.h"
#include "wizards/tagwizardcommands.h"
#include "platform/processlauncher.h"
#include "preview/livepreviewcontroller.h"
#include "preview/previewcontroller.h"
#include "shell/aboutdialog.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/colortext.h"
#include "shell/commandtable.h"
#include "shell/firststart.h"
#include "shell/prompts.h"
#include "shell/settingsio.h"
#include "shell/shelltexts.h"
#include "shell/tipofthedaydialog.h"
#include "shell/windowlayout.h"
#include "tools/toolcommands.h"
#include "viewer/helpwindow.h"
#include "viewer/htmlviewer.h"
#include "widgets/folderpanel.h"
#include "widgets/windowstacking.h"
#include "wizards/tagdialogcommands.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPointer>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int ToolbarAreaHeight = 56;
constexpr int RightPanelWidth = 40;
} // namespace

MainWindow::MainWindow(AppContext &ctx, BrowserLauncher &browsers, QWidget *parent)
    : QMainWindow(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/marlo.svg")));
    new DialogActivation(this);
    m_commands = new ActionRegistry(this);
    QWidget *fileButtonArea = nullptr;
    const WindowLayoutParts parts = buildCentralArea(&fileButtonArea);

    // The settings come before any document: the first document's name depends on them.
    installChosenDictionary(m_ctx);
    const QString firstName = initSettingsDefaults(m_ctx, QDir::currentPath());

    ActionRegistry &commands = *m_commands;
    m_docs = new DocumentController(m_ctx, m_tabs, this);
    m_docs->createFirstDocument(firstName);
    m_files = new FileCommands(m_ctx, *m_docs, commands, this);
    m_recovery = new RecoveryController(m_ctx, *m_docs, this);
    m_printer = new DocumentPrinter(m_ctx, *m_docs, commands, this);
    m_status = new DocumentStatus(*m_docs, this, statusBar());
    m_edit = new EditCommands(m_ctx, *m_docs, commands, this);
    CompletionController::attachToEditors(*m_docs, m_ctx.settings);
    m_search = new SearchCommands(m_ctx, *m_docs, commands, this);
    m_preview = new PreviewController(m_ctx, *m_docs, *m_files, commands, m_notebook, m_viewer,
                                      this, browsers);
    m_livePreview = new LivePreviewController(m_ctx, *m_docs, commands, m_liveSplitter, this);
    m_layout = new WindowLayout(m_ctx.settings, commands, parts);
    m_filePanel =
        new FilePanelController(m_ctx, m_folderPanel, commands, this, *m_docs, filePanelHost());
    m_pageCheck = new PageCheckController(*m_docs, m_pageCheckPanel, commands, this);
    m_edit->connectToolbar(m_tagToolbar);
    m_tagWizard = new TagWizardCommands(m_ctx, commands, m_tagToolbar, this);
    m_tagDialogs = new TagDialogCommands(
        m_ctx, *m_docs, [this] { return m_filePanel->selectedFile(); }, commands, this);
    m_layoutCommands = new LayoutCommands(m_ctx, commands, this, *m_docs);
    m_layoutCommands->registerTagEditors(*m_tagDialogs);
    m_tools = new ToolCommands(m_ctx, *m_docs, commands, this);
    connectToolCommands();
    m_javaScripts = new JavaScriptCommands(m_ctx, *m_docs, commands, this);
    connect(m_javaScripts, &JavaScriptCommands::helpRequested, this, &MainWindow::showHelp);
    addWindowCommands();
    placeCommands(fileButtonArea);

    connect(m_docs, &DocumentController::panelFolderChanged, m_folderPanel,
            &FolderPanel::setFolder);
    connect(m_folderPanel, &FolderPanel::folderChosen, m_docs, &DocumentController::setPanelFolder);
    for (HtmlViewer *viewer : {m_viewer, m_livePreview->viewer()})
        connect(viewer, &HtmlViewer::hotSpotCovered, this,
                [this](const QString &target) { statusBar()->showMessage(target); });

    applySettingsToWindow();
    startAutostartPrograms();

    resize(1200, 800);
}

MainWindow::~MainWindow() {
    delete m_recovery; // it hears the editors, which are taken apart next
    m_docs->releaseAllEditors();
    // The controllers go next, last made first, while the window and its views are whole:
    // a view taken apart later (a file name being edited in the panel commits itself as it
    // goes) must find nobody left to act on it, and no callback into a window half gone.
    QList<QPointer<QObject>> controllers;
    for (QObject *child : children()) {
        if (!child->isWidgetType())
            controllers.prepend(child);
    }
    for (const QPointer<QObject> &controller : controllers)
        delete controller.data(); // one may have taken another with it
}

FilePanelHost MainWindow::filePanelHost() {
    FilePanelHost host;
    host.openPage = [this](const QString &path) { return m_files->openFile(path); };
    host.wrap = [this](const QString &start, const QString &end) { m_edit->wrap(start, end); };
    host.showHelp = [this](const QString &topic) { showHelp(topic); };
    host.isOpenUnsaved = [this](const QString &path) { return m_files->isOpenUnsaved(path); };
    host.fileMoved = [this](const QString &from, const QString &to) {
        m_files->followMovedFile(from, to);
    };
    host.filesRewritten = [this](const QStringList &paths) {
        m_files->reloadRewrittenFiles(paths);
    };
    return host;
}

WindowLayoutParts MainWindow::buildCentralArea(QWidget **fileButtonArea) {
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    WindowLayoutParts parts;
    parts.window = this;
    layout->addWidget(buildToolbarRow(central, &parts, fileButtonArea));
    auto *line = new QFrame(central);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    layout->addWidget(buildWorkArea(central, &parts), 1);
    setCentralWidget(central);
    return parts;
}

// The file buttons, then the tag toolbar and the right panel on a splitter.
QWidget *MainWindow::buildToolbarRow(QWidget *parent, WindowLayoutParts *parts,
                                     QWidget **fileButtonArea) {
    auto *top = new QWidget(parent);
    top->setObjectName(QStringLiteral("toolbarArea"));
    top->setFixedHeight(ToolbarAreaHeight);
    auto *topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(2, 0, 0, 0);
    topRow->setSpacing(4);
    auto *fileButtons = new QWidget(top);
    fileButtons->setObjectName(QStringLiteral("fileButtons"));
    topRow->addWidget(fileButtons, 0, Qt::AlignVCenter);
    *fileButtonArea = fileButtons;

    auto *topSplitter = new QSplitter(Qt::Horizontal, top);
    topSplitter->setObjectName(QStringLiteral("topSplitter"));
    topSplitter->setChildrenCollapsible(false);
    auto *tagArea = new QWidget(topSplitter);
    tagArea->setObjectName(QStringLiteral("tagArea"));
    auto *tagLayout = new QVBoxLayout(tagArea);
    tagLayout->setContentsMargins(0, 0, 0, 0);
    m_tagToolbar = new TagToolbar(tagArea);
    tagLayout->addWidget(m_tagToolbar);
    auto *right = new QFrame(topSplitter);
    right->setObjectName(QStringLiteral("rightPanel"));
    right->setFrameShape(QFrame::NoFrame);
    right->setMinimumWidth(8);
    topSplitter->addWidget(tagArea);
    topSplitter->addWidget(right);
    topSplitter->setStretchFactor(0, 1);
    topSplitter->setSizes({1000, RightPanelWidth});
    topRow->addWidget(topSplitter, 1);

    parts->toolbarRow = top;
    parts->tagArea = tagArea;
    parts->tagToolbar = m_tagToolbar;
    parts->topSplitter = topSplitter;
    parts->rightPanel = right;
    return top;
}

// The file panel beside the notebook, whose pages are the documents (their tabs above the page
// check's list) and the internal viewer.
QWidget *MainWindow::buildWorkArea(QWidget *parent, WindowLayoutParts *parts) {
    auto *mainSplitter = new QSplitter(Qt::Horizontal, parent);
    mainSplitter->setObjectName(QStringLiteral("mainSplitter"));
    m_folderPanel = new FolderPanel(mainSplitter);
    m_notebook = new QStackedWidget(mainSplitter);
    m_notebook->setObjectName(QStringLiteral("notebook"));
    // The editor page: the documents' tabs above the page check's list, and the live preview
    // beside them.
    m_liveSplitter = new QSplitter(Qt::Horizontal, m_notebook);
    m_liveSplitter->setObjectName(QStringLiteral("livePreviewSplitter"));
    auto *editorArea = new QSplitter(Qt::Vertical, m_liveSplitter);
    editorArea->setObjectName(QStringLiteral("editorArea"));
    editorArea->setChildrenCollapsible(false);
    m_tabs = new QTabWidget(editorArea);
    m_tabs->setObjectName(QStringLiteral("Default"));
    m_pageCheckPanel = new PageCheckPanel(editorArea);
    editorArea->addWidget(m_tabs);
    editorArea->addWidget(m_pageCheckPanel);
    editorArea->setStretchFactor(0, 1);
    m_viewer = new HtmlViewer(m_notebook);
    m_viewer->setObjectName(QStringLiteral("browser"));
    m_viewer->setViewImages(true);
    m_viewer->setDefBackground(QColor(0xC0, 0xC0, 0xC0));
    m_viewer->setHistoryMaxCount(0);
    m_viewer->setDefFontName(QStringLiteral("Times New Roman"));
    m_viewer->setDefPreFontName(QStringLiteral("Courier New"));
    m_viewer->setDefFontColor(Qt::black);
    m_viewer->setImageCacheCount(0);
    m_viewer->setNoSelect(false);
    m_liveSplitter->addWidget(editorArea);
    m_notebook->addWidget(m_liveSplitter);
    m_notebook->addWidget(m_viewer);
    mainSplitter->addWidget(m_folderPanel);
    mainSplitter->addWidget(m_notebook);
    mainSplitter->setStretchFactor(1, 1);

    parts->filePanel = m_folderPanel;
    parts->mainSplitter = mainSplitter;
    parts->filePanelSplitter = m_folderPanel;
    return mainSplitter;
}

void MainWindow::addWindowCommands() {
    m_commands->add(QStringLiteral("actionExit"), this, &QWidget::close);
    m_commands->add(QStringLiteral("actionHelpContents"), this, [this] { showHelp(); });
    m_commands->add(QStringLiteral("actionTipOfTheDay"), this, &MainWindow::showTipOfTheDay);
    m_commands->add(QStringLiteral("actionAbout"), this, [this] {
        AboutDialog about(this);
        about.exec();
    });
}

void MainWindow::placeCommands(QWidget *fileButtonArea) {
    ActionRegistry &commands = *m_commands;
    commands.buildMenus(menuBar());

    auto *row = new QHBoxLayout(fileButtonArea);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (const QString &id : fileButtonRow()) {
        if (id == QLatin1String("|")) {
            row->addSpacing(8);
            continue;
        }
        QToolButton *b = commands.button(id);
        if (!b) {
            b = new QToolButton(fileButtonArea);
            b->setDefaultAction(commands.action(id));
        }
        b->setAutoRaise(true);
        b->setIconSize(QSize(24, 24));
        b->setFocusPolicy(Qt::NoFocus);
        row->addWidget(b);
    }
    for (const ToolbarPlace &place : tagToolbarButtons())
        m_tagToolbar->placeButton(place.page, commands.button(place.id));

    m_docs->setEditorContextMenu(commands.menu(QStringLiteral("editorMenu")));
    m_tagToolbar->setContextMenu(commands.menu(QStringLiteral("tagToolbarMenu")));
    m_viewer->setContextMenu(commands.menu(QStringLiteral("viewerMenu")));

    // What the internal viewer disables while it shows.
    QList<QAction *> menus;
    for (const char *id : {"menuFile", "menuEdit", "menuSearch", "menuTags", "menuMoreTags",
                           "menuTools"})
        menus << commands.menu(QLatin1String(id))->menuAction();
    m_preview->setEditModeControls(menus, {m_tagToolbar, m_folderPanel},
                                   {commands.action(QStringLiteral("actionPrintNow")),
                                    commands.action(QStringLiteral("actionCheckPage"))});
}

void MainWindow::applySettingsToWindow() {
    AppSettings &s = m_ctx.settings;
    for (int i = 0; i < AppSettings::LauncherSlots; ++i)
        if (s.launcherTitles[i].isEmpty() || s.launcherCommands[i].isEmpty())
            s.launcherTitles[i] = MarkerEmpty;
    m_layout->applySizes();
    m_tagToolbar->setUserButtonCaptions(s.buttonCaptions);
    m_filePanel->applyFileMask();
    m_folderPanel->setFolder(m_docs->panelFolder());
    m_files->updateRecentMenu();
    m_docs->applySettingsToEditors();
    // Backups run from the start when the settings ask for them.
    m_files->configureBackupTimer(s.backupEnabled, s.backupMinutes);
    const QPalette pal = palette();
    m_folderPanel->setColors(resolveColor(s.textColor, pal), resolveColor(s.backgroundColor, pal));
}

void MainWindow::connectToolCommands() {
    connect(m_tools, &ToolCommands::backupSettingsChanged, m_files,
            &FileCommands::configureBackupTimer);
    connect(m_tools, &ToolCommands::editorSettingsChanged, m_docs,
            &DocumentController::applySettingsToEditors);
    connect(m_tools, &ToolCommands::fileListSettingsChanged, this, [this] {
        const AppSettings &s = m_ctx.settings;
        m_filePanel->applyPreferencesMask();
        m_folderPanel->setColors(resolveColor(s.textColor, palette()),
                                 resolveColor(s.backgroundColor, palette()));
    });
    connect(m_tools, &ToolCommands::userButtonCaptionsChanged, this,
            [this] { m_tagToolbar->setUserButtonCaptions(m_ctx.settings.buttonCaptions); });
    connect(m_tools, &ToolCommands::helpRequested, this, &MainWindow::showHelp);
}

void MainWindow::applyFirstStartSettings() {
    // The first-start setup has read the settings again (and kept for this run what the file
    // would not take); the untitled first document and the window follow them.
    m_files->renameUntitledDocument(untitledDocumentName(m_ctx.settings, m_docs->panelFolder()));
    applySettingsToWindow();
}

void MainWindow::startAutostartPrograms() {
    const AppSettings &s = m_ctx.settings;
    for (int i = 0; i < AppSettings::LauncherSlots; ++i)
        if (s.launcherAutoStart[i] && s.launcherCommands[i] != MarkerEmpty) {
            QString failure;
            // Told once the window shows, not over the splash screen.
            if (!startCommandLine(s.launcherCommands[i], &failure) && !failure.isEmpty())
                QMetaObject::invokeMethod(
                    this, [this, failure] { m_ctx.prompt().error(failure); },
                    Qt::QueuedConnection);
        }
}

void MainWindow::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // After the window has painted once, so the tip of the day opens over a finished window.
    QTimer::singleShot(0, this, &MainWindow::firstShow);
}

void MainWindow::firstShow() {
    // The setting that enlarged the first editor worked around a fault of another platform's
    // edit control; under Qt's layouts it has no meaning and is kept only in the settings file.
    m_files->loadTemplate(m_docs->current());
    m_layout->setMode(m_ctx.settings.layoutMode);
    // The pages named on the command line are there before the tip, which opens over them.
    if (!m_startupFiles.isEmpty())
        m_files->openStartupFiles(m_startupFiles);
    // Then the pages a run that did not end cleanly left unsaved.
    m_recovery->offerRecovery(this);
    if (m_ctx.settings.tipOfTheDay > 0)
        showTipOfTheDay();
    m_docs->currentView().setFocus();
    m_started = true;
}

void MainWindow::showTipOfTheDay() {
    TipOfTheDayDialog dialog(m_ctx.settings.tipOfTheDay, this);
    dialog.exec();
}

void MainWindow::showHelp(const QString &topic) {
    HelpWindow::showTopic(m_ctx.settings.programHelpFile, topic, this);
}

bool MainWindow::runExitSequence() {
    if (m_preview->isViewerShowing())
        m_preview->toggleInternalViewer();
    if (m_ctx.prompt().askYesNo(Prompts::Kind::Confirmation, ShellTexts::ConfirmExit) !=
        Prompts::Answer::Yes)
        return false;
    saveSettings(m_ctx);
    if (!m_files->closeAllForExit())
        return false;
    for (const QString &name : m_ctx.temporaryFiles.names())
        QFile::remove(name); // a file that cannot be deleted is skipped
    m_ctx.temporaryFiles.clear();
    if (!m_ctx.backupFiles.isEmpty() &&
        m_ctx.prompt().askYesNo(Prompts::Kind::Confirmation, ShellTexts::DeleteBackups) ==
            Prompts::Answer::Yes) {
        for (const QString &name : m_ctx.backupFiles.names())
            QFile::remove(name);
        m_ctx.backupFiles.clear();
    }
    // Every page was saved or let go: nothing is left to recover.
    m_recovery->finishCleanly();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event) {
    if (m_closing) {
        event->accept();
        return;
    }
    if (!runExitSequence()) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
}
