// The side panel: a list of volumes, the folder tree of the chosen volume and, below a splitter,
// the files of the chosen folder with their size, type and last change. The panel only shows and
// reports; the commands on its files live in FilePanelController.
#pragma once

#include <QSplitter>
#include <memory>

struct AppSettings;
class QAbstractFileIconProvider;
class QComboBox;
class QFileSystemWatcher;
class QTimer;
class QFileSystemModel;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

class FolderPanel : public QSplitter {
    Q_OBJECT
public:
    explicit FolderPanel(QWidget *parent = nullptr);
    ~FolderPanel() override;

    // The settings decide the type column (HTML and multimedia masks, the browser icon).
    void setSettings(const AppSettings *settings);
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }
    // Which files the list shows: ";"-separated wildcard patterns; empty shows none.
    void setFileMask(const QString &mask);
    void setColors(const QColor &text, const QColor &background);
    // Reads the folder again, keeping the selected file selected when it is still there. It is
    // also read again by itself, shortly after anything in it changed (a page saved there, a
    // file another program made), though not while a name is being edited.
    void refresh();

    QTreeWidget *fileList() const { return m_files; }
    // The selected file's full name; empty without a selection.
    QString selectedFile() const;
    int selectedRow() const;
    int rowCount() const;
    // Makes `row` the only selection and scrolls it into view.
    void selectRow(int row);
    bool selectFile(const QString &name);
    // Why the shown folder's files could not be listed (shown in the empty list); empty when
    // they could.
    QString readProblem() const;
    // True while a file name is being edited in the list.
    bool isRenaming() const;

    // The volumes offered by the drive list: "/", the home folder, mounted file systems.
    static QStringList volumes();

Q_SIGNALS:
    void folderChosen(const QString &folder);
    // Double click or Return on a file.
    void fileActivated(const QString &path);
    void selectedFileChanged(const QString &path);
    // The user typed a new name for a file; the receiver renames and refreshes.
    void renameRequested(const QString &oldName, const QString &newName);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void revealFolder();
    void fillVolumes();
    void showVolumeOf(const QString &folder);
    void onVolumeChosen(int index);
    void onFolderClicked(const QModelIndex &index);
    void onItemChanged(QTreeWidgetItem *item, int column);

    const AppSettings *m_settings = nullptr;
    QString m_folder;
    QString m_mask = QStringLiteral("*.html");
    QComboBox *m_volumes;
    std::unique_ptr<QAbstractFileIconProvider> m_folderIcons; // outlives the model
    QFileSystemModel *m_model;
    QTreeView *m_tree;
    QTreeWidget *m_files;
    QFileSystemWatcher *m_watcher;
    QTimer *m_changed;
    bool m_filling = false;
};
