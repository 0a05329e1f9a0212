#include "wizards/layoutcommands.h"

#include "editor/documentaccess.h"
#include "editor/sourceeditor.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/filepaths.h"
#include "viewer/helpwindow.h"
#include "widgets/windowplacement.h"
#include "wizards/basefontdialog.h"
#include "wizards/checkboxdialog.h"
#include "wizards/dropdownlistdialog.h"
#include "wizards/formtagdialog.h"
#include "wizards/quickdefinitionlistdialog.h"
#include "wizards/quicklistdialog.h"
#include "wizards/quicktabledialog.h"
#include "wizards/radiobuttondialog.h"
#include "wizards/tableeditordialog.h"
#include "wizards/tagdialogcommands.h"
#include "wizards/textareadialog.h"
#include "wizards/textinputdialog.h"

#include <QCursor>
#include <QTimer>
#include <QToolButton>

LayoutCommands::LayoutCommands(AppContext &ctx, ActionRegistry &commands, QWidget *window,
                               DocumentAccess &docs)
    : QObject(window), m_ctx(ctx), m_window(window), m_docs(docs) {
    m_frameCounts.fill(1);
    commands.add(QStringLiteral("actionTableEditor"), this, &LayoutCommands::openTableEditor);
    commands.add(QStringLiteral("actionFrameWizard"), this, &LayoutCommands::openFrameWizard);

    struct Button {
        const char *id;
        void (LayoutCommands::*open)();
    };
    static const Button buttons[] = {
        {"tableEditorButton", &LayoutCommands::openTableEditor},
        {"quickListButton", &LayoutCommands::openQuickList},
        {"quickDefinitionListButton", &LayoutCommands::openQuickDefinitionList},
        {"quickFontButton", &LayoutCommands::openFontTag},
        {"baseFontButton", &LayoutCommands::openBaseFont},
        {"formButton", &LayoutCommands::openFormTag},
        {"textInputButton", &LayoutCommands::openTextInput},
        {"textAreaButton", &LayoutCommands::openTextArea},
        {"checkboxButton", &LayoutCommands::openCheckbox},
        {"radioButtonButton", &LayoutCommands::openRadioButton},
        {"dropDownListButton", &LayoutCommands::openDropDownList},
    };
    for (const Button &b : buttons)
        commands.addButton(QLatin1String(b.id), this, b.open);
    // The quick table opens where the button was pressed.
    QToolButton *quickTable = commands.addButton(QStringLiteral("quickTableButton"));
    connect(quickTable, &QToolButton::pressed, this, [this, quickTable] {
        const QPoint at = QCursor::pos();
        QTimer::singleShot(0, this, [this, quickTable, at] {
            quickTable->setDown(false);
            openQuickTable(at);
        });
    });
}

QString LayoutCommands::reference(const QString &fileName) const {
    return makeReference(fileName, m_ctx.settings, m_docs.current().fileName());
}

void LayoutCommands::deliverWrap(const QString &start, const QString &end) {
    m_ctx.setPendingInsertion(start, end);
}

void LayoutCommands::deliverBlock(const QStringList &block) { m_ctx.setPendingBlock(block); }

void LayoutCommands::openTableEditor() {
    std::unique_ptr<TableEditorDialog> dialog;
    {
        WaitCursor wait;
        dialog = std::make_unique<TableEditorDialog>(
            m_ctx, [this](const QString &f) { return reference(f); }, m_window);
    }
    connect(dialog.get(), &TableEditorDialog::helpRequested, this,
            [this, d = dialog.get()](const QString &topic) {
                HelpWindow::showTopic(m_ctx.settings.programHelpFile, topic, d);
            });
    if (dialog->exec() == QDialog::Accepted)
        deliverBlock(dialog->block());
}

void LayoutCommands::openQuickTable(const QPoint &point) {
    QuickTableDialog dialog(m_window);
    dialog.placeAt(point);
    if (dialog.exec() == QDialog::Accepted)
        deliverBlock(dialog.block());
}

void LayoutCommands::openFormTag() {
    FormTagDialog dialog(m_window);
    if (dialog.exec() == QDialog::Accepted) {
        const WrapTexts t = buildFormTag(dialog.fields());
        deliverWrap(t.start, t.end);
    }
}

void LayoutCommands::openTextInput() {
    TextInputDialog dialog(m_window);
    if (dialog.exec() == QDialog::Accepted)
        deliverWrap(buildTextInput(dialog.fields()), QString());
}

void LayoutCommands::openTextArea() {
    TextAreaDialog dialog(m_window);
    if (dialog.exec() == QDialog::Accepted) {
        const WrapTexts t = buildTextArea(dialog.fields());
        deliverWrap(t.start, t.end);
    }
}

void LayoutCommands::openCheckbox() {
    CheckboxDialog dialog(m_window);
    if (dialog.exec() == QDialog::Accepted)
        deliverWrap(dialog.inputTag(), QString());
}

void LayoutCommands::openRadioButton() {
    RadioButtonDialog dialog(m_window);
    if (dialog.exec() == QDialog::Accepted)
        deliverWrap(dialog.inputTag(), QString());
}

void LayoutCommands::openDropDownList() {
    DropDownListDialog dialog(m_window);
    if (dialog.exec() == QDialog::Accepted)
        deliverBlock(dialog.block());
}

void LayoutCommands::openFontTag() {
    FontTagDialog dialog(m_ctx, m_window);
    if (dialog.exec() == QDialog::Accepted) {
        const WrapTexts t = buildFontTag(dialog.fields());
        deliverWrap(t.start, t.end);
    }
}

void LayoutCommands::openBaseFont() {
    BaseFontDialog dialog(m_ctx, m_window);
    if (dialog.exec() == QDialog::Accepted)
        deliverWrap(dialog.baseFontTag(), QString());
}

void LayoutCommands::openQuickList() {
    QuickListDialog dialog(m_window);
    if (dialog.exec() == QDialog::Accepted)
        deliverBlock(dialog.block());
}

void LayoutCommands::openQuickDefinitionList() {
    QuickDefinitionListDialog dialog(m_window);
    if (dialog.exec() == QDialog::Accepted)
        deliverBlock(dialog.block());
}

void LayoutCommands::openFrameWizard() {
    FrameWizard wizard(
        m_ctx, m_frameCounts, [this](const QString &f) { return reference(f); }, m_window);
    connect(&wizard, &FrameWizard::helpRequested, this, [this, &wizard](const QString &topic) {
        HelpWindow::showTopic(m_ctx.settings.programHelpFile, topic, &wizard);
    });
    if (wizard.exec() == QDialog::Accepted && wizard.layout())
        deliverBlock(wizard.block());
}

QString LayoutCommands::editFormTag(const QString &tag) {
    return FormTagDialog::editStartTag(tag, m_window);
}

QString LayoutCommands::editFontTag(const QString &tag) {
    return FontTagDialog::editStartTag(m_ctx, tag, m_window);
}

QString LayoutCommands::editBaseFontTag(const QString &tag) {
    return BaseFontDialog::editStartTag(m_ctx, tag, m_window);
}

void LayoutCommands::registerTagEditors(TagDialogCommands &dispatch) {
    auto replaceWith = [this](const QString &newTag) {
        SourceDocument &doc = m_docs.current();
        SourceEditor &view = *doc.activeView();
        if (!newTag.isEmpty()) {
            const int line = doc.lineFromPosition(view.selectionStart());
            view.replaceSelection(newTag);
            if (doc.colorCoding())
                doc.colorCodeLines(line - 1, line + 1);
        }
        view.setFocus();
    };
    dispatch.registerTagEditor(TagKind::Form, [this, replaceWith](const QString &tag) {
        replaceWith(editFormTag(tag));
    });
    dispatch.registerTagEditor(TagKind::Font, [this, replaceWith](const QString &tag) {
        replaceWith(editFontTag(tag));
    });
    dispatch.registerTagEditor(TagKind::BaseFont, [this, replaceWith](const QString &tag) {
        replaceWith(editBaseFontTag(tag));
    });
}
