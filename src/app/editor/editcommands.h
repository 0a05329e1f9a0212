// The Edit and Tags commands on the current document: the standard edit commands, the wrap
// commands of the tag toolbar and the Tags menu, indenting, stripping tags, text conversion,
// the date/time menu, the previously used links and images, and the insertion of the text
// dialogs hand over.
#pragma once

#include "shell/appsettings.h"
#include "shell/insertionchannel.h"

#include <QAction>
#include <QMetaObject>
#include <QObject>
#include <array>

struct AppContext;
class ActionRegistry;
class DocumentAccess;
class SourceDocument;
class QWidget;
class SourceEditor;
class TagToolbar;

class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(AppContext &ctx, DocumentAccess &docs, ActionRegistry &commands, QWidget *window);

    // Wraps the current editor's selection (the one insertion routine of the program).
    void wrap(const QString &startText, const QString &endText);
    // What dialogs handed over, put into the current editor.
    void insertHandedOver(PendingInsertion insertion);
    void insertHandedOverBlock(PendingBlock block);

    void connectToolbar(TagToolbar *toolbar);
    void refreshPreviousLists(); // captions of the "Prev. Links"/"Prev. Images" items
    void stripAllTags();
    void openTextConversion();

private:
    // The current document's view: the commands act on its document, at its caret.
    SourceEditor &view() const;
    // Redo is on while the current document has something to redo.
    void followRedo(SourceDocument &doc);
    void addEditCommands(ActionRegistry &commands);
    void addWrapCommands(ActionRegistry &commands);
    void addDateTimeItems(ActionRegistry &commands);
    void addPreviousLists(ActionRegistry &commands);
    void addDeleteListsCommands(ActionRegistry &commands);
    void insertPrevious(const QString &entry);

    AppContext &m_ctx;
    DocumentAccess &m_docs;
    QWidget *m_window;

    QAction *m_redo = nullptr;
    QMetaObject::Connection m_redoFollows;
    std::array<QAction *, AppSettings::PreviousListSize> m_linkItems{};
    std::array<QAction *, AppSettings::PreviousListSize> m_imageItems{};
    std::array<QAction *, 4> m_dateTimeItems{};
};
