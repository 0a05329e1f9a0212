#include "shell/windowlayout.h"

#include "shell/actionregistry.h"
#include "widgets/icons.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <functional>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The floating window of an undocked tag toolbar; closing it docks the toolbar again.
class FloatingToolbarWindow : public QWidget {
public:
    FloatingToolbarWindow(QWidget *parent, std::function<void()> onClose)
        : QWidget(parent, Qt::Tool), m_onClose(std::move(onClose)) {
        setObjectName(QStringLiteral("floatingTagToolbar"));
        setWindowTitle(QStringLiteral("Tags"));
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(2, 2, 2, 2);
    }

protected:
    void closeEvent(QCloseEvent *event) override {
        event->ignore();
        m_onClose();
    }

private:
    std::function<void()> m_onClose;
};

constexpr int NarrowestPanel = 15;
constexpr int CollapsedPanel = 9;
// Room the documents always keep beside or below the panels, whatever the settings say.
constexpr int SmallestEditor = 120;
constexpr int ToolbarRowHeight = 56;

// The screen a size has to fit on; a window not yet on a screen uses the primary one.
QSize screenSize(const QWidget *window) {
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

} // namespace

WindowLayout::WindowLayout(AppSettings &settings, ActionRegistry &commands,
                           const WindowLayoutParts &parts)
    : QObject(parts.window), m_settings(settings), m_commands(commands), m_parts(parts) {
    const struct {
        const char *id;
        LayoutMode mode;
    } modes[] = {
        {"actionSmallScreen", LayoutMode::SmallScreen}, {"actionWideScreen", LayoutMode::WideScreen},
        {"actionFullScreen", LayoutMode::FullScreen},   {"actionSmallWindow", LayoutMode::SmallScreen},
        {"actionWideWindow", LayoutMode::WideScreen},   {"actionFullWindow", LayoutMode::FullScreen},
    };
    for (const auto &m : modes) {
        const LayoutMode mode = m.mode;
        commands.add(QLatin1String(m.id), this, [this, mode] { setMode(mode); });
    }
    commands.add(QStringLiteral("actionDockToolbar"), this, &WindowLayout::toggleDocking);
    commands.add(QStringLiteral("contextDockToolbar"), this, &WindowLayout::toggleDocking);
    m_layoutButton =
        commands.addButton(QStringLiteral("layoutButton"), this, &WindowLayout::toggleSmallWide);
    commands.addButton(QStringLiteral("fullScreenButton"), this,
                       [this] { setMode(LayoutMode::FullScreen); });

    // Neither the side panel nor the documents can be dragged away; the panel narrows down to
    // its strip at most. The file list keeps its height when the window grows.
    parts.mainSplitter->setCollapsible(0, false);
    parts.mainSplitter->setCollapsible(1, false);
    parts.filePanel->setMinimumWidth(CollapsedPanel);
    parts.filePanelSplitter->setStretchFactor(0, 1);
    parts.filePanelSplitter->setStretchFactor(1, 0);

    connect(parts.mainSplitter, &QSplitter::splitterMoved, this, [this] {
        // A side panel pushed narrower than 15 pixels collapses to a 9-pixel strip.
        QList<int> sizes = m_parts.mainSplitter->sizes();
        if (!sizes.isEmpty() && sizes[0] > 0 && sizes[0] < NarrowestPanel) {
            const int total = sizes[0] + sizes.value(1);
            m_parts.mainSplitter->setSizes({CollapsedPanel, total - CollapsedPanel});
        }
        rememberSizes();
    });
    connect(parts.topSplitter, &QSplitter::splitterMoved, this, &WindowLayout::rememberSizes);
    connect(parts.filePanelSplitter, &QSplitter::splitterMoved, this,
            &WindowLayout::rememberSizes);
}

void WindowLayout::applySizes() {
    // Stored sizes may be anything a hand or an old version wrote; each is fitted to the screen
    // when applied, so the documents always keep their room. A stored size that fits stays until
    // the user moves a splitter; one that does not is replaced by the size applied, so a size
    // that hides the documents is never written back.
    AppSettings &s = m_settings;
    const QSize screen = screenSize(m_parts.window);
    const int widest = qMax(CollapsedPanel, screen.width() - SmallestEditor);
    const int panel = qBound(CollapsedPanel, s.filePanelWidth, widest);
    s.filePanelWidth = panel;
    const int total = qMax(m_parts.mainSplitter->width(), panel + SmallestEditor);
    m_parts.mainSplitter->setSizes({panel, total - panel});
    if (s.rightPanelWidth > -1) {
        const int right = qBound(m_parts.rightPanel->minimumWidth(), s.rightPanelWidth,
                                 qMax(m_parts.rightPanel->minimumWidth(), screen.width() / 2));
        s.rightPanelWidth = right;
        const int top = qMax(m_parts.topSplitter->width(), right + SmallestEditor);
        m_parts.topSplitter->setSizes({top - right, right});
    }
    const int list = qBound(0, s.fileListHeight, qMax(0, screen.height() - SmallestEditor));
    s.fileListHeight = list;
    const int height = qMax(m_parts.filePanelSplitter->height(), list + SmallestEditor);
    m_parts.filePanelSplitter->setSizes({height - list, list});
}

void WindowLayout::rememberSizes() {
    AppSettings &s = m_settings;
    // A panel squeezed to nothing keeps the width it had, and comes back at it.
    const int panel = m_parts.mainSplitter->sizes().value(0, 0);
    if (m_parts.filePanel->isVisible() && panel >= CollapsedPanel)
        s.filePanelWidth = panel;
    if (m_parts.rightPanel->isVisible())
        s.rightPanelWidth = m_parts.rightPanel->width();
    if (m_parts.filePanel->isVisible())
        s.fileListHeight = m_parts.filePanelSplitter->sizes().value(1, s.fileListHeight);
}

void WindowLayout::setMode(LayoutMode mode) {
    m_settings.layoutMode = mode;
    if (mode == m_applied)
        return;
    m_applied = mode;
    showMode(mode);
}

void WindowLayout::toggleSmallWide() {
    switch (m_settings.layoutMode) {
    case LayoutMode::SmallScreen:
        setMode(LayoutMode::WideScreen);
        break;
    case LayoutMode::WideScreen:
        setMode(LayoutMode::SmallScreen);
        break;
    case LayoutMode::FullScreen:
        break;
    }
}

void WindowLayout::showMode(LayoutMode mode) {
    const bool toolbar = mode != LayoutMode::FullScreen;
    const bool panel = mode == LayoutMode::SmallScreen;
    m_parts.tagArea->setVisible(toolbar && !isToolbarFloating());
    if (isToolbarFloating())
        m_floating->setVisible(toolbar);
    m_parts.filePanel->setVisible(panel);
    if (panel)
        applySizes();
    fitToolbarRow();
    m_layoutButton->setIcon(marloIcon(mode == LayoutMode::WideScreen
                                          ? QStringLiteral("cabinet-shut")
                                          : QStringLiteral("cabinet-open")));
}

bool WindowLayout::isToolbarFloating() const { return !m_floating.isNull(); }

void WindowLayout::toggleDocking() {
    if (isToolbarFloating()) {
        m_parts.tagArea->layout()->addWidget(m_parts.tagToolbar);
        m_floating->deleteLater();
        m_floating.clear();
        m_parts.tagArea->setVisible(m_applied != LayoutMode::FullScreen);
        fitToolbarRow();
    } else {
        auto *floating = new FloatingToolbarWindow(m_parts.window, [this] { toggleDocking(); });
        floating->layout()->addWidget(m_parts.tagToolbar);
        m_parts.tagToolbar->show();
        m_floating = floating;
        m_parts.tagArea->hide();
        fitToolbarRow(); // the panels below move up into its place
        floating->adjustSize();
        floating->move(m_parts.window->mapToGlobal(QPoint(60, 60)));
        floating->show();
    }
    updateDockTexts();
}

void WindowLayout::fitToolbarRow() {
    if (!m_parts.toolbarRow)
        return;
    // With the tag toolbar docked the row has its designed height; without it, only the file
    // buttons' height, so no blank strip is left above the documents.
    const bool tags = !isToolbarFloating() && m_applied != LayoutMode::FullScreen;
    int height = ToolbarRowHeight;
    if (!tags) {
        // The file buttons decide; the splitter that held the tag toolbar has nothing to show.
        const QLayout *row = m_parts.toolbarRow->layout();
        int buttons = 0;
        for (int i = 0; i < row->count(); ++i) {
            const QWidget *w = row->itemAt(i)->widget();
            if (w && w != m_parts.topSplitter && !w->isHidden())
                buttons = qMax(buttons, w->sizeHint().height());
        }
        const QMargins margins = row->contentsMargins();
        height = qMin(ToolbarRowHeight, buttons + margins.top() + margins.bottom());
    }
    m_parts.toolbarRow->setFixedHeight(height);
}

void WindowLayout::updateDockTexts() {
    // The texts of the table: to undock while docked, to dock while floating.
    const int state = isToolbarFloating() ? 1 : 0;
    m_commands.setState(QStringLiteral("actionDockToolbar"), state);
    m_commands.setState(QStringLiteral("contextDockToolbar"), state);
}
