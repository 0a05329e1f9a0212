#include "filepanel/filepanelcontroller.h"

#include "editor/documentaccess.h"
#include "editor/sourceeditor.h"

#include "filepanel/filedependenciesdialog.h"
#include "filepanel/filelisting.h"
#include "filepanel/fileoperations.h"
#include "filepanel/filepaneltexts.h"
#include "filepanel/imagepreviewwindow.h"
#include "filepanel/multifilereplacedialog.h"
#include "filepanel/previewgeometry.h"
#include "filepanel/thumbnailwindow.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/filepaths.h"
#include "shell/prompts.h"
#include "tools/preferences.h"
#include "tools/recentlists.h"
#include "widgets/folderpanel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTreeWidget>
#include <QUrl>

namespace {
const QString PanelFileFormat = QStringLiteral("application/x-marlo-panel-file");
} // namespace

FilePanelController::FilePanelController(AppContext &ctx, FolderPanel *panel,
                                         ActionRegistry &commands, QWidget *window,
                                         DocumentAccess &docs, FilePanelHost host)
    : QObject(window), m_ctx(ctx), m_panel(panel), m_window(window), m_docs(docs),
      m_host(std::move(host)), m_commands(commands) {
    m_copy = commands.add(QStringLiteral("panelCopy"), this, &FilePanelController::copySelected);
    m_move = commands.add(QStringLiteral("panelMove"), this, &FilePanelController::moveSelected);
    m_delete =
        commands.add(QStringLiteral("panelDelete"), this, &FilePanelController::deleteSelected);
    m_view = commands.add(QStringLiteral("panelView"), this, [this] { showPreview(selectedFile()); });
    m_openDefault = commands.add(QStringLiteral("panelOpenDefault"), this,
                                 &FilePanelController::openSelectedInDefaultApplication);
    m_showHtml = commands.add(QStringLiteral("showHtml"), this, &FilePanelController::applyFileMask);
    m_showHtml->setChecked(true);
    m_showImages =
        commands.add(QStringLiteral("showImages"), this, &FilePanelController::applyFileMask);
    m_showImages->setChecked(m_ctx.settings.showImageFiles);
    m_showMultimedia =
        commands.add(QStringLiteral("showMultimedia"), this, &FilePanelController::applyFileMask);
    m_showMultimedia->setChecked(m_ctx.settings.showMultimediaFiles);
    commands.add(QStringLiteral("panelRefresh"), m_panel, &FolderPanel::refresh);
    commands.onMenuShow(QStringLiteral("filePanelMenu"), this, [this] { updateMenu(); });

    QTreeWidget *list = m_panel->fileList();
    list->addAction(commands.add(QStringLiteral("panelDeleteKey"), this,
                                 &FilePanelController::deleteSelected));
    list->addAction(commands.add(QStringLiteral("panelMenuKey"), this,
                                 &FilePanelController::popupMenuAtSelection));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint &at) {
        m_commands.menu(QStringLiteral("filePanelMenu"))
            ->popup(list->viewport()->mapToGlobal(at));
    });

    commands.add(QStringLiteral("actionFileDependencies"), this,
                 &FilePanelController::showFileDependencies);
    commands.add(QStringLiteral("actionMultiFileReplace"), this,
                 &FilePanelController::showMultiFileReplace);

    m_panel->setSettings(&m_ctx.settings);
    connect(m_panel, &FolderPanel::fileActivated, this, &FilePanelController::openFile);
    connect(m_panel, &FolderPanel::selectedFileChanged, this,
            &FilePanelController::followSelection);
    connect(m_panel, &FolderPanel::renameRequested, this, &FilePanelController::onRename);
    applyFileMask();
    qApp->installEventFilter(this);
}

FilePanelController::~FilePanelController() { qApp->removeEventFilter(this); }

QString FilePanelController::selectedFile() const { return m_panel->selectedFile(); }

void FilePanelController::applyFileMask() {
    m_ctx.settings.showImageFiles = m_showImages->isChecked();
    m_ctx.settings.showMultimediaFiles = m_showMultimedia->isChecked();
    m_panel->setFileMask(panelFileMask(m_showHtml->isChecked(), m_showImages->isChecked(),
                                       m_showMultimedia->isChecked(), m_ctx.settings));
}

void FilePanelController::applyPreferencesMask() {
    m_panel->setFileMask(fileListMask(m_ctx.settings.htmlMask, m_ctx.settings.multimediaMask));
}

void FilePanelController::updateMenu() {
    const PanelMenuState state = panelMenuState(selectedFile(), m_ctx.settings);
    m_copy->setEnabled(state.copy);
    m_move->setEnabled(state.move);
    m_delete->setEnabled(state.remove);
    m_view->setEnabled(state.view);
    m_openDefault->setEnabled(state.openDefault);
}

void FilePanelController::openFile(const QString &path) {
    if (isHtmlFile(path, m_ctx.settings.htmlMask)) {
        if (m_host.openPage)
            m_host.openPage(path);
    } else if (isImageFile(path)) {
        showPreview(path);
    }
}

void FilePanelController::dropFile(const QString &path) {
    const QString current = m_docs.current().fileName();
    const DropInsertion d =
        dropInsertion(path, makeReference(path, m_ctx.settings, current), m_ctx.settings);
    if (d.kind == DropInsertion::Kind::None || !m_host.wrap)
        return;
    m_host.wrap(d.startText, d.endText);
    if (d.kind == DropInsertion::Kind::Link)
        pushRecentLink(m_ctx.settings, path);
    else if (d.kind == DropInsertion::Kind::Image)
        pushRecentImage(m_ctx.settings, path);
}

bool FilePanelController::isEditorTarget(QObject *watched) const {
    const QWidget *editor = m_docs.current().activeView();
    for (QObject *o = watched; o; o = o->parent())
        if (o == editor)
            return true;
    return false;
}

// By keyboard the popup menu opens at the selected file (or the list's top left), not where
// the mouse pointer happens to be or at the list's corner.
void FilePanelController::popupMenuAtSelection() {
    QTreeWidget *list = m_panel->fileList();
    QPoint at(0, 0);
    if (QTreeWidgetItem *item = list->currentItem()) {
        list->scrollToItem(item);
        at = list->visualItemRect(item).bottomLeft();
    }
    m_commands.menu(QStringLiteral("filePanelMenu"))->popup(list->viewport()->mapToGlobal(at));
}

bool FilePanelController::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ContextMenu && watched == m_panel->fileList() &&
        static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        popupMenuAtSelection(); // the Menu key
        return true;
    }
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    if (!drop->mimeData() || !drop->mimeData()->hasFormat(PanelFileFormat) ||
        !isEditorTarget(watched))
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        const QString path = QString::fromUtf8(drop->mimeData()->data(PanelFileFormat));
        // After the drag has ended, so the editor is not in the middle of its drag handling.
        QMetaObject::invokeMethod(this, [this, path] { dropFile(path); }, Qt::QueuedConnection);
    }
    return true;
}

ThumbnailWindow *FilePanelController::thumbnailWindow() {
    if (!m_thumbnail) {
        m_thumbnail = new ThumbnailWindow(m_window);
        connect(m_thumbnail, &PictureWindow::navigationKey, this,
                &FilePanelController::onNavigationKey);
        connect(m_thumbnail, &PictureWindow::switchRequested, this,
                [this] { switchPreview(true); });
    }
    return m_thumbnail;
}

ImagePreviewWindow *FilePanelController::imagePreviewWindow() {
    if (!m_fullSize) {
        m_fullSize = new ImagePreviewWindow(m_window);
        connect(m_fullSize, &PictureWindow::navigationKey, this,
                &FilePanelController::onNavigationKey);
        connect(m_fullSize, &PictureWindow::switchRequested, this,
                [this] { switchPreview(false); });
    }
    return m_fullSize;
}

void FilePanelController::showPreview(const QString &path) {
    if (!isImageFile(path))
        return;
    if (m_ctx.settings.imagePreviewMode) {
        ImagePreviewWindow *w = imagePreviewWindow();
        w->showPicture(path);
        w->show();
        w->fitToPicture();
        w->raise();
        w->activateWindow();
    } else {
        ThumbnailWindow *w = thumbnailWindow();
        w->showPicture(path);
        if (!w->isVisible() && w->screen())
            w->move(centeredOrigin(w->screen()->availableGeometry(), w->size()));
        w->show();
        w->raise();
        w->activateWindow();
    }
}

void FilePanelController::switchPreview(bool fullSize) {
    PictureWindow *from = fullSize ? static_cast<PictureWindow *>(thumbnailWindow())
                                   : static_cast<PictureWindow *>(imagePreviewWindow());
    const QString path = from->picturePath();
    from->close();
    m_ctx.settings.imagePreviewMode = fullSize;
    showPreview(path);
}

void FilePanelController::followSelection(const QString &path) {
    if (path.isEmpty() || !isImageFile(path))
        return;
    if (m_thumbnail && m_thumbnail->isVisible())
        m_thumbnail->showPicture(path);
    if (m_fullSize && m_fullSize->isVisible()) {
        m_fullSize->showPicture(path);
        m_fullSize->fitToPicture();
    }
}

void FilePanelController::onNavigationKey(int key) {
    const int target = previewKeyTarget(key, m_panel->selectedRow(), m_panel->rowCount());
    if (target < 0)
        return;
    m_panel->selectRow(target);
    followSelection(selectedFile());
}

bool FilePanelController::isOpenUnsaved(const QString &path) const {
    return m_host.isOpenUnsaved && m_host.isOpenUnsaved(path);
}

void FilePanelController::onRename(const QString &oldName, const QString &newName) {
    const QDir folder(m_panel->folder());
    const QString from = folder.absoluteFilePath(oldName);
    const bool renamed = renamePanelFile(m_panel->folder(), oldName, newName, m_ctx.prompt(),
                                         isOpenUnsaved(from));
    if (renamed && m_host.fileMoved)
        m_host.fileMoved(from, folder.absoluteFilePath(newName));
    // Re-reading shows the name on disk: the new one, or the old one after a refusal. The name
    // was typed in the list, so the keys go back there: a message shown while the name was being
    // edited hands them, on closing, to a field that is gone by then, and the next keys would
    // land in the page.
    QMetaObject::invokeMethod(
        this,
        [this, renamed, oldName, newName] {
            m_panel->refresh();
            m_panel->selectFile(renamed ? newName : oldName);
            m_panel->fileList()->setFocus();
        },
        Qt::QueuedConnection);
}

void FilePanelController::deleteSelected() {
    const QString path = selectedFile();
    if (path.isEmpty() || m_panel->isRenaming())
        return;
    const int row = m_panel->selectedRow();
    deleteToTrash(path, m_ctx.prompt(), isOpenUnsaved(path));
    m_panel->refresh();
    if (m_panel->selectedRow() < 0 && m_panel->rowCount() > 0)
        m_panel->selectRow(qMin(row, m_panel->rowCount() - 1));
}

void FilePanelController::copySelected() {
    const QString path = selectedFile();
    if (path.isEmpty())
        return;
    const QString folder = m_ctx.prompt().pickFolder(FilePanelTexts::CopyToCaption, m_panel->folder());
    if (!folder.isEmpty())
        copyFileToFolder(path, folder, m_ctx.prompt());
}

void FilePanelController::moveSelected() {
    const QString path = selectedFile();
    if (path.isEmpty())
        return;
    const QString folder = m_ctx.prompt().pickFolder(FilePanelTexts::MoveToCaption, m_panel->folder());
    if (!folder.isEmpty() && moveFileToFolder(path, folder, m_ctx.prompt(), isOpenUnsaved(path)) &&
        m_host.fileMoved)
        m_host.fileMoved(path, targetInFolder(path, folder));
    m_panel->refresh();
}

void FilePanelController::openSelectedInDefaultApplication() {
    const QString path = selectedFile();
    if (path.isEmpty())
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        m_ctx.prompt().information(FilePanelTexts::cannotOpenInDefaultApplication(path));
}

void FilePanelController::showFileDependencies() {
    FileDependenciesDialog dialog(m_docs.current().text(),
                                  [this] {
                                      if (m_host.showHelp)
                                          m_host.showHelp(QStringLiteral("linkedfiles"));
                                  },
                                  m_window);
    dialog.exec();
}

void FilePanelController::showMultiFileReplace() {
    QStringList open;
    for (const SourceDocument *doc : m_docs.documents())
        open << QDir::cleanPath(QFileInfo(doc->fileName()).absoluteFilePath());
    MultiFileReplaceDialog dialog(m_ctx, m_panel->folder(), open,
                                  [this] {
                                      if (m_host.showHelp)
                                          m_host.showHelp(QStringLiteral("sr"));
                                  },
                                  m_window);
    connect(&dialog, &MultiFileReplaceDialog::finished, this, [this, &dialog] {
        if (m_host.filesRewritten && !dialog.rewrittenFiles().isEmpty())
            m_host.filesRewritten(dialog.rewrittenFiles());
    });
    dialog.exec();
}
