// The File menu's commands on documents of the document set: new, open, save, save as, save all,
// close, close all, the recent files, the Unix export, the template and the periodic backup.
// Every command takes the document it acts on; only a question about a document shows it.
#pragma once

#include "shell/appsettings.h"

#include <QAction>
#include <QObject>
#include <QTimer>
#include <array>

struct AppContext;
class ActionRegistry;
class DocumentController;
class SourceDocument;
struct DecodedText;

class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(AppContext &ctx, DocumentController &docs, ActionRegistry &commands,
                 QObject *parent);

    // The bool results say whether the command went through (false: cancelled by the user or
    // failed with a message already shown).
    void newDocument();
    void openDocument();
    bool openFile(const QString &path);
    // Opens the files named on the command line; an untouched untitled first tab is reused.
    void openStartupFiles(const QStringList &paths);
    bool save(SourceDocument &doc);
    bool saveAs(SourceDocument &doc);
    void saveAll();
    bool close(SourceDocument &doc);
    bool closeAll();
    // The exit walk: every document from the last tab to the first, asking for modified ones.
    bool closeAllForExit();
    void openRecentFile(int index);
    void exportUnixFile(SourceDocument &doc);
    void backup(const SourceDocument &doc);
    void configureBackupTimer(bool enabled, int minutes);
    // Replaces the document's text with the template page, if one is set.
    void loadTemplate(SourceDocument &doc);
    void updateRecentMenu();
    // Gives the untouched untitled first document a new name (the settings changed its folder).
    void renameUntitledDocument(const QString &name);
    // Offers to reload each document without unsaved changes whose file another program has
    // changed since it was read or saved; runs whenever the program becomes active.
    void offerReloadOfChangedFiles();
    // Whether a tab shows `path` with unsaved changes.
    bool isOpenUnsaved(const QString &path) const;
    // `from` was renamed or moved to `to`: the tabs showing it take the new name, so a save
    // writes where the file now is.
    void followMovedFile(const QString &from, const QString &to);
    // The program rewrote these files (a multi-file replace): tabs without unsaved changes show
    // the new text at once; one with unsaved changes is asked about when it is saved.
    void reloadRewrittenFiles(const QStringList &paths);
    // Keeps the Save command off while the internal viewer shows.
    void setSaveLocked(bool locked);

    QTimer *backupTimer() { return &m_backupTimer; }

private:
    bool offerToSave(SourceDocument &doc);
    void showLoaded(SourceDocument &doc, const QString &path, const DecodedText &page,
                    bool movePanel = true);
    // Reads the document's file again, keeping the caret line and the first visible line.
    void reload(SourceDocument &doc);
    // The absolute name of an existing file, or empty after telling the user it is missing.
    QString existingFile(const QString &path);
    bool readFile(const QString &path, DecodedText *page);
    QString saveDialog(const SourceDocument &doc);
    bool saveTo(SourceDocument &doc, const QString &path);
    // Whether `writer` may write `path`: not while another tab holds unsaved changes to that
    // file (they would be written over, or write over this). Says so when it may not.
    bool mayWriteOverOpenPage(const SourceDocument &writer, const QString &path);
    // `writer` has just written `path`: the other tabs showing that file without unsaved
    // changes show what is there now.
    void followWrittenFile(const SourceDocument &writer, const QString &path);
    void followSavedState(const SourceDocument &doc);

    AppContext &m_ctx;
    DocumentController &m_docs;
    bool m_saveLocked = false;
    bool m_offeringReload = false;
    QTimer m_backupTimer;

    QAction *m_saveAction;
    QAction *m_recentSeparator;
    std::array<QAction *, AppSettings::RecentFileCount> m_recentActions{};
};
