#include "documents/filecommands.h"

#include "documents/documentcontroller.h"
#include "documents/documentfile.h"
#include "editor/sourceeditor.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/fileaccess.h"
#include "shell/prompts.h"
#include "shell/settingsio.h"
#include "text/plaintext.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

// The page filter of the open and save dialogs in Qt's filter syntax, which cannot carry the
// commas and semicolons of the classic "Html Files (*.html, *.htm; *.shtm; *.shtml)" text; an
// "All Files" entry lets pages with other extensions be opened too.
const QString HtmlFilter = QStringLiteral("Html Files (*.html *.htm *.shtm *.shtml);;All Files (*)");

// A name typed without an extension is a page, and the filter would hide it otherwise.
const QString DefaultSuffix = QStringLiteral("htm");

// Backups run only once the preferences have switched them on during this run.
constexpr int InitialBackupInterval = 500000;

} // namespace

FileCommands::FileCommands(AppContext &ctx, DocumentController &docs, ActionRegistry &commands,
                           QObject *parent)
    : QObject(parent), m_ctx(ctx), m_docs(docs) {
    commands.add(QStringLiteral("actionNew"), this, &FileCommands::newDocument);
    commands.add(QStringLiteral("actionOpen"), this, &FileCommands::openDocument);
    m_saveAction =
        commands.add(QStringLiteral("actionSave"), this, [this] { save(m_docs.current()); });
    commands.add(QStringLiteral("actionSaveAs"), this, [this] { saveAs(m_docs.current()); });
    commands.add(QStringLiteral("actionSaveAll"), this, &FileCommands::saveAll);
    commands.add(QStringLiteral("actionExportUnix"), this,
                 [this] { exportUnixFile(m_docs.current()); });
    commands.add(QStringLiteral("actionClose"), this, [this] { close(m_docs.current()); });
    commands.add(QStringLiteral("actionCloseAll"), this, [this] { closeAll(); });
    m_recentSeparator = new QAction(this);
    m_recentSeparator->setSeparator(true);
    QList<QAction *> recent = {m_recentSeparator};
    for (int i = 0; i < AppSettings::RecentFileCount; ++i) {
        auto *a = new QAction(this);
        a->setObjectName(QStringLiteral("actionRecent%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [this, i] { openRecentFile(i); });
        m_recentActions[size_t(i)] = a;
        recent << a;
    }
    commands.addGroup(QStringLiteral("recentFiles"), recent);
    commands.onMenuShow(QStringLiteral("menuFile"), this, [this] { updateRecentMenu(); });

    // The Save command is on exactly while the current document has unsaved changes.
    connect(&m_docs, &DocumentController::currentDocumentChanged, this,
            &FileCommands::followSavedState);
    connect(&m_docs, &DocumentController::fileStateChanged, this,
            &FileCommands::followSavedState);
    if (m_docs.count() > 0)
        followSavedState(m_docs.current());

    // Coming back to the program is when files changed elsewhere are noticed.
    connect(
        qApp, &QGuiApplication::applicationStateChanged, this,
        [this](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive)
                offerReloadOfChangedFiles();
        },
        Qt::QueuedConnection);

    m_backupTimer.setInterval(InitialBackupInterval);
    connect(&m_backupTimer, &QTimer::timeout, this, [this] { backup(m_docs.current()); });
}

void FileCommands::followSavedState(const SourceDocument &doc) {
    // While the viewer shows, the Save command stays off; it follows the document on return.
    if (&doc == &m_docs.current() && !m_saveLocked)
        m_saveAction->setEnabled(doc.isModified());
}

void FileCommands::setSaveLocked(bool locked) {
    m_saveLocked = locked;
    if (locked)
        m_saveAction->setEnabled(false);
    else
        followSavedState(m_docs.current());
}

// ---------------------------------------------------------------------------------------------
// Loading

bool FileCommands::readFile(const QString &path, DecodedText *page) {
    *page = loadDocumentFile(path);
    if (!page->ok)
        m_ctx.prompt().error(page->error);
    return page->ok;
}

void FileCommands::loadTemplate(SourceDocument &doc) {
    const QString templ = m_ctx.settings.templateFile;
    if (templ.isEmpty())
        return;
    if (!QFileInfo(templ).isFile()) {
        m_ctx.prompt().information(QStringLiteral(
            "The template HTML file specified in the preferences dialog does not exist."));
        return;
    }
    DecodedText page;
    if (!readFile(templ, &page))
        return;
    doc.setText(page.text, true);
    doc.setFormat(page.format);
}

void FileCommands::showLoaded(SourceDocument &doc, const QString &path, const DecodedText &page,
                              bool movePanel) {
    doc.setText(page.text, m_ctx.settings.colorCoding);
    doc.setFormat(page.format);
    doc.markInStepWithFile(path);
    if (movePanel)
        m_docs.setPanelFolder(QFileInfo(path).absolutePath());
}

void FileCommands::reload(SourceDocument &doc) {
    DecodedText page;
    if (!readFile(doc.fileName(), &page))
        return;
    // The reader stays where it was in the page (setters clamp a shorter text).
    SourceEditor *view = doc.activeView();
    const int line = view->row();
    const int top = view->topLine();
    showLoaded(doc, doc.fileName(), page, false);
    view->setRow(line);
    view->setTopLine(top);
}

namespace {
// Two names of one file: the same name, or names that lead to the same file through links.
bool sameFile(const QString &a, const QString &b) {
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath()))
        return true;
    const QString ca = fa.canonicalFilePath();
    return !ca.isEmpty() && ca == fb.canonicalFilePath();
}
} // namespace

bool FileCommands::isOpenUnsaved(const QString &path) const {
    for (int i = 0; i < m_docs.count(); ++i)
        if (m_docs.document(i).isModified() && sameFile(m_docs.document(i).fileName(), path))
            return true;
    return false;
}

void FileCommands::followMovedFile(const QString &from, const QString &to) {
    for (int i = 0; i < m_docs.count(); ++i) {
        SourceDocument &doc = m_docs.document(i);
        if (isUntitledName(doc.fileName()) || !sameFile(doc.fileName(), from))
            continue;
        doc.followMovedFile(QFileInfo(to).absoluteFilePath());
    }
}

void FileCommands::reloadRewrittenFiles(const QStringList &paths) {
    for (int i = 0; i < m_docs.count(); ++i) {
        SourceDocument &doc = m_docs.document(i);
        if (doc.isModified() || isUntitledName(doc.fileName()))
            continue;
        for (const QString &path : paths)
            if (sameFile(doc.fileName(), path)) {
                reload(doc);
                break;
            }
    }
}

QString FileCommands::existingFile(const QString &path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    // Anything that is there goes to the reader, which tells a folder, a pipe, a device, a file
    // too large, a link that leads in a loop or a name that cannot be represented from a page.
    if (nameTaken(full) || full.contains(QChar::ReplacementCharacter))
        return full;
    m_ctx.prompt().information(full + QStringLiteral("\n") +
                               QStringLiteral("The file does not exist."));
    return QString();
}

void FileCommands::newDocument() {
    SourceDocument &doc = m_docs.addDocument();
    loadTemplate(doc);
    m_docs.activate(doc);
    doc.activeView()->setFocus();
}

void FileCommands::openDocument() {
    const QStringList files =
        m_ctx.prompt().openFileNames(QStringLiteral("Open"), m_docs.panelFolder(), HtmlFilter);
    for (const QString &file : files)
        openFile(file);
}

bool FileCommands::openFile(const QString &path) {
    const QString full = existingFile(path);
    if (full.isEmpty())
        return false;
    // Read before a tab exists, so that a file that cannot be opened leaves no empty tab.
    DecodedText page;
    if (!readFile(full, &page))
        return false;
    SourceDocument &doc = m_docs.addDocument();
    showLoaded(doc, full, page);
    m_docs.activate(doc);
    return true;
}

void FileCommands::openStartupFiles(const QStringList &paths) {
    for (const QString &path : paths) {
        SourceDocument &first = m_docs.current();
        const bool reuseFirst =
            m_docs.count() == 1 && isUntitledName(first.fileName()) && !first.isModified();
        if (!reuseFirst) {
            openFile(path);
            continue;
        }
        const QString full = existingFile(path);
        DecodedText page;
        if (!full.isEmpty() && readFile(full, &page))
            showLoaded(first, full, page);
    }
}

void FileCommands::openRecentFile(int index) {
    const QString name = m_ctx.settings.recentFiles[size_t(index)];
    if (name == MarkerEmpty || name.isEmpty())
        return;
    SourceDocument &doc = m_docs.current();
    if (doc.isModified()) {
        const Prompts::Answer answer = m_ctx.prompt().askYesNoCancel(
            Prompts::Kind::Information,
            QStringLiteral("The current file is not saved. Do you wish to save it before "
                           "opening the new file?"));
        if (answer == Prompts::Answer::Cancel)
            return;
        // A save that did not happen must not let the unsaved text be replaced.
        if (answer == Prompts::Answer::Yes && !save(doc))
            return;
    }
    if (!nameTaken(name)) {
        m_ctx.prompt().information(QStringLiteral("The file does not exist."));
        return;
    }
    DecodedText page;
    if (readFile(name, &page))
        showLoaded(doc, name, page);
}

void FileCommands::offerReloadOfChangedFiles() {
    if (m_offeringReload)
        return; // the question itself takes the focus away and back
    m_offeringReload = true;
    for (int i = 0; i < m_docs.count(); ++i) {
        SourceDocument &doc = m_docs.document(i);
        // Only documents without unsaved work are offered; the others are asked about when
        // they are saved.
        if (doc.isModified() || !changedOnDisk(doc.fileName(), doc.diskStamp()))
            continue;
        const FileStamp now = fileStampOf(doc.fileName());
        if (now == doc.reloadDeclined())
            continue;
        m_docs.activate(doc);
        const Prompts::Answer answer = m_ctx.prompt().askYesNo(
            Prompts::Kind::Confirmation,
            doc.fileName() + QStringLiteral("\nhas been changed by another program.\n\nDo you "
                                          "want to reload it? Marlo has no unsaved changes "
                                          "to this page."));
        if (answer != Prompts::Answer::Yes)
            doc.declineReload(now);
        else
            reload(doc);
    }
    m_offeringReload = false;
}

// ---------------------------------------------------------------------------------------------
// Saving

QString FileCommands::saveDialog(const SourceDocument &doc) {
    return m_ctx.prompt().saveFileName(QStringLiteral("Save As"), folderPart(doc.fileName()),
                                       HtmlFilter, DefaultSuffix);
}

bool FileCommands::save(SourceDocument &doc) {
    QString path = doc.fileName();
    if (isUntitledName(path)) {
        m_docs.activate(doc); // the user is asked for its name, so it shows
        path = saveDialog(doc);
        if (path.isEmpty())
            return false;
    }
    return saveTo(doc, path);
}

bool FileCommands::saveAs(SourceDocument &doc) {
    m_docs.activate(doc);
    const QString path = saveDialog(doc);
    return !path.isEmpty() && saveTo(doc, path);
}

bool FileCommands::mayWriteOverOpenPage(const SourceDocument &writer, const QString &path) {
    for (int i = 0; i < m_docs.count(); ++i) {
        const SourceDocument &doc = m_docs.document(i);
        if (&doc == &writer || !doc.isModified() || isUntitledName(doc.fileName()) ||
            !sameFile(doc.fileName(), path))
            continue;
        m_ctx.prompt().information(
            path + QStringLiteral("\nis open in another tab with unsaved changes.\n\nSave or "
                                  "close that tab first, or choose another name."));
        return false;
    }
    return true;
}

void FileCommands::followWrittenFile(const SourceDocument &writer, const QString &path) {
    for (int i = 0; i < m_docs.count(); ++i) {
        SourceDocument &doc = m_docs.document(i);
        if (&doc != &writer && !doc.isModified() && !isUntitledName(doc.fileName()) &&
            sameFile(doc.fileName(), path))
            reload(doc);
    }
}

bool FileCommands::saveTo(SourceDocument &doc, const QString &path) {
    // Saving under a new name must not write over another tab's unsaved work (that tab would
    // then take the saved text for a change by another program).
    if (!sameFile(path, doc.fileName()) && !mayWriteOverOpenPage(doc, path))
        return false;
    if (path == doc.fileName() && changedOnDisk(path, doc.diskStamp())) {
        m_docs.activate(doc); // the question is about this document, so it shows
        const Prompts::Answer answer = m_ctx.prompt().askYesNo(
            Prompts::Kind::Warning,
            path + QStringLiteral("\nhas been changed by another program since Marlo read or "
                                  "last saved it.\n\nDo you want to overwrite it with the text "
                                  "in Marlo? The other program's changes will be lost.\nNo "
                                  "leaves the file as it is and keeps your text unsaved."));
        if (answer != Prompts::Answer::Yes)
            return false;
    }
    QString error;
    if (!saveDocumentFile(path, doc.text(), doc.format(), &error)) {
        m_ctx.prompt().error(path + QStringLiteral("\n\n") + error);
        return false;
    }
    doc.markInStepWithFile(path);
    followWrittenFile(doc, path);
    updateRecentFiles(m_ctx.settings.recentFiles, path);
    updateRecentMenu();
    saveSettings(m_ctx);
    return true;
}

void FileCommands::saveAll() {
    SourceDocument &shown = m_docs.current();
    for (int i = m_docs.count() - 1; i >= 0; --i) {
        SourceDocument &doc = m_docs.document(i);
        if (doc.isModified())
            save(doc);
    }
    m_docs.activate(shown);
}

void FileCommands::exportUnixFile(SourceDocument &doc) {
    const QString path =
        m_ctx.prompt().saveFileName(QStringLiteral("Export to Unix file"),
                                    folderPart(doc.fileName()), HtmlFilter, DefaultSuffix);
    if (path.isEmpty() || !mayWriteOverOpenPage(doc, path))
        return;
    QString error;
    if (!::exportUnixFile(path, doc.text(), doc.format(), &error)) {
        m_ctx.prompt().error(path + QStringLiteral("\n\n") + error);
        return;
    }
    // Exported onto its own file: what is there now is the program's doing, not another
    // program's. Unsaved changes stay unsaved; a page without any shows the file as it is now.
    if (!isUntitledName(doc.fileName()) && sameFile(path, doc.fileName())) {
        if (doc.isModified())
            doc.followMovedFile(doc.fileName()); // the same name, its stamp taken anew
        else
            reload(doc);
    }
    followWrittenFile(doc, path);
}

void FileCommands::backup(const SourceDocument &doc) {
    const QString base = backupFileName(doc.fileName());
    // A backup never replaces a file this run did not write: an older one gets a sibling.
    QString name = base;
    for (int n = 1; nameTaken(name) && !m_ctx.filesWrittenThisRun.contains(name); ++n)
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
    if (!saveDocumentFile(name, doc.text(), doc.format(), &error,
                          copyOfPageOptions(doc.fileName()))) {
        m_ctx.prompt().information(readOnly);
        return;
    }
    m_ctx.filesWrittenThisRun.insert(name);
    m_ctx.backupFiles.add(name);
}

void FileCommands::configureBackupTimer(bool enabled, int minutes) {
    m_backupTimer.setInterval(
        qBound(AppSettings::MinBackupMinutes, minutes, AppSettings::MaxBackupMinutes) * 60000);
    if (enabled)
        m_backupTimer.start();
    else
        m_backupTimer.stop();
}

void FileCommands::updateRecentMenu() {
    const auto &recent = m_ctx.settings.recentFiles;
    for (size_t i = 0; i < recent.size(); ++i) {
        m_recentActions[i]->setText(escapeAmpersands(recent[i]));
        m_recentActions[i]->setVisible(recent[i] != MarkerEmpty);
    }
    m_recentSeparator->setVisible(recent[0] != MarkerEmpty);
}

void FileCommands::renameUntitledDocument(const QString &name) {
    SourceDocument &doc = m_docs.current();
    if (m_docs.count() != 1 || !isUntitledName(doc.fileName()) || doc.isModified())
        return;
    doc.setFileName(name);
    m_docs.setPanelFolder(QFileInfo(name).absolutePath());
}

// ---------------------------------------------------------------------------------------------
// Closing

bool FileCommands::offerToSave(SourceDocument &doc) {
    if (!doc.isModified())
        return true;
    m_docs.activate(doc); // the question is about this document, so it shows
    const Prompts::Answer answer = m_ctx.prompt().askYesNoCancel(
        Prompts::Kind::Information, doc.fileName() + QStringLiteral(" is not saved!") +
                                        QStringLiteral("\n") +
                                        QStringLiteral("Do you wish to save it now?"));
    if (answer == Prompts::Answer::Cancel)
        return false;
    // Yes with a cancelled or failed save keeps the document open rather than losing it.
    return answer == Prompts::Answer::No || save(doc);
}

bool FileCommands::close(SourceDocument &doc) {
    if (!offerToSave(doc))
        return false;
    if (m_docs.count() > 1) {
        m_docs.removeDocument(doc);
        return true;
    }
    // The last document is never closed: it becomes a fresh untitled one.
    doc.setText(QString());
    doc.resetFileState(m_docs.untitledName());
    loadTemplate(doc);
    return true;
}

bool FileCommands::closeAll() {
    for (int i = m_docs.count() - 1; i >= 0; --i)
        if (!close(m_docs.document(i)))
            return false;
    return true;
}

bool FileCommands::closeAllForExit() {
    for (int i = m_docs.count() - 1; i >= 0; --i) {
        // The last document only needs its question: the window closes right after.
        if (i == 0)
            return offerToSave(m_docs.document(0));
        if (!close(m_docs.document(i)))
            return false;
    }
    return true;
}
