#include "editor/searchcommands.h"

#include "editor/documentaccess.h"
#include "editor/editoperations.h"
#include "editor/editortexts.h"
#include "editor/finddialog.h"
#include "editor/gotolinedialog.h"
#include "editor/replacedialog.h"
#include "editor/sourceeditor.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/prompts.h"
#include "widgets/windowstacking.h"

SearchCommands::SearchCommands(AppContext &ctx, DocumentAccess &docs, ActionRegistry &commands,
                               QWidget *window)
    : QObject(window), m_ctx(ctx), m_docs(docs), m_window(window) {
    commands.add(QStringLiteral("actionFind"), this, &SearchCommands::openFind);
    commands.add(QStringLiteral("actionReplace"), this, &SearchCommands::openReplace);
    commands.add(QStringLiteral("actionGoToLine"), this, &SearchCommands::openGoToLine);
}

SearchCommands::~SearchCommands() = default;

FindDialog *SearchCommands::findDialog() const { return m_findDialog; }

ReplaceDialog *SearchCommands::replaceDialog() const { return m_replaceDialog; }

SourceEditor &SearchCommands::view() const { return m_docs.currentView(); }

QString SearchCommands::selectionAsSearchText() const {
    const QString selected = view().selectedText();
    return selected.contains(QLatin1Char('\n')) ? QString() : selected;
}

void SearchCommands::openFind() {
    if (!m_findDialog) {
        m_findDialog = new FindDialog(m_window);
        connect(m_findDialog, &FindDialog::findNextRequested, this,
                [this](const QString &text) { findNext(text, false); });
    }
    const QString preset = selectionAsSearchText();
    if (!preset.isEmpty())
        m_findDialog->setSearchText(preset);
    bringToFront(m_findDialog);
}

void SearchCommands::openReplace() {
    if (!m_replaceDialog) {
        m_replaceDialog = new ReplaceDialog(m_window);
        connect(m_replaceDialog, &ReplaceDialog::findNextRequested, this,
                [this](const QString &text) { findNext(text, true); });
        connect(m_replaceDialog, &ReplaceDialog::replaceRequested, this,
                [this](const QString &text, const QString &with) { replace(text, with, false); });
        connect(m_replaceDialog, &ReplaceDialog::replaceAllRequested, this,
                [this](const QString &text, const QString &with) { replace(text, with, true); });
    }
    const QString preset = selectionAsSearchText();
    if (!preset.isEmpty())
        m_replaceDialog->setSearchText(preset);
    bringToFront(m_replaceDialog);
}

void SearchCommands::openGoToLine() {
    auto *dialog = new GoToLineDialog(m_ctx.prompt(), m_window);
    connect(dialog, &GoToLineDialog::lineRequested, this, &SearchCommands::goToLine);
    dialog->show();
}

void SearchCommands::bringEditorForward() {
    m_window->raise();
    m_window->activateWindow();
    view().setFocus();
}

void SearchCommands::findNext(const QString &text, bool fromReplaceDialog) {
    if (text.isEmpty())
        return;
    if (!::findNext(view(), text)) {
        m_ctx.prompt().information(fromReplaceDialog ? EditorTexts::TextNotFoundWhileReplacing
                                                     : EditorTexts::TextNotFound);
        return;
    }
    bringEditorForward();
}

void SearchCommands::replace(const QString &text, const QString &replacement, bool all) {
    if (text.isEmpty())
        return;
    ::replace(view(), text, replacement, all);
    bringEditorForward();
}

void SearchCommands::goToLine(int lineNumber) {
    ::goToLine(view(), lineNumber);
    view().setFocus();
}
