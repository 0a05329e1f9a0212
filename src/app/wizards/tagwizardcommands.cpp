#include "wizards/tagwizardcommands.h"

#include "editor/tagtoolbar.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "wizards/tagcatalogue.h"
#include "wizards/taghelp.h"
#include "wizards/tagwizard.h"

#include <QComboBox>

TagWizardCommands::TagWizardCommands(AppContext &ctx, ActionRegistry &commands,
                                     TagToolbar *toolbar, QWidget *window)
    : QObject(window), m_ctx(ctx), m_window(window) {
    commands.add(QStringLiteral("actionTagWizard"), this, &TagWizardCommands::showWizard);
    commands.addButton(QStringLiteral("tagsPageWizardButton"), this,
                       &TagWizardCommands::showWizard);
    commands.addButton(QStringLiteral("attributesPageWizardButton"), this,
                       &TagWizardCommands::showWizard);
    commands.addButton(QStringLiteral("tagsPageHelpButton"), this, [this, toolbar] {
        showTagHelp(m_ctx, helpKeyword(toolbar->templateList()->currentText()));
    });
    // An attribute name is looked up as it is.
    commands.addButton(QStringLiteral("attributesPageHelpButton"), this, [this, toolbar] {
        showTagHelp(m_ctx, toolbar->attributeList()->currentText().trimmed());
    });
}

TagWizard *TagWizardCommands::wizard() const { return m_wizard; }

void TagWizardCommands::showWizard() {
    if (!m_wizard)
        m_wizard = new TagWizard(m_ctx, m_window);
    m_wizard->show();
    m_wizard->raise();
    m_wizard->activateWindow();
}
