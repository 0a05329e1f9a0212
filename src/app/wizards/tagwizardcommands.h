// The tag wizard's commands: the menu item, the toolbar buttons of the "Tags" and
// "All Attributes" pages (wizard and help on a tag), and the one wizard window they share.
#pragma once

#include <QObject>
#include <QPointer>

struct AppContext;
class ActionRegistry;
class TagToolbar;
class TagWizard;
class QWidget;

class TagWizardCommands : public QObject {
    Q_OBJECT
public:
    // The help buttons look up the entry of `toolbar`'s template or attribute list.
    TagWizardCommands(AppContext &ctx, ActionRegistry &commands, TagToolbar *toolbar,
                      QWidget *window);

    // Shows the wizard, creating it on first use; the same window is reused.
    void showWizard();
    TagWizard *wizard() const;

private:
    AppContext &m_ctx;
    QWidget *m_window;
    QPointer<TagWizard> m_wizard;
};
