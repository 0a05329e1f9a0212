// The set of open documents in tab order: it owns one SourceDocument per tab (each with its view,
// the tab's editor), knows which one is current, keeps the tab captions in step with the
// documents' file state and sets the views up from the settings. The file commands, printing and
// the status bar work on the documents it hands out.
#pragma once

#include "editor/documentaccess.h"

#include <QPointer>
#include <memory>
#include <vector>

struct AppContext;
class QMenu;
class QTabWidget;
class QWidget;

class DocumentController : public DocumentAccess {
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
    SourceDocument &current() const override { return *m_current; }
    SourceDocument &document(int index) const { return *m_docs[size_t(index)]; }
    QList<SourceDocument *> documents() const override;
    int indexOf(const SourceDocument &doc) const;
    void setCurrentIndex(int index);
    void activate(SourceDocument &doc) { setCurrentIndex(indexOf(doc)); }

    // A new untitled document in a tab after the others; the caller makes it current.
    SourceDocument &addDocument();
    // Closes the document's tab. When it was current, its right neighbour (or, for the last
    // tab, its left one) becomes current. At least one document always stays.
    void removeDocument(SourceDocument &doc);

    // Font, colours, word wrap and the typing options from the settings, on every editor.
    void applySettingsToEditors();
    // Stops listening to every document and editor; called before they are destroyed.
    void releaseAllEditors();
    // The editor context menu every editor shows.
    void setEditorContextMenu(QMenu *menu);

Q_SIGNALS:
    // Of the current editor: the caret's column and line (from 0), the insert/overwrite mode.
    void caretMoved(int column, int line);
    void insertModeChanged(bool overwrite);
    void panelFolderChanged(const QString &folder);

private:
    void connectDocument(SourceDocument &doc);
    void applySettings(SourceEditor *editor);
    void release(SourceDocument &doc);
    void onCurrentTabChanged(int index);
    void refreshTabCaption(const SourceDocument &doc);

    AppContext &m_ctx;
    QTabWidget *m_tabs;
    QPointer<QMenu> m_editorMenu;
    std::vector<std::unique_ptr<SourceDocument>> m_docs; // in tab order
    SourceDocument *m_current = nullptr;
    QString m_panelFolder;
};
