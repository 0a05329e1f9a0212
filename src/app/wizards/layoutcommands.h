// The commands that build tables, form elements, fonts, lists and framesets through their
// dialogs: one action each, their toolbar buttons and menu entries. The dialogs' text reaches
// the current document through the pending insertion or the pending block.
#pragma once

#include "wizards/framewizard.h"

#include <QObject>
#include <functional>

struct AppContext;
class ActionRegistry;
class DocumentAccess;
class QDialog;
class QWidget;
class TagDialogCommands;

class LayoutCommands : public QObject {
    Q_OBJECT
public:
    // Chosen files are referenced against the current document of `docs`; the tag editors
    // replace its selected tag.
    LayoutCommands(AppContext &ctx, ActionRegistry &commands, QWidget *window,
                   DocumentAccess &docs);

    void openTableEditor();
    // The quick table opens with its right edge at `point` (the pointer, in global coordinates).
    void openQuickTable(const QPoint &point);
    void openFormTag();
    void openTextInput();
    void openTextArea();
    void openCheckbox();
    void openRadioButton();
    void openDropDownList();
    void openFontTag();
    void openBaseFont();
    void openQuickList();
    void openQuickDefinitionList();
    void openFrameWizard();

    // Edit-in-place of an existing start tag (the tag-at-cursor commands): each shows its dialog
    // filled from the tag's attributes and returns the new start tag, or an empty string when
    // the user cancelled.
    QString editFormTag(const QString &tag);
    QString editFontTag(const QString &tag);
    QString editBaseFontTag(const QString &tag);
    // Offers the three edits for FORM, FONT and BASEFONT tags in the editor's "Edit <...> tag..."
    // entry; Ok puts the new start tag in place of the selected one, the end tag stays.
    void registerTagEditors(TagDialogCommands &dispatch);

private:
    QString reference(const QString &fileName) const;
    void deliverWrap(const QString &start, const QString &end);
    void deliverBlock(const QStringList &block);

    AppContext &m_ctx;
    QWidget *m_window;
    DocumentAccess &m_docs;
    FrameWizard::FrameCounts m_frameCounts;
};
