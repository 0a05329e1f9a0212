#include "widgets/folderpanel.h"

#include "filepanel/filelisting.h"
#include "shell/appsettings.h"
#include "widgets/enterkey.h"
#include "widgets/icons.h"

#include <QComboBox>
#include <QDir>
#include <QDrag>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QFileSystemWatcher>
#include <QHash>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The file list hands the dragged file over under its own format (and as a URL for other
// programs), so that the editor can tell a drag from the panel from any other.
class FileListWidget : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    QString folder;
    // Shown in the empty list when the folder could not be read.
    QString problem;
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    // The columns fit the list's width: Name takes what the others leave, down to a few
    // characters (a longer name is cut short, its tooltip tells it whole); the columns on the
    // right that do not fit then are left out until the panel is widened.
    void fitColumns() {
        if (topLevelItemCount() == 0)
            return;
        const int available = viewport()->width();
        int natural[4];
        for (int c = 0; c < 4; ++c)
            natural[c] = qMax(sizeHintForColumn(c), header()->sectionSizeHint(c));
        const int nameMin =
            qMin(natural[0], fontMetrics().averageCharWidth() * 8 + iconSize().width() + 12);
        auto others = [&natural](int shown) {
            int sum = 0;
            for (int c = 1; c < shown; ++c)
                sum += natural[c];
            return sum;
        };
        int shown = 4;
        while (shown > 1 && nameMin + others(shown) > available)
            --shown;
        for (int c = 1; c < 4; ++c) {
            setColumnHidden(c, c >= shown);
            if (c < shown)
                setColumnWidth(c, natural[c]);
        }
        setColumnWidth(0, qMax(nameMin, qMin(natural[0], available - others(shown))));
    }

protected:
    void resizeEvent(QResizeEvent *event) override {
        QTreeWidget::resizeEvent(event);
        fitColumns();
    }
    void paintEvent(QPaintEvent *event) override {
        QTreeWidget::paintEvent(event);
        if (problem.isEmpty() || topLevelItemCount() > 0)
            return;
        QPainter painter(viewport());
        painter.setPen(palette().color(QPalette::PlaceholderText));
        const int margin = fontMetrics().averageCharWidth();
        painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                         Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap, problem);
    }
    QStringList mimeTypes() const override {
        return {QStringLiteral("application/x-marlo-panel-file"), QStringLiteral("text/uri-list")};
    }
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override {
        if (items.isEmpty())
            return nullptr;
        const QString path = QDir(folder).filePath(items.first()->text(0));
        auto *data = new QMimeData;
        data->setData(QStringLiteral("application/x-marlo-panel-file"), path.toUtf8());
        data->setUrls({QUrl::fromLocalFile(path)});
        return data;
    }
};

QIcon iconFor(FileIcon icon) {
    switch (icon) {
    case FileIcon::PageDefaultBrowser:
        return marloIcon(QStringLiteral("file-page"));
    case FileIcon::PageSecondaryBrowser:
        return marloIcon(QStringLiteral("file-page-secondary"));
    case FileIcon::Image:
        return marloIcon(QStringLiteral("file-image"));
    case FileIcon::Multimedia:
        return marloIcon(QStringLiteral("file-media"));
    case FileIcon::None:
        break;
    }
    return QIcon();
}

constexpr int EmptyColumnWidth = 120;

// The tree shows folders by name alone. The model asks its icon provider for every entry's
// icon and type each time a folder it shows changes; the usual provider looks the type up in
// the MIME database, which made a folder where programs keep making and removing entries (the
// temporary folder) cost a whole processor core. A folder icon and no type are all it needs.
class FolderIcons : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override { return icon(info.isRoot() ? Drive : Folder); }
    QString type(const QFileInfo &) const override { return QString(); }
};

} // namespace

FolderPanel::FolderPanel(QWidget *parent)
    : QSplitter(Qt::Vertical, parent), m_volumes(new QComboBox),
      m_folderIcons(std::make_unique<FolderIcons>()), m_model(new QFileSystemModel(this)),
      m_tree(new QTreeView), m_files(new FileListWidget), m_watcher(new QFileSystemWatcher(this)),
      m_changed(new QTimer(this)) {
    setObjectName(QStringLiteral("folderPanel"));
    setChildrenCollapsible(false);
    auto *top = new QWidget;
    auto *layout = new QVBoxLayout(top);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_volumes->setObjectName(QStringLiteral("driveList"));
    m_volumes->setMinimumContentsLength(8);
    m_volumes->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    layout->addWidget(m_volumes);

    m_model->setIconProvider(m_folderIcons.get());
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setReadOnly(true);
    m_tree->setObjectName(QStringLiteral("folderTree"));
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    layout->addWidget(m_tree);

    m_files->setObjectName(QStringLiteral("fileList"));
    m_files->setColumnCount(4);
    m_files->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size"),
                              QStringLiteral("Type"), QStringLiteral("Last change")});
    m_files->setRootIsDecorated(false);
    m_files->setUniformRowHeights(true);
    m_files->setSortingEnabled(false);
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    m_files->setEditTriggers(QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked);
    m_files->setDragEnabled(true);
    m_files->setDragDropMode(QAbstractItemView::DragOnly);
    m_files->header()->setStretchLastSection(false);
    addWidget(top);
    addWidget(m_files);

    fillVolumes();
    connect(m_volumes, QOverload<int>::of(&QComboBox::activated), this,
            &FolderPanel::onVolumeChosen);
    connect(m_tree, &QTreeView::clicked, this, &FolderPanel::onFolderClicked);
    // The tree reads folders in the background: once the folders on the way to the shown one
    // are in, show it.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        if (m_folder == loaded || m_folder.startsWith(loaded))
            revealFolder();
    });
    connect(m_tree, &QTreeView::activated, this, &FolderPanel::onFolderClicked);
    connect(m_files, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        Q_EMIT fileActivated(QDir(m_folder).filePath(item->text(0)));
    });
    keepEnterInField(m_tree);
    keepEnterInField(m_files);
    connect(m_files, &QTreeWidget::itemSelectionChanged, this,
            [this] { Q_EMIT selectedFileChanged(selectedFile()); });
    connect(m_files, &QTreeWidget::itemChanged, this, &FolderPanel::onItemChanged);

    // A save writes a temporary and renames it: the folder changes twice in a moment, and a
    // folder of thousands of files is read once for both.
    m_changed->setSingleShot(true);
    m_changed->setInterval(250);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_changed, qOverload<>(&QTimer::start));
    connect(m_changed, &QTimer::timeout, this, [this] {
        if (isRenaming())
            m_changed->start(); // re-reading would take the name being typed away
        else
            refresh();
    });
}

FolderPanel::~FolderPanel() {
    delete m_model; // its reader thread stops here, before the icons it asks go
}

QStringList FolderPanel::volumes() {
    QStringList out{QStringLiteral("/"), QDir::homePath()};
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady())
            continue;
        const QString root = v.rootPath();
        const QByteArray type = v.fileSystemType();
        // Kernel and memory file systems are no places to keep pages.
        if (type == "proc" || type == "sysfs" || type == "devtmpfs" || type == "devpts" ||
            type == "cgroup" || type == "cgroup2" || type == "overlay" ||
            root.startsWith(QLatin1String("/proc")) || root.startsWith(QLatin1String("/sys")) ||
            root.startsWith(QLatin1String("/dev")) || root.startsWith(QLatin1String("/run")))
            continue;
        if (!out.contains(root))
            out << root;
    }
    return out;
}

void FolderPanel::fillVolumes() {
    QFileIconProvider icons;
    m_volumes->clear();
    for (const QString &v : volumes())
        m_volumes->addItem(icons.icon(v == QDir::homePath() ? QFileIconProvider::Folder
                                                            : QFileIconProvider::Drive),
                           QDir::toNativeSeparators(v), v);
}

void FolderPanel::setSettings(const AppSettings *settings) {
    m_settings = settings;
    refresh();
}

// The volume of a folder: the longest volume root it lies in.
void FolderPanel::showVolumeOf(const QString &folder) {
    int best = -1;
    int bestLength = -1;
    for (int i = 0; i < m_volumes->count(); ++i) {
        const QString root = m_volumes->itemData(i).toString();
        const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        if ((folder == root || folder.startsWith(prefix)) && root.size() > bestLength) {
            best = i;
            bestLength = int(root.size());
        }
    }
    if (best < 0)
        return;
    m_volumes->setCurrentIndex(best);
    const QString root = m_volumes->itemData(best).toString();
    m_model->setRootPath(root);
    m_tree->setRootIndex(m_model->index(root));
}

void FolderPanel::setFolder(const QString &folder) {
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (clean == m_folder && m_files->topLevelItemCount() > 0)
        return;
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_folder = clean;
    showVolumeOf(m_folder);
    revealFolder();
    static_cast<FileListWidget *>(m_files)->folder = m_folder;
    refresh();
}

void FolderPanel::revealFolder() {
    const QModelIndex index = m_model->index(m_folder);
    if (!index.isValid())
        return;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        m_tree->expand(p);
    if (m_tree->currentIndex() != index)
        m_tree->setCurrentIndex(index);
    // Scrolled once the view has laid out the rows just expanded.
    QTimer::singleShot(0, m_tree, [this] {
        m_tree->scrollTo(m_model->index(m_folder), QAbstractItemView::PositionAtCenter);
    });
}

void FolderPanel::showEvent(QShowEvent *event) {
    QSplitter::showEvent(event);
    revealFolder();
}

void FolderPanel::setFileMask(const QString &mask) {
    m_mask = mask;
    refresh();
}

void FolderPanel::setColors(const QColor &text, const QColor &background) {
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(m_tree),
                                    static_cast<QAbstractItemView *>(m_files)}) {
        QPalette pal = view->palette();
        pal.setColor(QPalette::Text, text);
        pal.setColor(QPalette::Base, background);
        view->setPalette(pal);
    }
}

void FolderPanel::refresh() {
    if (m_folder.isEmpty())
        return;
    const QString keep = m_files->currentItem() ? m_files->currentItem()->text(0) : QString();
    const AppSettings defaults;
    const AppSettings &s = m_settings ? *m_settings : defaults;
    m_filling = true;
    m_files->setUpdatesEnabled(false);
    m_files->clear();
    auto *list = static_cast<FileListWidget *>(m_files);
    list->problem = folderReadProblem(m_folder);
    // (Again after the folder was taken away and made anew.)
    if (list->problem.isEmpty() && !m_watcher->directories().contains(m_folder))
        m_watcher->addPath(m_folder);
    list->viewport()->update();
    const QFileInfoList entries = QDir(m_folder).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    QList<QTreeWidgetItem *> rows;
    const FileMask mask(m_mask);
    // An icon is looked up once for the folder, not once for each of thousands of files.
    QHash<int, QIcon> icons;
    for (const QFileInfo &info : entries) {
        if (!mask.matches(info.fileName()))
            continue;
        auto *row = new QTreeWidgetItem;
        row->setText(0, info.fileName());
        row->setToolTip(0, info.fileName());
        row->setData(0, Qt::UserRole, info.fileName());
        row->setFlags(row->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
        row->setText(1, kilobyteText(info.isReadable() ? info.size() : -1));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        const FileKind kind = fileKind(info.fileName(), s);
        row->setText(2, kind.typeText);
        auto icon = icons.find(int(kind.icon));
        if (icon == icons.end())
            icon = icons.insert(int(kind.icon), iconFor(kind.icon));
        row->setIcon(0, *icon);
        row->setText(3, lastChangeText(info.lastModified()));
        rows << row;
    }
    m_files->addTopLevelItems(rows);
    if (rows.isEmpty()) {
        for (int c = 0; c < 4; ++c) {
            m_files->setColumnHidden(c, false);
            m_files->setColumnWidth(c, EmptyColumnWidth);
        }
    } else {
        static_cast<FileListWidget *>(m_files)->fitColumns();
    }
    m_files->setUpdatesEnabled(true);
    m_filling = false;
    if (!keep.isEmpty())
        selectFile(keep);
}

QString FolderPanel::selectedFile() const {
    const QList<QTreeWidgetItem *> items = m_files->selectedItems();
    if (items.isEmpty())
        return QString();
    return QDir(m_folder).filePath(items.first()->text(0));
}

int FolderPanel::selectedRow() const {
    const QList<QTreeWidgetItem *> items = m_files->selectedItems();
    return items.isEmpty() ? -1 : m_files->indexOfTopLevelItem(items.first());
}

int FolderPanel::rowCount() const { return m_files->topLevelItemCount(); }

void FolderPanel::selectRow(int row) {
    QTreeWidgetItem *item = m_files->topLevelItem(row);
    if (!item)
        return;
    m_files->setCurrentItem(item);
    m_files->clearSelection();
    item->setSelected(true);
    m_files->scrollToItem(item);
}

bool FolderPanel::selectFile(const QString &name) {
    for (int i = 0; i < rowCount(); ++i)
        if (m_files->topLevelItem(i)->text(0) == name) {
            selectRow(i);
            return true;
        }
    return false;
}

QString FolderPanel::readProblem() const {
    return static_cast<const FileListWidget *>(m_files)->problem;
}

bool FolderPanel::isRenaming() const {
    return static_cast<const FileListWidget *>(m_files)->isEditing();
}

void FolderPanel::onVolumeChosen(int index) {
    const QString root = m_volumes->itemData(index).toString();
    setFolder(root);
    Q_EMIT folderChosen(m_folder);
}

void FolderPanel::onFolderClicked(const QModelIndex &index) {
    const QString path = m_model->filePath(index);
    if (path.isEmpty() || path == m_folder)
        return;
    setFolder(path);
    Q_EMIT folderChosen(m_folder);
}

void FolderPanel::onItemChanged(QTreeWidgetItem *item, int column) {
    if (m_filling || column != 0)
        return;
    const QString typed = item->text(0);
    // The old name is the one on disk: the row was filled from it and nothing else edits it.
    const QString old = item->data(0, Qt::UserRole).toString();
    Q_EMIT renameRequested(old.isEmpty() ? typed : old, typed);
}
