// The set of open documents in tab order: it owns one Document per tab, knows which one is
// current, keeps the tab captions, sets the editors up from the settings and notices the user's
// edits. The file commands, printing and the status bar work on the documents it hands out.
#pragma once

#include "documents/document.h"
#include "editor/editorprovider.h"

#include <QPointer>
#include <memory>
#include <vector>

struct AppContext;
class QMenu;
class QTabWidget;
class QWidget;

class DocumentController : public EditorProvider {
    Q_OBJECT
public:
    DocumentController(AppContext &ctx, QTabWidget *tabs, QWidget *parent);
    ~DocumentController() override;

    // The folder new untitled documents use (the folder the file panel shows).
    QString panelFolder() const { return m_panelFolder; }
    void setPanelFolder(const QString &folder);
    // The name of a new untitled document: the panel folder and "New.htm".
    QString untitledName() const;

    // Start-up: the first tab with its editor and untitled name.
    void createFirstDocument(const QString &fileName);

    int count() const { return int(m_docs.size()); }
    int currentIndex() const { return indexOf(*m_current); }
    Document &current() const { return *m_current; }
    Document &document(int index) const { return *m_docs[size_t(index)]; }
    const DocumentState &state(int index) const { return document(index); }
    SourceEditor *editor(int index) const { return document(index).editor(); }
    int indexOf(const Document &doc) const;
    void setCurrentIndex(int index);
    void activate(Document &doc) { setCurrentIndex(indexOf(doc)); }

    SourceEditor *currentEditor() const override { return m_current->editor(); }
    QString currentFileName() const override { return m_current->fileName; }
    QList<SourceEditor *> editors() const override;

    // A new untitled document in a tab after the others; the caller makes it current.
    Document &addDocument();
    // Closes the document's tab. When it was current, its right neighbour (or, for the last
    // tab, its left one) becomes current. At least one document always stays.
    void removeDocument(Document &doc);
    // Puts text into the document's editor as the program's own change, which leaves the
    // document unmodified; colour coded when asked to.
    void setText(Document &doc, const QString &text, bool colorCode);
    // The document's name, saved flag or last-save time changed: its tab and the listeners follow.
    void refresh(Document &doc);

    // Font, colours, word wrap and the typing options from the settings, on every editor.
    void applySettingsToEditors();
    // Stops listening to every editor; called before the editors are destroyed.
    void releaseAllEditors();
    // The editor context menu every editor shows.
    void setEditorContextMenu(QMenu *menu);

Q_SIGNALS:
    void currentDocumentChanged(Document &doc);
    void documentRefreshed(Document &doc);
    // A document came into the set; one is about to leave it (its editor still there).
    void documentCreated(Document &doc);
    void documentClosing(Document &doc);
    // Of the current editor: the caret's column and line (from 0), the insert/overwrite mode.
    void caretMoved(int column, int line);
    void insertModeChanged(bool overwrite);
    void panelFolderChanged(const QString &folder);

private:
    SourceEditor *createEditor();
    void connectEditor(SourceEditor *editor);
    void applySettings(SourceEditor *editor);
    void releaseEditor(SourceEditor *editor);
    Document *documentOf(const SourceEditor *editor) const;
    void onCurrentTabChanged(int index);
    void onTextChanged(SourceEditor *editor);
    // Undo or redo brought back the text as last saved.
    void onBackToSavedText(SourceEditor *editor);
    void refreshTabCaption(const Document &doc);

    AppContext &m_ctx;
    QTabWidget *m_tabs;
    QPointer<QMenu> m_editorMenu;
    std::vector<std::unique_ptr<Document>> m_docs; // in tab order
    Document *m_current = nullptr;
    int m_loading = 0; // > 0 while the program itself puts text into an editor
    QString m_panelFolder;
};
