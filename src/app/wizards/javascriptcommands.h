// The JavaScript wizard's menu command: opens the dialog on the current document and carries
// out what its "Ok" asks for (edits, messages, the script block through the pending block).
#pragma once

#include "wizards/scriptinsertion.h"

#include <QObject>

struct AppContext;
class ActionRegistry;
class DocumentAccess;
class JavaScriptDialog;
class QWidget;

class JavaScriptCommands : public QObject {
    Q_OBJECT
public:
    JavaScriptCommands(AppContext &ctx, DocumentAccess &docs, ActionRegistry &commands,
                       QWidget *window);

    // Shows the dialog modally; it is created for each use.
    void showDialog();
    // What "Ok" does; false while a field still has to be filled.
    bool insert(const JavaScriptFields &fields);

Q_SIGNALS:
    // The dialog's "Help" button.
    void helpRequested(const QString &topic);
    // Emitted with the dialog before it is shown, for tests.
    void dialogOpened(JavaScriptDialog *dialog);

private:
    AppContext &m_ctx;
    DocumentAccess &m_docs;
    QWidget *m_window;
};
