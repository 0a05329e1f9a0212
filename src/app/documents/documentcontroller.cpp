#include "documents/documentcontroller.h"

#include "documents/documentfile.h"
#include "documents/statuspanels.h"
#include "editor/sourceeditor.h"
#include "shell/appcontext.h"
#include "shell/colortext.h"
#include "shell/prompts.h"
#include "shell/settingsio.h"
#include "text/plaintext.h"

#include <QFileInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>

namespace {

// The page filter of the open and save dialogs in Qt's filter syntax, which cannot carry the
// commas and semicolons of the classic "Html Files (*.html, *.htm; *.shtm; *.shtml)" text; an
// "All Files" entry lets pages with other extensions be opened too.
const QString HtmlFilter = QStringLiteral("Html Files (*.html *.htm *.shtm *.shtml);;All Files (*)");

// Keeps the program's own text loads from counting as user edits.
class LoadingScope {
public:
    explicit LoadingScope(int &counter) : m_counter(counter) { ++m_counter; }
    ~LoadingScope() { --m_counter; }
    LoadingScope(const LoadingScope &) = delete;
    LoadingScope &operator=(const LoadingScope &) = delete;

private:
    int &m_counter;
};

} // namespace

DocumentController::DocumentController(AppContext &ctx, QTabWidget *tabs, QWidget *window,
                                       StatusPanels *status)
    : EditorProvider(window), m_ctx(ctx), m_tabs(tabs), m_window(window), m_status(status) {
    m_tabs->setTabBarAutoHide(true); // the tab row shows only with two or more documents
    m_tabs->setDocumentMode(true);
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setElideMode(Qt::ElideNone);
    connect(m_tabs, &QTabWidget::currentChanged, this, &DocumentController::onCurrentTabChanged);

    auto make = [this](const QString &text, const QString &name, QKeySequence key = {}) {
        auto *a = new QAction(text, this);
        a->setObjectName(name);
        if (!key.isEmpty())
            a->setShortcut(key);
        return a;
    };
    m_newAction = make(QStringLiteral("&New..."), QStringLiteral("actionNew"), QKeySequence::New);
    m_openAction =
        make(QStringLiteral("&Open..."), QStringLiteral("actionOpen"), QKeySequence::Open);
    m_saveAction = make(QStringLiteral("&Save"), QStringLiteral("actionSave"),
                        QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveAsAction = make(QStringLiteral("Save &As..."), QStringLiteral("actionSaveAs"));
    m_saveAllAction = make(QStringLiteral("Save All"), QStringLiteral("actionSaveAll"));
    m_exportAction =
        make(QStringLiteral("Export to Uni&x file..."), QStringLiteral("actionExportUnix"));
    m_printAction = make(QStringLiteral("&Print..."), QStringLiteral("actionPrint"),
                         QKeySequence::Print);
    m_printNowAction = make(QStringLiteral("Print"), QStringLiteral("actionPrintNow"));
    m_closeAction = make(QStringLiteral("&Close"), QStringLiteral("actionClose"),
                         QKeySequence(Qt::CTRL | Qt::Key_W));
    m_closeAllAction = make(QStringLiteral("C&lose All"), QStringLiteral("actionCloseAll"));
    m_recentSeparator = new QAction(this);
    m_recentSeparator->setSeparator(true);
    for (int i = 0; i < AppSettings::RecentFileCount; ++i) {
        m_recentActions[i] = make(QString(), QStringLiteral("actionRecent%1").arg(i + 1));
        connect(m_recentActions[i], &QAction::triggered, this, [this, i] { openRecentFile(i); });
    }

    connect(m_newAction, &QAction::triggered, this, &DocumentController::newDocument);
    connect(m_openAction, &QAction::triggered, this, &DocumentController::openDocument);
    connect(m_saveAction, &QAction::triggered, this, [this] { saveCurrentDocument(); });
    connect(m_saveAsAction, &QAction::triggered, this, [this] { saveCurrentDocumentAs(); });
    connect(m_saveAllAction, &QAction::triggered, this, &DocumentController::saveAllDocuments);
    connect(m_exportAction, &QAction::triggered, this, &DocumentController::exportUnixFile);
    connect(m_printAction, &QAction::triggered, this, [this] { printDocument(true); });
    connect(m_printNowAction, &QAction::triggered, this, [this] { printDocument(false); });
    connect(m_closeAction, &QAction::triggered, this, [this] { closeCurrentDocument(); });
    connect(m_closeAllAction, &QAction::triggered, this, [this] { closeAllDocuments(); });

    // Backups run only once the preferences have switched them on during this run.
    m_backupTimer.setInterval(500000);
    connect(&m_backupTimer, &QTimer::timeout, this, &DocumentController::backupCurrentDocument);
}

DocumentController::~DocumentController() = default;

void DocumentController::setPanelFolder(const QString &folder) {
    if (folder.isEmpty() || folder == m_panelFolder)
        return;
    m_panelFolder = folder;
    Q_EMIT panelFolderChanged(folder);
}

QString DocumentController::untitledName() const {
    QString folder = m_panelFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + UntitledName;
}

// ---------------------------------------------------------------------------------------------
// Tabs and editors

SourceEditor *DocumentController::createEditor() {
    auto *editor = new SourceEditor;
    editor->setObjectName(QStringLiteral("sourceEditor"));
    editor->setFrameShape(QFrame::NoFrame);
    connectEditor(editor);
    Q_EMIT editorCreated(editor);
    return editor;
}

void DocumentController::applySettings(SourceEditor *editor) {
    const AppSettings &s = m_ctx.settings;
    const QPalette pal = editor->palette();
    editor->setWordWrap(s.wordWrap);
    editor->setEditorFont(s.fontName, s.fontSize);
    editor->setColors(resolveColor(s.tagColor, pal), resolveColor(s.textColor, pal),
                      resolveColor(s.commentColor, pal), resolveColor(s.backgroundColor, pal));
    editor->setColorCoding(s.colorCoding);
    editor->setConvertExtendedCharacters(s.convertExtendedCharacters);
}

void DocumentController::connectEditor(SourceEditor *editor) {
    applySettings(editor);
    if (m_editorMenu)
        editor->setContextMenu(m_editorMenu);

    // The document's own modified flag tells real edits (typing, commands, undo) from the
    // repaints of the colouring, which also report the text as changed.
    connect(editor->document(), &QTextDocument::modificationChanged, this,
            [this, editor](bool modified) {
                if (modified)
                    onTextChanged(editor);
            });
    connect(editor, &SourceEditor::textChanged, this, [this, editor] {
        if (editor == currentEditor() && m_loading == 0)
            updatePositionFromEditor();
    });
    connect(editor, &SourceEditor::caretPositionChanged, this, [this, editor](int col, int line) {
        if (editor == currentEditor())
            updateCaptionAndStatus(QStringLiteral("#"), QStringLiteral("#"),
                                   QString::number(col), QString::number(line));
    });
    connect(editor, &SourceEditor::overwriteModeToggled, this,
            [this](bool overwrite) { m_status->setInsertMode(overwrite); });
    connect(editor, &SourceEditor::userInteraction, this, [this, editor] {
        const int i = indexOf(editor);
        if (i >= 0)
            m_docs[i].changeGuard = false;
    });
    connect(editor, &SourceEditor::rightButtonPressed, this,
            &DocumentController::editorRightButtonPressed);
}

void DocumentController::releaseEditor(SourceEditor *editor) {
    // An editor still reports changes while it is taken apart; nothing here may hear them.
    if (!editor)
        return;
    QObject::disconnect(editor, nullptr, this, nullptr);
    QObject::disconnect(editor->document(), nullptr, this, nullptr);
}

void DocumentController::releaseAllEditors() {
    for (int i = 0; i < count(); ++i)
        releaseEditor(editor(i));
}

void DocumentController::applySettingsToEditors() {
    for (int i = 0; i < count(); ++i)
        applySettings(editor(i));
}

void DocumentController::setEditorContextMenu(QMenu *menu) {
    m_editorMenu = menu;
    for (int i = 0; i < count(); ++i)
        editor(i)->setContextMenu(menu);
}

SourceEditor *DocumentController::editor(int index) const {
    return qobject_cast<SourceEditor *>(m_tabs->widget(index));
}

SourceEditor *DocumentController::currentEditor() const { return editor(m_current); }

QList<SourceEditor *> DocumentController::editors() const {
    QList<SourceEditor *> all;
    for (int i = 0; i < count(); ++i)
        all.append(editor(i));
    return all;
}

int DocumentController::indexOf(const SourceEditor *ed) const {
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->widget(i) == ed)
            return i;
    return -1;
}

int DocumentController::addDocumentTab() {
    SourceEditor *ed = createEditor();
    DocumentState state;
    state.fileName = untitledName();
    m_docs.append(state);
    int index;
    {
        const QSignalBlocker block(m_tabs);
        index = m_tabs->addTab(ed, escapeAmpersands(UntitledName));
    }
    return index;
}

void DocumentController::createFirstDocument(const QString &fileName) {
    m_panelFolder = folderPart(fileName);
    if (m_panelFolder.size() > 1 && m_panelFolder.endsWith(QLatin1Char('/')))
        m_panelFolder.chop(1);
    addDocumentTab();
    m_docs[0].fileName = fileName;
    m_current = 0;
    setSavedUi(true);
    refreshTabCaption(0);
}

void DocumentController::showFirstDocument() {
    loadTemplate();
    updateCaptionAndStatus(current().fileName, current().lastSave, QStringLiteral("0"),
                           QStringLiteral("0"));
    Q_EMIT currentEditorChanged(currentEditor());
}

void DocumentController::setCurrentIndex(int index) {
    if (index < 0 || index >= count())
        return;
    if (m_tabs->currentIndex() != index)
        m_tabs->setCurrentIndex(index); // runs onCurrentTabChanged
    else if (m_current != index)
        onCurrentTabChanged(index);
}

void DocumentController::onCurrentTabChanged(int index) {
    if (index < 0 || index >= m_docs.size())
        return;
    m_current = index;
    const DocumentState &d = current();
    setSavedUi(d.saved);
    SourceEditor *ed = currentEditor();
    m_status->setInsertMode(ed->isOverwriteMode());
    updateCaptionAndStatus(d.fileName, d.lastSave, QString::number(ed->col()),
                           QString::number(ed->row()));
    Q_EMIT currentEditorChanged(ed);
}

void DocumentController::newDocumentTab() {
    const int index = addDocumentTab();
    {
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(index);
    }
    m_current = index;
    setSavedUi(true);
    refreshTabCaption(index);
    updateCaptionAndStatus(current().fileName, current().lastSave, QStringLiteral("#"),
                           QStringLiteral("#"));
    m_status->setInsertMode(false);
    Q_EMIT currentEditorChanged(currentEditor());
}

void DocumentController::refreshTabCaption(int index) {
    const DocumentState &d = m_docs[index];
    const QString caption = (d.saved ? QString() : QStringLiteral("* ")) + fileNamePart(d.fileName);
    m_tabs->setTabText(index, escapeAmpersands(caption));
    m_tabs->setTabToolTip(index, d.fileName);
}

void DocumentController::setSavedUi(bool saved) {
    // While the viewer shows, the Save command stays off; it follows the document on return.
    if (!m_saveLocked)
        m_saveAction->setEnabled(!saved);
}

void DocumentController::setSaveLocked(bool locked) {
    m_saveLocked = locked;
    if (locked)
        m_saveAction->setEnabled(false);
    else
        setSavedUi(current().saved);
}

void DocumentController::renameUntitledDocument(const QString &name) {
    if (count() != 1 || !isUntitledName(current().fileName) || !current().saved)
        return;
    m_docs[0].fileName = name;
    setPanelFolder(QFileInfo(name).absolutePath());
    updateCaptionAndStatus(name, QStringLiteral("#"), QStringLiteral("#"), QStringLiteral("#"));
}

void DocumentController::updateCaptionAndStatus(const QString &name, const QString &lastSave,
                                                const QString &column, const QString &line) {
    const QString keep = QStringLiteral("#");
    if (name != keep) {
        m_window->setWindowTitle(QStringLiteral("Marlo - ") + name);
        if (m_current < m_docs.size())
            refreshTabCaption(m_current);
    }
    if (lastSave != keep)
        m_status->setLastSave(lastSave);
    if (column == keep && line == keep)
        return;
    const QString colText = column == keep ? column : QString::number(column.toInt() + 1);
    const QString lineText = line == keep ? line : QString::number(line.toInt() + 1);
    m_status->setPosition(colText + QLatin1Char(':') + lineText);
}

void DocumentController::updatePositionFromEditor() {
    SourceEditor *ed = currentEditor();
    updateCaptionAndStatus(QStringLiteral("#"), QStringLiteral("#"), QString::number(ed->col()),
                           QString::number(ed->row()));
}

void DocumentController::onTextChanged(SourceEditor *ed) {
    if (m_loading > 0)
        return;
    const int i = indexOf(ed);
    if (i < 0)
        return;
    DocumentState &d = m_docs[i];
    // Any change that is not the program loading text is the user's work, whether typed or
    // inserted through a command, so it must count even before the first key press.
    d.changeGuard = false;
    if (d.saved) {
        d.saved = false;
        refreshTabCaption(i);
        if (i == m_current)
            setSavedUi(false);
    }
}

// ---------------------------------------------------------------------------------------------
// Loading

bool DocumentController::readFile(const QString &path, QString *text, TextFormat *format) {
    const DecodedText decoded = loadDocumentFile(path);
    if (!decoded.ok) {
        m_ctx.prompt().error(decoded.error);
        return false;
    }
    *text = decoded.text;
    *format = decoded.format;
    return true;
}

void DocumentController::loadTemplate() {
    const QString templ = m_ctx.settings.templateFile;
    if (templ.isEmpty())
        return;
    if (!QFileInfo(templ).isFile()) {
        m_ctx.prompt().information(QStringLiteral(
            "The template HTML file specified in the preferences dialog does not exist."));
        return;
    }
    QString text;
    TextFormat format;
    if (!readFile(templ, &text, &format))
        return;
    SourceEditor *ed = currentEditor();
    {
        LoadingScope loading(m_loading);
        ed->setDocumentText(text);
        ed->colorCodeLines(0, SourceEditor::LastLine);
        ed->document()->setModified(false);
    }
    m_docs[m_current].format = format;
}

void DocumentController::showLoadedText(int index, const QString &path, const QString &text,
                                        const TextFormat &format) {
    SourceEditor *ed = editor(index);
    {
        LoadingScope loading(m_loading);
        ed->beginUpdate();
        ed->setDocumentText(text);
        if (m_ctx.settings.colorCoding)
            ed->colorCodeLines(0, SourceEditor::LastLine);
        ed->endUpdate();
        ed->document()->setModified(false);
    }
    DocumentState &d = m_docs[index];
    d.fileName = path;
    d.format = format;
    d.lastSave = currentTimeText();
    d.saved = true;
    d.changeGuard = false;
    if (index == m_current) {
        setSavedUi(true);
        updateCaptionAndStatus(path, d.lastSave, QStringLiteral("0"), QStringLiteral("0"));
    }
    refreshTabCaption(index);
    setPanelFolder(QFileInfo(path).absolutePath());
}

bool DocumentController::loadInto(int index, const QString &path) {
    QString text;
    TextFormat format;
    if (!readFile(path, &text, &format))
        return false;
    showLoadedText(index, path, text, format);
    return true;
}

void DocumentController::newDocument() {
    newDocumentTab();
    loadTemplate();
    currentEditor()->setFocus();
    refreshTabCaption(m_current);
}

void DocumentController::openDocument() {
    const QStringList files =
        m_ctx.prompt().openFileNames(QStringLiteral("Open"), m_panelFolder, HtmlFilter);
    for (const QString &file : files)
        openFile(file);
}

QString DocumentController::existingFile(const QString &path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(full).isFile())
        return full;
    m_ctx.prompt().information(full + QStringLiteral("\n") +
                               QStringLiteral("The file does not exist."));
    return QString();
}

bool DocumentController::openFile(const QString &path) {
    const QString full = existingFile(path);
    if (full.isEmpty())
        return false;
    // Read before a tab exists, so that a file that cannot be opened leaves no empty tab.
    QString text;
    TextFormat format;
    if (!readFile(full, &text, &format))
        return false;
    newDocumentTab();
    showLoadedText(m_current, full, text, format);
    return true;
}

void DocumentController::openStartupFiles(const QStringList &paths) {
    for (const QString &path : paths) {
        const bool reuseFirst =
            count() == 1 && isUntitledName(current().fileName) && current().saved;
        if (!reuseFirst) {
            openFile(path);
            continue;
        }
        const QString full = existingFile(path);
        if (!full.isEmpty())
            loadInto(0, full);
    }
}

void DocumentController::openRecentFile(int index) {
    const QString name = m_ctx.settings.recentFiles[index];
    if (name == MarkerEmpty || name.isEmpty())
        return;
    if (!current().saved) {
        const Prompts::Answer answer = m_ctx.prompt().askYesNoCancel(
            Prompts::Kind::Information,
            QStringLiteral("The current file is not saved. Do you wish to save it before "
                           "opening the new file?"));
        if (answer == Prompts::Answer::Cancel)
            return;
        // A save that did not happen must not let the unsaved text be replaced.
        if (answer == Prompts::Answer::Yes && !saveCurrentDocument())
            return;
    }
    if (!QFileInfo(name).isFile()) {
        m_ctx.prompt().information(QStringLiteral("The file does not exist."));
        return;
    }
    loadInto(m_current, name);
}

// ---------------------------------------------------------------------------------------------
// Saving

QString DocumentController::saveDialog() {
    return m_ctx.prompt().saveFileName(QStringLiteral("Save As"), folderPart(current().fileName),
                                       HtmlFilter);
}

bool DocumentController::writeCurrent(const QString &path) {
    QString error;
    if (!saveDocumentFile(path, currentEditor()->text(), current().format, &error)) {
        m_ctx.prompt().error(path + QStringLiteral("\n\n") + error);
        return false;
    }
    return true;
}

bool DocumentController::saveCurrentDocument() {
    QString path = current().fileName;
    if (isUntitledName(path)) {
        path = saveDialog();
        if (path.isEmpty())
            return false;
    }
    return saveTo(path);
}

bool DocumentController::saveCurrentDocumentAs() {
    const QString path = saveDialog();
    return !path.isEmpty() && saveTo(path);
}

bool DocumentController::saveTo(const QString &path) {
    if (!writeCurrent(path))
        return false;
    currentEditor()->document()->setModified(false);
    DocumentState &d = m_docs[m_current];
    d.fileName = path;
    updateRecentFiles(m_ctx.settings.recentFiles, path);
    updateRecentMenu();
    saveSettings(m_ctx);
    d.lastSave = currentTimeText();
    d.saved = true;
    updateCaptionAndStatus(d.fileName, d.lastSave, QStringLiteral("#"), QStringLiteral("#"));
    setSavedUi(true);
    refreshTabCaption(m_current);
    return true;
}

void DocumentController::saveAllDocuments() {
    const int remembered = m_current;
    for (int i = count() - 1; i >= 0; --i) {
        setCurrentIndex(i);
        if (!current().saved)
            saveCurrentDocument();
    }
    setCurrentIndex(remembered);
}

void DocumentController::exportUnixFile() {
    const QString path = m_ctx.prompt().saveFileName(QStringLiteral("Export to Unix file"),
                                                     folderPart(current().fileName), HtmlFilter);
    if (path.isEmpty())
        return;
    QString error;
    if (!::exportUnixFile(path, currentEditor()->text(), current().format, &error))
        m_ctx.prompt().error(path + QStringLiteral("\n\n") + error);
}

void DocumentController::printDocument(bool withDialog) {
    QPrinter printer;
    if (withDialog) {
        QPrintDialog dialog(&printer, m_window);
        if (dialog.exec() != QDialog::Accepted)
            return;
        printer.setDocName(current().fileName);
    } else {
        printer.setDocName(QString());
    }
    if (!printer.isValid()) {
        m_ctx.prompt().error(QStringLiteral("No printer is available."));
        return;
    }
    currentEditor()->print(&printer);
}

void DocumentController::backupCurrentDocument() {
    const QString base = backupFileName(current().fileName);
    // A backup never replaces a file this run did not write: an older one gets a sibling.
    QString name = base;
    for (int n = 1; QFileInfo::exists(name) && !m_ctx.filesWrittenThisRun.contains(name); ++n)
        name = base.left(base.size() - 4) + QStringLiteral("~%1.bak").arg(n);
    const QString readOnly =
        name + QStringLiteral(" seems to be read only. Please delete this file manually, so that "
                              "backup autosave can access the file.");
    QFileInfo info(name);
    if (info.exists() && !info.isWritable()) {
        m_ctx.prompt().information(readOnly);
        return;
    }
    QString error;
    if (!saveDocumentFile(name, currentEditor()->text(), current().format, &error)) {
        m_ctx.prompt().information(readOnly);
        return;
    }
    m_ctx.filesWrittenThisRun.insert(name);
    m_ctx.backupFiles.add(name);
}

void DocumentController::configureBackupTimer(bool enabled, int minutes) {
    m_backupTimer.setInterval(qBound(1, minutes, 999) * 60000);
    if (enabled)
        m_backupTimer.start();
    else
        m_backupTimer.stop();
}

void DocumentController::updateRecentMenu() {
    const auto &last = m_ctx.settings.recentFiles;
    for (int i = 0; i < AppSettings::RecentFileCount; ++i) {
        m_recentActions[i]->setText(escapeAmpersands(last[i]));
        m_recentActions[i]->setVisible(last[i] != MarkerEmpty);
    }
    m_recentSeparator->setVisible(last[0] != MarkerEmpty);
}

// ---------------------------------------------------------------------------------------------
// Closing

void DocumentController::removeCurrentTab() {
    const int p = m_current;
    QWidget *page = m_tabs->widget(p);
    {
        const QSignalBlocker block(m_tabs);
        m_docs.remove(p);
        m_tabs->removeTab(p);
    }
    releaseEditor(qobject_cast<SourceEditor *>(page));
    page->deleteLater();
    const int next = p < count() ? p : p - 1;
    {
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(next);
    }
    onCurrentTabChanged(next);
}

void DocumentController::resetToUntitled() {
    SourceEditor *ed = currentEditor();
    {
        LoadingScope loading(m_loading);
        ed->setDocumentText(QString());
        ed->document()->setModified(false);
    }
    DocumentState fresh;
    fresh.fileName = untitledName();
    m_docs[m_current] = fresh;
    loadTemplate();
    setSavedUi(true);
    refreshTabCaption(m_current);
    updateCaptionAndStatus(fresh.fileName, fresh.lastSave, QStringLiteral("0"),
                           QStringLiteral("0"));
}

bool DocumentController::offerToSaveCurrent() {
    if (current().saved)
        return true;
    const Prompts::Answer answer = m_ctx.prompt().askYesNoCancel(
        Prompts::Kind::Information, current().fileName + QStringLiteral(" is not saved!") +
                                        QStringLiteral("\n") +
                                        QStringLiteral("Do you wish to save it now?"));
    if (answer == Prompts::Answer::Cancel)
        return false;
    // Yes with a cancelled or failed save keeps the document open rather than losing it.
    return answer == Prompts::Answer::No || saveCurrentDocument();
}

bool DocumentController::closeCurrentDocument() {
    if (!offerToSaveCurrent())
        return false;
    if (count() > 1)
        removeCurrentTab();
    else
        resetToUntitled();
    return true;
}

bool DocumentController::closeAllDocuments() {
    for (int i = count() - 1; i >= 0; --i) {
        setCurrentIndex(i);
        if (!closeCurrentDocument())
            return false;
    }
    return true;
}

bool DocumentController::closeAllForExit() {
    for (int i = count() - 1; i >= 0; --i) {
        setCurrentIndex(i);
        // The last document only needs its question: the window closes right after.
        if (i == 0)
            return offerToSaveCurrent();
        if (!closeCurrentDocument())
            return false;
    }
    return true;
}
