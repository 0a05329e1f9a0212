// The JavaScript wizard's slide show page: the pictures of a folder, the slides chosen from them
// (as the references the page will carry) and the delay between two slides.
#pragma once

#include <QWidget>
#include <functional>

class Prompts;
class QLineEdit;
class QListWidget;

class SlideShowPage : public QWidget {
    Q_OBJECT
public:
    // `makeReference` turns a chosen picture into the text written into the page.
    SlideShowPage(Prompts &prompts, std::function<QString(const QString &)> makeReference,
                  QWidget *parent);

    // Lists the folder's pictures.
    void setFolder(const QString &folder);
    QStringList slides() const;
    QString delay() const;

    // The page's buttons, for tests and keyboard users.
    void addSlide();
    void removeSlide();

    QListWidget *pictureList() const { return m_files; }
    QListWidget *slideList() const { return m_slides; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Prompts &m_prompts;
    std::function<QString(const QString &)> m_makeReference;
    QLineEdit *m_folder;
    QListWidget *m_files;
    QListWidget *m_slides;
    QLineEdit *m_delay;
};
