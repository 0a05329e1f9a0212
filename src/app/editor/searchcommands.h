// Find, replace and go to line on the current editor, with their dialogs. The find and replace
// dialogs stay open; each search continues from the current selection.
#pragma once

#include <QObject>
#include <QPointer>

struct AppContext;
class ActionRegistry;
class DocumentAccess;
class FindDialog;
class ReplaceDialog;
class SourceEditor;
class QWidget;

class SearchCommands : public QObject {
    Q_OBJECT
public:
    SearchCommands(AppContext &ctx, DocumentAccess &docs, ActionRegistry &commands,
                   QWidget *window);
    ~SearchCommands() override;

    void openFind();
    void openReplace();
    void openGoToLine();

    // The dialogs' commands, also used by tests.
    void findNext(const QString &text, bool fromReplaceDialog);
    void replace(const QString &text, const QString &replacement, bool all);
    void goToLine(int lineNumber);

    FindDialog *findDialog() const;
    ReplaceDialog *replaceDialog() const;

private:
    // The current document's view: find and replace act on its document from its caret.
    SourceEditor &view() const;
    QString selectionAsSearchText() const;
    void bringEditorForward();

    AppContext &m_ctx;
    DocumentAccess &m_docs;
    QWidget *m_window;
    QPointer<FindDialog> m_findDialog;
    QPointer<ReplaceDialog> m_replaceDialog;
};
