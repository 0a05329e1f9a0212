#include "widgets/folderpanel.h"

#include "shell/filepaths.h"

#include <QDir>
#include <QFileIconProvider>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

FolderPanel::FolderPanel(QWidget *parent)
    : QSplitter(Qt::Vertical, parent), m_path(new QLabel), m_folders(new QListWidget),
      m_files(new QListWidget) {
    setObjectName(QStringLiteral("folderPanel"));
    setChildrenCollapsible(false);
    auto *top = new QWidget;
    auto *layout = new QVBoxLayout(top);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_path->setObjectName(QStringLiteral("folderPath"));
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_path->setContentsMargins(4, 2, 4, 2);
    m_path->setMinimumWidth(1);
    layout->addWidget(m_path);
    m_folders->setObjectName(QStringLiteral("folderList"));
    layout->addWidget(m_folders);
    m_files->setObjectName(QStringLiteral("fileList"));
    addWidget(top);
    addWidget(m_files);
    connect(m_folders, &QListWidget::itemActivated, this, &FolderPanel::onFolderActivated);
    connect(m_files, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        Q_EMIT fileActivated(QDir(m_folder).filePath(item->text()));
    });
}

void FolderPanel::setFolder(const QString &folder) {
    m_folder = QDir(folder).absolutePath();
    refresh();
}

void FolderPanel::setHtmlMask(const QString &mask) {
    m_htmlMask = mask;
    refresh();
}

void FolderPanel::setColors(const QColor &text, const QColor &background) {
    for (QListWidget *list : {m_folders, m_files}) {
        QPalette pal = list->palette();
        pal.setColor(QPalette::Text, text);
        pal.setColor(QPalette::Base, background);
        list->setPalette(pal);
    }
}

void FolderPanel::refresh() {
    if (m_folder.isEmpty())
        return;
    const QDir dir(m_folder);
    m_path->setText(QDir::toNativeSeparators(m_folder));
    m_path->setToolTip(m_path->text());
    QFileIconProvider icons;
    m_folders->clear();
    if (!dir.isRoot())
        m_folders->addItem(new QListWidgetItem(icons.icon(QFileIconProvider::Folder),
                                               QStringLiteral("..")));
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        m_folders->addItem(new QListWidgetItem(icons.icon(QFileIconProvider::Folder), name));
    m_files->clear();
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (isHtmlFile(name, m_htmlMask))
            m_files->addItem(new QListWidgetItem(icons.icon(QFileIconProvider::File), name));
}

void FolderPanel::onFolderActivated(QListWidgetItem *item) {
    const QString target = QDir(m_folder).absoluteFilePath(item->text());
    setFolder(QDir::cleanPath(target));
    Q_EMIT folderChosen(m_folder);
}
