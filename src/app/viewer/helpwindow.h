// The program's help: a top-level window with an HTML viewer that keeps a history of the
// pages visited (Back and Forward in its toolbar and context menu) and takes its title from
// the page. One window is shared by all help requests.
#pragma once

#include <QMainWindow>

class HtmlViewer;
class QAction;

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int HistoryLength = 20;

    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows "helpFile#topic" (the whole file when the topic is empty) in the help window,
    // opening it or reusing the one that is open.
    static void showTopic(const QString &helpFile, const QString &topic, QWidget *parent);
    // The help window that is open, if any.
    static HelpWindow *openWindow();

    // Loads the topic into this window; false when the file could not be shown.
    bool openTopic(const QString &helpFile, const QString &topic);
    HtmlViewer *viewer() const { return m_viewer; }
    QAction *backAction() const { return m_back; }

private:
    void updateState();

    HtmlViewer *m_viewer;
    QAction *m_back;
    QAction *m_forward;
};
