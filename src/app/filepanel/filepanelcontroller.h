// The commands of the side panel and the file tools: the file list's popup menu (copy, move,
// delete, view, open in the default application, the three show items, refresh), renaming in
// place, opening by double click, dropping a file into the editor, the picture windows, and the
// "File dependencies" and "Multiple file search/replace" dialogs.
#pragma once

#include <QAction>
#include <QObject>
#include <QPointer>
#include <functional>

struct AppContext;
class ActionRegistry;
class DocumentAccess;
class FolderPanel;
class ImagePreviewWindow;
class PictureWindow;
class ThumbnailWindow;

// What the controller needs of the rest of the main window.
struct FilePanelHost {
    std::function<bool(const QString &path)> openPage;                   // open in a new tab
    std::function<void(const QString &start, const QString &end)> wrap; // the wrap operation
    std::function<void(const QString &topic)> showHelp;
    // Whether `path` is open in a tab with unsaved changes.
    std::function<bool(const QString &path)> isOpenUnsaved;
    // `from` now carries the name `to` (renamed or moved in the panel): open tabs follow it.
    std::function<void(const QString &from, const QString &to)> fileMoved;
    // The multi-file replace rewrote these files: open tabs without unsaved changes show them.
    std::function<void(const QStringList &paths)> filesRewritten;
};

class FilePanelController : public QObject {
    Q_OBJECT
public:
    // `docs` gives the current document (references, dependencies, where a dropped file goes)
    // and every open one.
    FilePanelController(AppContext &ctx, FolderPanel *panel, ActionRegistry &commands,
                        QWidget *window, DocumentAccess &docs, FilePanelHost host);
    ~FilePanelController() override;

    // The file selected in the panel's list (full name), empty without a selection. Dialogs that
    // take a file from the panel receive it as the hand-over file name.
    QString selectedFile() const;

    // Builds the mask from the three show items and applies it.
    void applyFileMask();
    // The preferences' OK: pages, pictures and multimedia, whatever the show items say.
    void applyPreferencesMask();

    // A double click: a page opens in a new tab, a picture in its preview window.
    void openFile(const QString &path);
    // Inserts the link, image or embed text for `path` at the current editor's selection.
    void dropFile(const QString &path);
    // Opens the preview window the settings choose for `path`.
    void showPreview(const QString &path);
    ThumbnailWindow *thumbnailWindow();
    ImagePreviewWindow *imagePreviewWindow();

    void deleteSelected();
    void copySelected();
    void moveSelected();
    void openSelectedInDefaultApplication();
    void showFileDependencies();
    void showMultiFileReplace();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void popupMenuAtSelection();
    void updateMenu();
    void followSelection(const QString &path);
    void onNavigationKey(int key);
    void onRename(const QString &oldName, const QString &newName);
    void switchPreview(bool fullSize);
    bool isEditorTarget(QObject *watched) const;
    bool isOpenUnsaved(const QString &path) const;

    AppContext &m_ctx;
    FolderPanel *m_panel;
    QWidget *m_window;
    DocumentAccess &m_docs;
    FilePanelHost m_host;
    ActionRegistry &m_commands;
    QPointer<ThumbnailWindow> m_thumbnail;
    QPointer<ImagePreviewWindow> m_fullSize;
    QAction *m_copy;
    QAction *m_move;
    QAction *m_delete;
    QAction *m_view;
    QAction *m_openDefault;
    QAction *m_showHtml;
    QAction *m_showImages;
    QAction *m_showMultimedia;
};
