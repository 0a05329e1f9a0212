// What the two picture windows share: a small always-on-top tool window showing one picture
// file, a popup menu with the switch to the other window and "Close", and the keys that page
// through the file list (reported, the controller moves the list's selection).
#pragma once

#include <QImage>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;

class PictureWindow : public QWidget {
    Q_OBJECT
public:
    // Loads and shows `path`; a picture that cannot be read shows why instead.
    void showPicture(const QString &path);
    QString picturePath() const { return m_path; }
    QAction *switchAction() const { return m_switch; }

Q_SIGNALS:
    // Home, End, Page Up, Page Down, Up or Down pressed in the window.
    void navigationKey(int key);
    void switchRequested();

protected:
    PictureWindow(const QString &switchText, QWidget *parent);
    virtual void pictureChanged() = 0;
    QLabel *pictureLabel() const { return m_label; }
    const QImage &image() const { return m_image; }
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QString m_path;
    QImage m_image;
    QLabel *m_label;
    QMenu *m_menu;
    QAction *m_switch;
};
