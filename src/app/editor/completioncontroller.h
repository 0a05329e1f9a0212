// Completion while typing in one editor: it watches the editor's keys through an event filter,
// asks the core where the caret stands and what fits there, shows the list under the caret and
// puts the chosen item in through the editor's replace (one undo step). Letters always go into
// the page; only Enter, Tab, Up, Down, Page Up, Page Down and Escape act on an open list.
// Owned by the editor it serves.
#pragma once

#include "completion/completioncontext.h"

#include <QObject>
#include <QStringList>

class CompletionPopup;
class DocumentAccess;
class QKeyEvent;
class SourceEditor;
struct AppSettings;

class CompletionController : public QObject {
    Q_OBJECT
public:
    CompletionController(SourceEditor *editor, const AppSettings &settings);

    // Gives every editor of the document set, those open now and those to come, its controller.
    static void attachToEditors(DocumentAccess &documents, const AppSettings &settings);

    bool isListShown() const;
    CompletionPopup *popup() const { return m_popup; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isListKey(const QKeyEvent *key) const;
    void listKey(const QKeyEvent *key);
    // After the editor took a key: the list follows what is typed, or opens when the typed
    // character starts something to complete (none for a key that erased).
    void refresh(QChar typed);
    void accept();
    void hideList();
    void place();
    CompletionContext contextAtCaret(int *caret) const;
    QStringList openElementsAt(int position);

    SourceEditor *m_editor;
    const AppSettings &m_settings;
    CompletionPopup *m_popup;
    CompletionContext m_context;
    int m_anchor = -1; // where the completed name or value starts
    bool m_forwarding = false; // the editor is handling a key the filter passed on
    bool m_inserting = false;
    int m_closeAnchor = -1; // the "</" whose open elements are known
    QStringList m_openElements;
};
