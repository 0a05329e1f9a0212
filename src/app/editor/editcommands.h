// The Edit and Tags commands on the current editor: the standard edit commands, the wrap
// commands of the tag toolbar and the Tags menu, indenting, stripping tags, text conversion,
// the date/time menu, the previously used links and images, and the insertion of the text
// dialogs hand over.
#pragma once

#include "shell/appsettings.h"
#include "shell/insertionchannel.h"

#include <QAction>
#include <QMetaObject>
#include <QObject>
#include <QVector>
#include <array>

struct AppContext;
class EditorProvider;
class QMenu;
class QWidget;
class SourceEditor;
class TagToolbar;

class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(AppContext &ctx, EditorProvider &docs, QWidget *window);

    // Wraps the current editor's selection (the one insertion routine of the program).
    void wrap(const QString &startText, const QString &endText);
    // What dialogs handed over, put into the current editor.
    void insertHandedOver(PendingInsertion insertion);
    void insertHandedOverBlock(PendingBlock block);

    void connectToolbar(TagToolbar *toolbar);
    void refreshPreviousLists(); // captions of the "Prev. Links"/"Prev. Images" items
    void stripAllTags();
    void openTextConversion();

    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }
    QAction *cutAction() const { return m_cut; }
    QAction *copyAction() const { return m_copy; }
    QAction *pasteAction() const { return m_paste; }
    QAction *deleteAction() const { return m_delete; }
    QAction *selectAllAction() const { return m_selectAll; }
    QAction *indentAction() const { return m_indent; }
    QAction *unindentAction() const { return m_unindent; }
    QAction *stripTagsAction() const { return m_stripTags; }
    QAction *textConversionAction() const { return m_textConversion; }
    QAction *redoColorCodingAction() const { return m_redoColorCoding; }
    const QVector<QAction *> &tagMenuActions() const { return m_tagActions; }
    QMenu *previousLinksMenu() const { return m_prevLinks; }
    QMenu *previousImagesMenu() const { return m_prevImages; }
    QMenu *dateTimeMenu() const { return m_dateTime; }
    QMenu *deletePreviousListsMenu() const { return m_deleteLists; }
    // Context-menu twins of the edit actions (no shortcuts, the context menu's own captions).
    QVector<QAction *> contextEditActions() const { return m_contextActions; }

private:
    SourceEditor *editor() const;
    // Redo is on while the current editor has something to redo.
    void followRedo(SourceEditor *ed);
    QAction *makeAction(const QString &text, const QString &name, const QKeySequence &key = {});
    void buildDateTimeMenu();
    void buildPreviousLists();
    void buildDeleteListsMenu();
    void insertPrevious(const QString &entry);

    AppContext &m_ctx;
    EditorProvider &m_docs;
    QWidget *m_window;

    QAction *m_undo;
    QAction *m_redo;
    QAction *m_cut;
    QAction *m_copy;
    QAction *m_paste;
    QAction *m_delete;
    QAction *m_selectAll;
    QAction *m_indent;
    QAction *m_unindent;
    QAction *m_stripTags;
    QAction *m_textConversion;
    QAction *m_redoColorCoding;
    QVector<QAction *> m_tagActions;
    QVector<QAction *> m_contextActions;
    QMenu *m_prevLinks = nullptr;
    QMenu *m_prevImages = nullptr;
    std::array<QAction *, AppSettings::PreviousListSize> m_linkItems{};
    std::array<QAction *, AppSettings::PreviousListSize> m_imageItems{};
    QMenu *m_dateTime = nullptr;
    QMenu *m_deleteLists = nullptr;
    QMetaObject::Connection m_redoFollows;
};
