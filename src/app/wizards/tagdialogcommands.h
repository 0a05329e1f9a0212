// The commands of the tag dialogs: a new image, link, anchor, e-mail link or embedded object,
// the page properties and the colour picker, and "Edit <...> tag..." which reopens the tag at the
// selection in the dialog that made it. The main window creates one and places its actions.
#pragma once

#include "wizards/dialogparts.h"
#include "wizards/tagclassification.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <functional>

struct AppContext;
class ActionRegistry;
class DocumentAccess;
class AnchorDialog;
class EmbedDialog;
class ImageDialog;
class LinkDialog;
class MailLinkDialog;
class QAction;
class SourceEditor;

class TagDialogCommands : public QObject {
    Q_OBJECT
public:
    // Edits the given tag text (already selected in the editor) in its dialog.
    using TagEditor = std::function<void(const QString &editedText)>;

    // Registers the menu items and toolbar buttons (image, link, anchor, e-mail, embed, page
    // properties, colour) and "Edit <...> tag..." of the editor's context menu, named each time
    // the menu opens after the first tag of the selection. The commands act on the current
    // document of `docs`; `panelFileName` gives the file panel's selected file, or "".
    TagDialogCommands(AppContext &ctx, DocumentAccess &docs,
                      std::function<QString()> panelFileName, ActionRegistry &commands,
                      QWidget *window);
    ~TagDialogCommands() override;

    // Offers "Edit <...> tag..." for tags of this kind; a dialog family registers its editor
    // with one call, e.g. registerTagEditor(TagKind::Font, [&](const QString &tag) {...}).
    void registerTagEditor(TagKind kind, TagEditor editor);
    bool canEdit(TagKind kind) const { return m_editors.contains(kind); }

    // Names the edit entry after the selection's first tag (hidden when it offers none).
    void classifySelection();
    // Edits the selection's first tag (or link element) in its dialog.
    void editTag();

    void newImage(bool anyImageFile);
    void newLink(bool anyFile);
    void newAnchor();
    void newMailLink();
    void newEmbed();
    void openPageProperties();
    void openColorSelection(const QPoint &pointer);

    // The dialogs, for tests and screenshots; created on first use.
    ImageDialog *imageDialog();
    LinkDialog *linkDialog();
    AnchorDialog *anchorDialog();
    MailLinkDialog *mailLinkDialog();
    EmbedDialog *embedDialog();

private:
    TagDialogEnvironment environment() const;
    SourceEditor *editor() const;
    // Takes the panel's file when `accept` holds for it, else clears the hand-over.
    void handOverPanelFile(const std::function<bool(const QString &)> &accept);
    // Replaces the selection as the insertion says, then hands the tag texts to the editor.
    void deliver(const TagInsertion &insertion);
    void editImage(const QString &tag);
    void editLink(const QString &element);
    void editMailLink(const QString &element);
    void editAnchor(const QString &element);
    void editEmbed(const QString &tag);

    AppContext &m_ctx;
    DocumentAccess &m_docs;
    std::function<QString()> m_panelFileName;
    QWidget *m_window;
    QMap<TagKind, TagEditor> m_editors;
    TagKind m_lastKind = TagKind::None;
    QAction *m_editTag;
    // The file the panel offers the next dialog (image, link, embed), or "".
    QString m_handOverFileName;
    QPointer<ImageDialog> m_image;
    QPointer<LinkDialog> m_link;
    QPointer<AnchorDialog> m_anchor;
    QPointer<MailLinkDialog> m_mail;
    QPointer<EmbedDialog> m_embed;
};
