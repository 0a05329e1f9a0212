#include "wizards/tagdialogcommands.h"

#include "editor/documentaccess.h"
#include "editor/sourceeditor.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/filepaths.h"
#include "tools/recentlists.h"
#include "wizards/anchordialog.h"
#include "wizards/colorselectiondialog.h"
#include "wizards/embeddialog.h"
#include "wizards/htmlcolors.h"
#include "wizards/imagedialog.h"
#include "wizards/linkdialog.h"
#include "wizards/maillinkdialog.h"
#include "wizards/pageproperties.h"
#include "wizards/pagepropertiesdialog.h"

#include <QAction>
#include <QCursor>

namespace {

template <typename List> QStringList usedEntries(const List &entries) {
    QStringList out;
    for (const QString &s : entries) {
        if (s == MarkerEmpty || s.isEmpty())
            break;
        out.append(s);
    }
    return out;
}

// The references a tag holds are what the page already says ("/img/a.gif" from the site's root,
// say): only a value the user changed goes through the path conversion.
ReferenceMaker keepingRead(const ReferenceMaker &make, const QStringList &read) {
    return [make, read](const QString &name) { return read.contains(name) ? name : make(name); };
}

} // namespace

TagDialogCommands::TagDialogCommands(AppContext &ctx, DocumentAccess &docs,
                                     std::function<QString()> panelFileName,
                                     ActionRegistry &commands, QWidget *window)
    : QObject(window), m_ctx(ctx), m_docs(docs), m_panelFileName(std::move(panelFileName)),
      m_window(window) {
    // Hidden between uses; the key acts through its twin on the window, whether or not the
    // menu was opened.
    m_editTag = commands.add(QStringLiteral("editTagAction"), this, &TagDialogCommands::editTag);
    m_editTag->setVisible(false);
    m_editTag->setEnabled(false);
    commands.add(QStringLiteral("editTagKey"), this, &TagDialogCommands::editTag);
    commands.onMenuShow(QStringLiteral("editorMenu"), this, [this] { classifySelection(); });

    registerTagEditor(TagKind::Body, [this](const QString &) { openPageProperties(); });
    registerTagEditor(TagKind::Title, [this](const QString &) { openPageProperties(); });
    registerTagEditor(TagKind::Image, [this](const QString &t) { editImage(t); });
    registerTagEditor(TagKind::Link, [this](const QString &t) { editLink(t); });
    registerTagEditor(TagKind::MailLink, [this](const QString &t) { editMailLink(t); });
    registerTagEditor(TagKind::Anchor, [this](const QString &t) { editAnchor(t); });
    registerTagEditor(TagKind::Embed, [this](const QString &t) { editEmbed(t); });

    // The menu offers the image and link dialogs any file of the panel; the toolbar buttons
    // only pictures of the web and pages.
    commands.add(QStringLiteral("imageAction"), this, [this] { newImage(true); });
    commands.add(QStringLiteral("linkAction"), this, [this] { newLink(true); });
    commands.addButton(QStringLiteral("imageButton"), this, [this] { newImage(false); });
    commands.addButton(QStringLiteral("linkButton"), this, [this] { newLink(false); });
    commands.add(QStringLiteral("anchorAction"), this, &TagDialogCommands::newAnchor);
    commands.addButton(QStringLiteral("anchorButton"), this, &TagDialogCommands::newAnchor);
    commands.add(QStringLiteral("mailLinkAction"), this, &TagDialogCommands::newMailLink);
    commands.addButton(QStringLiteral("mailLinkButton"), this, &TagDialogCommands::newMailLink);
    commands.add(QStringLiteral("embedAction"), this, &TagDialogCommands::newEmbed);
    commands.addButton(QStringLiteral("embedButton"), this, &TagDialogCommands::newEmbed);
    commands.add(QStringLiteral("pagePropertiesAction"), this,
                 &TagDialogCommands::openPageProperties);
    commands.addButton(QStringLiteral("pagePropertiesButton"), this,
                       &TagDialogCommands::openPageProperties);
    // The menu's colour picker opens over the window, the button's at the pointer.
    commands.add(QStringLiteral("colorAction"), this, [this] {
        openColorSelection(m_window ? m_window->mapToGlobal(m_window->rect().center())
                                    : QCursor::pos());
    });
    commands.addButton(QStringLiteral("colorButton"), this,
                       [this] { openColorSelection(QCursor::pos()); });
}

TagDialogCommands::~TagDialogCommands() = default;

void TagDialogCommands::registerTagEditor(TagKind kind, TagEditor editor) {
    m_editors.insert(kind, std::move(editor));
}

SourceEditor *TagDialogCommands::editor() const { return &m_docs.currentView(); }

void TagDialogCommands::classifySelection() {
    SourceEditor *ed = editor();
    TagKind kind = TagKind::None;
    if (ed && ed->selectionLength() > 0)
        kind = classifyTag(ed->selectedText()).kind;
    if (!canEdit(kind))
        kind = TagKind::None;
    m_lastKind = kind;
    const bool offered = kind != TagKind::None;
    if (offered)
        m_editTag->setText(editCaption(kind));
    m_editTag->setVisible(offered);
    m_editTag->setEnabled(offered);
}

void TagDialogCommands::editTag() {
    SourceEditor *ed = editor();
    // Not while the internal viewer stands in the editor's place.
    if (!ed || !ed->isVisible() || ed->selectionLength() == 0)
        return;
    // The selection is classified again: a caption left from an earlier menu could name another
    // kind of tag and put, say, an image tag in place of a link's start tag.
    classifySelection();
    const TagKind kind = m_lastKind;
    if (kind == TagKind::None || !canEdit(kind))
        return;
    const TagClassification c = classifyTag(ed->selectedText());
    if (c.kind != kind)
        return;
    m_handOverFileName.clear();
    if (kind != TagKind::Body && kind != TagKind::Title)
        ed->setSelection(ed->selectionStart() + c.offset, int(c.editedText.size()));
    m_editors.value(kind)(c.editedText);
}

TagDialogEnvironment TagDialogCommands::environment() const {
    const AppSettings &s = m_ctx.settings;
    TagDialogEnvironment env;
    env.prompts = m_ctx.prompts;
    env.documentFileName = m_docs.current().fileName();
    env.handOverFileName = m_handOverFileName;
    env.recentImages = usedEntries(s.previousImages);
    env.recentLinks = usedEntries(s.previousLinks);
    env.colorList = htmlColorList(s);
    env.sizeFromImage = s.imageWidthChecked;
    env.multimediaMask = s.multimediaMask;
    const QString document = env.documentFileName;
    AppContext *ctx = &m_ctx;
    env.reference = [ctx, document](const QString &name) {
        return makeReference(name, ctx->settings, document);
    };
    return env;
}

void TagDialogCommands::handOverPanelFile(const std::function<bool(const QString &)> &accept) {
    const QString file = m_panelFileName ? m_panelFileName() : QString();
    m_handOverFileName = !file.isEmpty() && accept(file) ? file : QString();
}

void TagDialogCommands::deliver(const TagInsertion &insertion) {
    SourceEditor *ed = editor();
    if (!ed)
        return;
    m_ctx.setPendingInsertion(insertion.startText, insertion.endText, insertion.selectionText);
    ed->setFocus();
}

ImageDialog *TagDialogCommands::imageDialog() {
    if (!m_image)
        m_image = new ImageDialog(m_window);
    return m_image;
}

LinkDialog *TagDialogCommands::linkDialog() {
    if (!m_link)
        m_link = new LinkDialog(m_window);
    return m_link;
}

AnchorDialog *TagDialogCommands::anchorDialog() {
    if (!m_anchor)
        m_anchor = new AnchorDialog(m_window);
    return m_anchor;
}

MailLinkDialog *TagDialogCommands::mailLinkDialog() {
    if (!m_mail)
        m_mail = new MailLinkDialog(m_window);
    return m_mail;
}

EmbedDialog *TagDialogCommands::embedDialog() {
    if (!m_embed)
        m_embed = new EmbedDialog(m_window);
    return m_embed;
}

namespace {
QString selectedText(SourceEditor *ed) { return ed ? ed->selectedText() : QString(); }
} // namespace

void TagDialogCommands::newImage(bool anyImageFile) {
    handOverPanelFile([anyImageFile](const QString &f) {
        return anyImageFile ? isImageFile(f) : isWebImageFile(f);
    });
    editImage(QString());
}

void TagDialogCommands::newLink(bool anyFile) {
    const QString mask = m_ctx.settings.htmlMask;
    handOverPanelFile([anyFile, mask](const QString &f) { return anyFile || isHtmlFile(f, mask); });
    editLink(QString());
}

void TagDialogCommands::newAnchor() { editAnchor(QString()); }

void TagDialogCommands::newMailLink() { editMailLink(QString()); }

void TagDialogCommands::newEmbed() {
    const QString mask = m_ctx.settings.multimediaMask;
    handOverPanelFile([mask](const QString &f) { return isMultimediaFile(f, mask); });
    editEmbed(QString());
}

// Each editor below serves both a new tag (empty text) and a selected one: the dialog is reset,
// filled from the tag when there is one, and its OK replaces the selection.

void TagDialogCommands::editImage(const QString &tag) {
    ImageDialog *d = imageDialog();
    TagDialogEnvironment env = environment();
    d->reset(env);
    if (!tag.isEmpty()) {
        const ImageFields read = imageFieldsFromTag(tag);
        d->setFields(read);
        env.reference = keepingRead(env.reference, {read.source, read.lowSource.text});
    }
    if (d->exec() != QDialog::Accepted) {
        if (editor())
            editor()->setFocus();
        return;
    }
    const ImageFields f = d->fields();
    deliver(buildImageTag(f, env.reference));
    pushRecentImage(m_ctx.settings, f.source);
}

void TagDialogCommands::editLink(const QString &element) {
    LinkDialog *d = linkDialog();
    TagDialogEnvironment env = environment();
    d->reset(env, selectedText(editor()));
    if (!element.isEmpty()) {
        const LinkFields read = linkFieldsFromElement(element);
        d->setFields(read);
        env.reference = keepingRead(env.reference, {read.link});
    }
    if (d->exec() != QDialog::Accepted)
        return;
    const LinkFields f = d->fields();
    deliver(buildLinkTag(f, env.reference));
    pushRecentLink(m_ctx.settings, f.link);
}

void TagDialogCommands::editMailLink(const QString &element) {
    MailLinkDialog *d = mailLinkDialog();
    d->reset(selectedText(editor()));
    if (!element.isEmpty())
        d->setFields(mailLinkFieldsFromElement(element));
    if (d->exec() == QDialog::Accepted)
        deliver(buildMailLinkTag(d->fields()));
}

void TagDialogCommands::editAnchor(const QString &element) {
    AnchorDialog *d = anchorDialog();
    d->reset(selectedText(editor()));
    if (!element.isEmpty())
        d->setFields(anchorFieldsFromElement(element));
    if (d->exec() == QDialog::Accepted)
        deliver(buildAnchorTag(d->fields()));
}

void TagDialogCommands::editEmbed(const QString &tag) {
    EmbedDialog *d = embedDialog();
    TagDialogEnvironment env = environment();
    d->reset(env);
    if (!tag.isEmpty()) {
        const EmbedFields read = embedFieldsFromTag(tag);
        d->setFields(read);
        env.reference = keepingRead(env.reference, {read.source});
    }
    if (d->exec() == QDialog::Accepted)
        deliver(buildEmbedTag(d->fields(), env.reference));
}

void TagDialogCommands::openPageProperties() {
    SourceEditor *ed = editor();
    if (!ed)
        return;
    const TagDialogEnvironment env = environment();
    PagePropertiesDialog d(env, m_window);
    connect(&d, &PagePropertiesDialog::newColor, this,
            [this](const QString &text) { pushRecentColor(m_ctx.settings, text); });
    SourceDocument &doc = ed->sourceDocument();
    const QString before = doc.text();
    d.setProperties(readPageProperties(before));
    if (d.exec() != QDialog::Accepted)
        return;
    const PageProperties p = d.properties();
    const TextEdits edits = pagePropertiesEdits(before, p, env.reference);
    const int row = ed->row();
    const int col = ed->col();
    const int top = ed->topLine();
    ed->beginUpdate();
    if (!edits.isEmpty()) {
        doc.applyEdits(edits);
        if (doc.colorCoding()) {
            int shift = 0;
            for (const TextEdit &e : edits) {
                const int start = e.position + shift;
                doc.colorCodeLines(doc.lineFromPosition(start) - 1,
                                   doc.lineFromPosition(start + int(e.text.size())) + 2);
                shift += int(e.text.size()) - e.length;
            }
        }
    }
    pushRecentImage(m_ctx.settings, p.background);
    ed->setRow(row);
    ed->setCol(col);
    ed->setTopLine(top);
    ed->setFocus();
    ed->endUpdate();
}

void TagDialogCommands::openColorSelection(const QPoint &pointer) {
    auto *d = new ColorSelectionDialog(htmlColorList(m_ctx.settings), m_ctx.prompt(), m_window);
    connect(d, &ColorSelectionDialog::newColor, this,
            [this](const QString &text) { pushRecentColor(m_ctx.settings, text); });
    connect(d, &ColorSelectionDialog::colorChosen, this,
            [this](const QString &text) { m_ctx.setPendingInsertion(text, QString()); });
    d->placeAt(pointer);
    d->show();
    d->raise();
    d->activateWindow();
}
