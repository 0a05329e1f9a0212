// The side panel: the folder that new documents use, its subfolders above and its HTML files
// below. Double-clicking a folder enters it; double-clicking a file opens it.
#pragma once

#include <QSplitter>

class QLabel;
class QListWidget;
class QListWidgetItem;

class FolderPanel : public QSplitter {
    Q_OBJECT
public:
    explicit FolderPanel(QWidget *parent = nullptr);

    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }
    // Which files the lower list offers (the HTML mask of the settings).
    void setHtmlMask(const QString &mask);
    void setColors(const QColor &text, const QColor &background);

Q_SIGNALS:
    void folderChosen(const QString &folder);
    void fileActivated(const QString &path);

private:
    void refresh();
    void onFolderActivated(QListWidgetItem *item);

    QString m_folder;
    QString m_htmlMask;
    QLabel *m_path;
    QListWidget *m_folders;
    QListWidget *m_files;
};
