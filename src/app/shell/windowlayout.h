// The main window's layout: the three layout modes (small, wide and full screen), the sizes of
// the side panel and the toolbar's right panel kept in the settings, and the docking and
// undocking of the tag toolbar.
#pragma once

#include "shell/appsettings.h"

#include <QObject>
#include <QPointer>

struct AppSettings;
class ActionRegistry;
class QSplitter;
class QToolButton;
class QWidget;

struct WindowLayoutParts {
    QWidget *window = nullptr;
    QWidget *toolbarRow = nullptr;    // the row of file buttons and the docked tag toolbar
    QWidget *tagArea = nullptr;       // holds the tag toolbar while it is docked
    QWidget *tagToolbar = nullptr;    // the dockable tag toolbar itself
    QWidget *filePanel = nullptr;     // the side panel
    QSplitter *mainSplitter = nullptr; // side panel | documents
    QSplitter *topSplitter = nullptr;  // tag toolbar | right panel
    QWidget *rightPanel = nullptr;
    QSplitter *filePanelSplitter = nullptr; // folders above, file list below
};

class WindowLayout : public QObject {
    Q_OBJECT
public:
    // The layout mode and the panel sizes are kept in `settings`.
    WindowLayout(AppSettings &settings, ActionRegistry &commands, const WindowLayoutParts &parts);

    // Sizes from the settings (start-up), each fitted to the screen.
    void applySizes();
    LayoutMode appliedMode() const { return m_applied; }
    // The layout button: small screen to wide screen and back; full screen stays.
    void toggleSmallWide();
    // Chooses a layout mode and shows it at once.
    void setMode(LayoutMode mode);
    bool isToolbarFloating() const;
    void toggleDocking();

private:
    void showMode(LayoutMode mode);
    void updateDockTexts();
    void fitToolbarRow();
    void rememberSizes();

    AppSettings &m_settings;
    ActionRegistry &m_commands;
    WindowLayoutParts m_parts;
    LayoutMode m_applied = LayoutMode::SmallScreen; // the designed layout
    QPointer<QWidget> m_floating;
    QToolButton *m_layoutButton;
};
