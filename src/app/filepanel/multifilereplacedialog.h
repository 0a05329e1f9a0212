// Counts or replaces a string in a chosen set of files on disk. The files are picked with the
// same browser as the side panel; the work runs on worker threads with a progress bar and can be
// cancelled between files, so the window stays responsive.
#pragma once

#include "filepanel/multifilereplace.h"

#include <QDialog>
#include <atomic>
#include <functional>

struct AppContext;
class FolderPanel;
class QCheckBox;
class QLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QThread;

class MultiFileReplaceDialog : public QDialog {
    Q_OBJECT
public:
    // `openFiles` are the documents open in the editor: replacing in one of them is asked first.
    MultiFileReplaceDialog(AppContext &ctx, const QString &folder, const QStringList &openFiles,
                           std::function<void()> showHelp, QWidget *parent = nullptr);
    ~MultiFileReplaceDialog() override;

    // Adds the files selected in the browser (each once); removes the selected entries.
    void addSelectedFiles();
    void removeSelectedEntries();
    QStringList files() const;
    void search();
    void replace();
    bool isRunning() const { return m_worker != nullptr; }
    QString resultText() const;
    // The files the last run rewrote (none after a search).
    QStringList rewrittenFiles() const;
    FolderPanel *browser() const { return m_browser; }

Q_SIGNALS:
    void finished();

protected:
    void reject() override;

private:
    QLayout *buildFileChoice(const QString &folder);
    QLayout *buildSearchArea();
    bool checkInput();
    void run(MultiFileRequest request);
    void onFinished();
    void setRunning(bool running);

    AppContext &m_ctx;
    QStringList m_openFiles;
    std::function<void()> m_help;
    FolderPanel *m_browser;
    QListWidget *m_targets;
    QLineEdit *m_search;
    QLineEdit *m_replacement;
    QCheckBox *m_caseSensitive;
    QPushButton *m_searchButton;
    QPushButton *m_replaceButton;
    QPushButton *m_cancelButton;
    QPushButton *m_doneButton;
    QPlainTextEdit *m_results;
    QProgressBar *m_progress;
    QThread *m_worker = nullptr;
    std::atomic_bool m_cancel{false};
    MultiFileRequest m_request;
    QVector<FileOutcome> m_outcomes;
};
