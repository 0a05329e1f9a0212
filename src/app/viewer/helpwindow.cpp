#include "viewer/helpwindow.h"

#include "viewer/htmlviewer.h"
#include "widgets/windowstacking.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QToolBar>

namespace {

const QString WindowTitle = QStringLiteral("Marlo Help");

QPointer<HelpWindow> &sharedWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

QString escaped(const QString &text) {
    return text.toHtmlEscaped();
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowFlag(Qt::Window, true);
    setWindowTitle(WindowTitle);
    m_viewer = new HtmlViewer(this);
    m_viewer->setHistoryMaxCount(HistoryLength);
    m_viewer->setDefBackground(Qt::white);
    m_viewer->setDefFontColor(Qt::black);
    setCentralWidget(m_viewer);

    m_back = new QAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"), this);
    m_back->setObjectName(QStringLiteral("helpBack"));
    m_back->setShortcut(QKeySequence::Back);
    m_forward = new QAction(style()->standardIcon(QStyle::SP_ArrowForward),
                            QStringLiteral("Forward"), this);
    m_forward->setObjectName(QStringLiteral("helpForward"));
    m_forward->setShortcut(QKeySequence::Forward);
    connect(m_back, &QAction::triggered, m_viewer, &HtmlViewer::goBack);
    connect(m_forward, &QAction::triggered, m_viewer, &HtmlViewer::goForward);
    QToolBar *bar = addToolBar(QStringLiteral("Navigation"));
    bar->setObjectName(QStringLiteral("helpToolBar"));
    bar->setMovable(false);
    bar->addAction(m_back);
    bar->addAction(m_forward);

    auto *menu = new QMenu(this);
    QAction *copy = menu->addAction(QStringLiteral("Copy"));
    connect(copy, &QAction::triggered, m_viewer, &HtmlViewer::copySelection);
    connect(menu, &QMenu::aboutToShow, this,
            [this, copy] { copy->setEnabled(m_viewer->hasSelection()); });
    m_viewer->setContextMenu(menu);

    connect(m_viewer, &HtmlViewer::historyChanged, this, &HelpWindow::updateState);
    resize(640, 560);
    updateState();
}

void HelpWindow::updateState() {
    m_back->setEnabled(m_viewer->canGoBack());
    m_forward->setEnabled(m_viewer->canGoForward());
    const QString title = m_viewer->documentTitle();
    setWindowTitle(title.isEmpty() ? WindowTitle : title);
}

bool HelpWindow::openTopic(const QString &helpFile, const QString &topic) {
    const QString target = topic.isEmpty() ? helpFile : helpFile + u'#' + topic;
    QString error;
    auto connection = connect(m_viewer, &HtmlViewer::errorReported, this,
                              [&error](const QString &message) { error = message; });
    const bool ok = m_viewer->loadFromFile(target);
    disconnect(connection);
    if (!ok && m_viewer->currentFile().isEmpty()) {
        // No page to show: say why in the window itself.
        m_viewer->loadFromString(QStringLiteral("<H3>") + escaped(error) + QStringLiteral("</H3>"));
    }
    updateState();
    return ok;
}

HelpWindow *HelpWindow::openWindow() {
    return sharedWindow();
}

void HelpWindow::showTopic(const QString &helpFile, const QString &topic, QWidget *parent) {
    QPointer<HelpWindow> &window = sharedWindow();
    // The help belongs to the window that asked for it: over a modal dialog it must lie above
    // that dialog and take the mouse and keys, which a window of the main window would not.
    QWidget *owner = userWindow(parent);
    if (!window) {
        window = new HelpWindow(owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
    } else if (owner != window && window->parentWidget() != owner) {
        const QRect place = window->geometry();
        window->setParent(owner, Qt::Window);
        window->setGeometry(place);
    }
    keepAboveOwner(window);
    window->openTopic(helpFile, topic);
    bringToFront(window);
}
