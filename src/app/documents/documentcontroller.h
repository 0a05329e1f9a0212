// The set of open documents: one tab and one SourceEditor per document, the current document,
// and the File menu's commands (new, open, save, close, recent files, export, print, backup).
#pragma once

#include "documents/documentstate.h"
#include "editor/editorprovider.h"

#include "shell/appsettings.h"

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVector>
#include <array>

struct AppContext;
class QMenu;
class QTabWidget;
class QWidget;
class SourceEditor;
class StatusPanels;

class DocumentController : public EditorProvider {
    Q_OBJECT
public:
    DocumentController(AppContext &ctx, QTabWidget *tabs, QWidget *window, StatusPanels *status);
    ~DocumentController() override;

    // The folder new untitled documents use (the folder the file panel shows).
    QString panelFolder() const { return m_panelFolder; }
    void setPanelFolder(const QString &folder);

    // Start-up: the first tab gets its editor and untitled name; the template comes when the
    // window is first shown.
    void createFirstDocument(const QString &fileName);
    void showFirstDocument();

    SourceEditor *currentEditor() const override;
    QString currentFileName() const override { return current().fileName; }
    QList<SourceEditor *> editors() const override;
    int count() const { return m_docs.size(); }
    int currentIndex() const { return m_current; }
    const DocumentState &current() const { return m_docs[m_current]; }
    const DocumentState &state(int index) const { return m_docs[index]; }
    SourceEditor *editor(int index) const;
    void setCurrentIndex(int index);

    // File commands. The bool results say whether the command went through (false: cancelled
    // by the user or failed with a message already shown).
    void newDocument();
    void openDocument();
    bool openFile(const QString &path);
    // Opens the files named on the command line; an untouched untitled first tab is reused.
    void openStartupFiles(const QStringList &paths);
    bool saveCurrentDocument();
    bool saveCurrentDocumentAs();
    // Gives the untouched untitled first document a new name (the settings changed its folder).
    void renameUntitledDocument(const QString &name);
    // Keeps the Save command off while the internal viewer shows.
    void setSaveLocked(bool locked);
    void saveAllDocuments();
    bool closeCurrentDocument();
    bool closeAllDocuments();
    // The exit walk: every document from the last tab to the first, asking for modified ones.
    bool closeAllForExit();
    void openRecentFile(int index);
    void exportUnixFile();
    void printDocument(bool withDialog);
    void backupCurrentDocument();
    void configureBackupTimer(bool enabled, int minutes);
    void updateRecentMenu();

    // Window caption, tab caption and status panels; "#" leaves a part unchanged.
    void updateCaptionAndStatus(const QString &name, const QString &lastSave,
                                const QString &column, const QString &line);

    // Font, colours, word wrap and the typing options from the settings, on every editor.
    void applySettingsToEditors();
    // Stops listening to every editor; called before the editors are destroyed.
    void releaseAllEditors();
    // The editor context menu every editor shows.
    void setEditorContextMenu(QMenu *menu);

    // Actions of the File menu and the file buttons.
    QAction *newAction() const { return m_newAction; }
    QAction *openAction() const { return m_openAction; }
    QAction *saveAction() const { return m_saveAction; }
    QAction *saveAsAction() const { return m_saveAsAction; }
    QAction *saveAllAction() const { return m_saveAllAction; }
    QAction *exportAction() const { return m_exportAction; }
    QAction *printAction() const { return m_printAction; }
    QAction *printNowAction() const { return m_printNowAction; }
    QAction *closeAction() const { return m_closeAction; }
    QAction *closeAllAction() const { return m_closeAllAction; }
    QAction *recentSeparator() const { return m_recentSeparator; }
    QAction *recentAction(int index) const { return m_recentActions[index]; }
    QTimer *backupTimer() { return &m_backupTimer; }

Q_SIGNALS:
    void panelFolderChanged(const QString &folder);

private:
    SourceEditor *createEditor();
    void connectEditor(SourceEditor *editor);
    void applySettings(SourceEditor *editor);
    void releaseEditor(SourceEditor *editor);
    bool offerToSaveCurrent();
    int addDocumentTab();
    void newDocumentTab();
    void loadTemplate();
    bool loadInto(int index, const QString &path);
    void showLoadedText(int index, const QString &path, const QString &text,
                        const TextFormat &format);
    // The absolute name of an existing file, or empty after telling the user it is missing.
    QString existingFile(const QString &path);
    bool readFile(const QString &path, QString *text, TextFormat *format);
    void removeCurrentTab();
    void resetToUntitled();
    void onCurrentTabChanged(int index);
    void onTextChanged(SourceEditor *editor);
    void setSavedUi(bool saved);
    void refreshTabCaption(int index);
    void updatePositionFromEditor();
    QString saveDialog();
    QString untitledName() const;
    bool writeCurrent(const QString &path);
    bool saveTo(const QString &path);
    int indexOf(const SourceEditor *editor) const;

    AppContext &m_ctx;
    QTabWidget *m_tabs;
    QWidget *m_window;
    StatusPanels *m_status;
    QPointer<QMenu> m_editorMenu;
    QVector<DocumentState> m_docs;
    int m_current = 0;
    int m_loading = 0; // > 0 while the program itself puts text into an editor
    bool m_saveLocked = false;
    QString m_panelFolder;
    QTimer m_backupTimer;

    QAction *m_newAction;
    QAction *m_openAction;
    QAction *m_saveAction;
    QAction *m_saveAsAction;
    QAction *m_saveAllAction;
    QAction *m_exportAction;
    QAction *m_printAction;
    QAction *m_printNowAction;
    QAction *m_closeAction;
    QAction *m_closeAllAction;
    QAction *m_recentSeparator;
    std::array<QAction *, AppSettings::RecentFileCount> m_recentActions{};
};
