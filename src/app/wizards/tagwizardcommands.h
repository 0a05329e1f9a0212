// The tag wizard's commands: the menu item, the toolbar buttons of the "Tags" and
// "All Attributes" pages (wizard and help on a tag), and the one wizard window they share.
#pragma once

#include <QObject>
#include <QPointer>

struct AppContext;
class QAction;
class TagToolbar;
class TagWizard;
class QWidget;

class TagWizardCommands : public QObject {
    Q_OBJECT
public:
    TagWizardCommands(AppContext &ctx, QWidget *window);

    // "&Tag Wizard..." (Ctrl+T), for the menu.
    QAction *wizardAction() const { return m_wizardAction; }
    // Adds the wizard and help buttons to the toolbar's "Tags" and "All Attributes" pages.
    void addToolbarButtons(TagToolbar *toolbar);

    // Shows the wizard, creating it on first use; the same window is reused.
    void showWizard();
    TagWizard *wizard() const;

private:
    AppContext &m_ctx;
    QWidget *m_window;
    QAction *m_wizardAction;
    QPointer<TagWizard> m_wizard;
};
