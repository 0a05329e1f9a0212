#include "wizards/tagwizardcommands.h"

#include "editor/tagtoolbar.h"
#include "shell/appcontext.h"
#include "widgets/icons.h"
#include "wizards/tagcatalogue.h"
#include "wizards/taghelp.h"
#include "wizards/tagwizard.h"

#include <QAction>
#include <QComboBox>
#include <QToolButton>

TagWizardCommands::TagWizardCommands(AppContext &ctx, QWidget *window)
    : QObject(window), m_ctx(ctx), m_window(window) {
    m_wizardAction = new QAction(QStringLiteral("&Tag Wizard..."), this);
    m_wizardAction->setObjectName(QStringLiteral("actionTagWizard"));
    m_wizardAction->setIcon(marloIcon(QStringLiteral("tag-wizard")));
    m_wizardAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_wizardAction->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_wizardAction, &QAction::triggered, this, &TagWizardCommands::showWizard);
}

void TagWizardCommands::showWizard() {
    if (!m_wizard)
        m_wizard = new TagWizard(m_ctx, m_window);
    m_wizard->show();
    m_wizard->raise();
    m_wizard->activateWindow();
}

void TagWizardCommands::addToolbarButtons(TagToolbar *toolbar) {
    for (TagPage page : {TagPage::Tags, TagPage::AllAttributes}) {
        QToolButton *wizard = toolbar->addButton(page, QString(), QStringLiteral("tag-wizard"),
                                                 QStringLiteral("Tag Wizard"));
        wizard->setObjectName(page == TagPage::Tags ? QStringLiteral("tagsPageWizardButton")
                                                    : QStringLiteral("attributesPageWizardButton"));
        connect(wizard, &QToolButton::clicked, this, &TagWizardCommands::showWizard);

        QToolButton *help = toolbar->addButton(page, QString(), QStringLiteral("help"),
                                               QStringLiteral("Help on HTML-Tag"));
        help->setObjectName(page == TagPage::Tags ? QStringLiteral("tagsPageHelpButton")
                                                  : QStringLiteral("attributesPageHelpButton"));
        if (page == TagPage::Tags) {
            connect(help, &QToolButton::clicked, this, [this, toolbar] {
                showTagHelp(m_ctx, helpKeyword(toolbar->templateList()->currentText()));
            });
        } else {
            // An attribute name is looked up as it is.
            connect(help, &QToolButton::clicked, this, [this, toolbar] {
                showTagHelp(m_ctx, toolbar->attributeList()->currentText().trimmed());
            });
        }
    }
}

TagWizard *TagWizardCommands::wizard() const {
    return m_wizard;
}
