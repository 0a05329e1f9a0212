#include "documents/documentcontroller.h"

#include "editor/sourceeditor.h"
#include "shell/appcontext.h"
#include "shell/colortext.h"
#include "text/plaintext.h"

#include <QFileInfo>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextDocument>

namespace {

// Keeps the program's own text loads from counting as user edits.
class LoadingScope {
public:
    explicit LoadingScope(int &counter) : m_counter(counter) { ++m_counter; }
    ~LoadingScope() { --m_counter; }
    LoadingScope(const LoadingScope &) = delete;
    LoadingScope &operator=(const LoadingScope &) = delete;

private:
    int &m_counter;
};

} // namespace

DocumentController::DocumentController(AppContext &ctx, QTabWidget *tabs, QWidget *parent)
    : EditorProvider(parent), m_ctx(ctx), m_tabs(tabs) {
    m_tabs->setTabBarAutoHide(true); // the tab row shows only with two or more documents
    m_tabs->setDocumentMode(true);
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setElideMode(Qt::ElideNone);
    connect(m_tabs, &QTabWidget::currentChanged, this, &DocumentController::onCurrentTabChanged);
}

DocumentController::~DocumentController() = default;

void DocumentController::setPanelFolder(const QString &folder) {
    if (folder.isEmpty() || folder == m_panelFolder)
        return;
    m_panelFolder = folder;
    Q_EMIT panelFolderChanged(folder);
}

QString DocumentController::untitledName() const {
    QString folder = m_panelFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + UntitledName;
}

// ---------------------------------------------------------------------------------------------
// Editors

SourceEditor *DocumentController::createEditor() {
    auto *editor = new SourceEditor;
    editor->setObjectName(QStringLiteral("sourceEditor"));
    editor->setFrameShape(QFrame::NoFrame);
    connectEditor(editor);
    Q_EMIT editorCreated(editor);
    return editor;
}

void DocumentController::applySettings(SourceEditor *editor) {
    const AppSettings &s = m_ctx.settings;
    const QPalette pal = editor->palette();
    editor->setWordWrap(s.wordWrap);
    editor->setEditorFont(s.fontName, s.fontSize);
    editor->setColors(resolveColor(s.tagColor, pal), resolveColor(s.textColor, pal),
                      resolveColor(s.commentColor, pal), resolveColor(s.backgroundColor, pal));
    editor->setColorCoding(s.colorCoding);
    editor->setConvertExtendedCharacters(s.convertExtendedCharacters);
}

void DocumentController::connectEditor(SourceEditor *editor) {
    applySettings(editor);
    if (m_editorMenu)
        editor->setContextMenu(m_editorMenu);

    // The document's own modified flag tells real edits (typing, commands, undo) from the
    // repaints of the colouring, which also report the text as changed; it also turns off again
    // when undo or redo bring back the text as it was last saved.
    connect(editor->document(), &QTextDocument::modificationChanged, this,
            [this, editor](bool modified) {
                if (modified)
                    onTextChanged(editor);
                else
                    onBackToSavedText(editor);
            });
    connect(editor, &SourceEditor::textChanged, this, [this, editor] {
        if (editor == currentEditor() && m_loading == 0)
            Q_EMIT caretMoved(editor->col(), editor->row());
    });
    connect(editor, &SourceEditor::caretPositionChanged, this, [this, editor](int col, int line) {
        if (editor == currentEditor())
            Q_EMIT caretMoved(col, line);
    });
    connect(editor, &SourceEditor::overwriteModeToggled, this, [this, editor](bool overwrite) {
        if (editor == currentEditor())
            Q_EMIT insertModeChanged(overwrite);
    });
    connect(editor, &SourceEditor::userInteraction, this, [this, editor] {
        if (Document *doc = documentOf(editor))
            doc->changeGuard = false;
    });
    connect(editor, &SourceEditor::rightButtonPressed, this,
            &DocumentController::editorRightButtonPressed);
}

void DocumentController::releaseEditor(SourceEditor *editor) {
    // An editor still reports changes while it is taken apart; nothing here may hear them.
    if (!editor)
        return;
    QObject::disconnect(editor, nullptr, this, nullptr);
    QObject::disconnect(editor->document(), nullptr, this, nullptr);
}

void DocumentController::releaseAllEditors() {
    for (SourceEditor *ed : editors())
        releaseEditor(ed);
}

void DocumentController::applySettingsToEditors() {
    for (SourceEditor *ed : editors())
        applySettings(ed);
}

void DocumentController::setEditorContextMenu(QMenu *menu) {
    m_editorMenu = menu;
    for (SourceEditor *ed : editors())
        ed->setContextMenu(menu);
}

QList<SourceEditor *> DocumentController::editors() const {
    QList<SourceEditor *> all;
    for (const auto &doc : m_docs)
        all.append(doc->editor());
    return all;
}

// ---------------------------------------------------------------------------------------------
// The set

int DocumentController::indexOf(const Document &doc) const {
    for (size_t i = 0; i < m_docs.size(); ++i)
        if (m_docs[i].get() == &doc)
            return int(i);
    return -1;
}

Document *DocumentController::documentOf(const SourceEditor *editor) const {
    for (const auto &doc : m_docs)
        if (doc->editor() == editor)
            return doc.get();
    return nullptr;
}

Document &DocumentController::addDocument() {
    SourceEditor *ed = createEditor();
    m_docs.push_back(std::make_unique<Document>(ed));
    Document &doc = *m_docs.back();
    doc.fileName = untitledName();
    const QSignalBlocker block(m_tabs);
    m_tabs->addTab(ed, escapeAmpersands(UntitledName));
    refreshTabCaption(doc);
    Q_EMIT documentCreated(doc);
    return doc;
}

void DocumentController::createFirstDocument(const QString &fileName) {
    m_panelFolder = folderPart(fileName);
    if (m_panelFolder.size() > 1 && m_panelFolder.endsWith(QLatin1Char('/')))
        m_panelFolder.chop(1);
    Document &doc = addDocument();
    doc.fileName = fileName;
    m_current = &doc;
    refreshTabCaption(doc);
}

void DocumentController::setCurrentIndex(int index) {
    if (index < 0 || index >= count())
        return;
    if (m_tabs->currentIndex() != index)
        m_tabs->setCurrentIndex(index); // runs onCurrentTabChanged
    else if (m_current != &document(index))
        onCurrentTabChanged(index);
}

void DocumentController::onCurrentTabChanged(int index) {
    if (index < 0 || index >= count())
        return;
    m_current = &document(index);
    Q_EMIT currentDocumentChanged(*m_current);
    Q_EMIT currentEditorChanged(m_current->editor());
}

void DocumentController::removeDocument(Document &doc) {
    const int p = indexOf(doc);
    if (p < 0 || count() < 2)
        return;
    Q_EMIT documentClosing(doc);
    const bool wasCurrent = m_current == &doc;
    SourceEditor *ed = doc.editor();
    std::unique_ptr<Document> owned = std::move(m_docs[size_t(p)]);
    {
        const QSignalBlocker block(m_tabs);
        m_docs.erase(m_docs.begin() + p);
        m_tabs->removeTab(p);
    }
    releaseEditor(ed);
    ed->deleteLater();
    if (!wasCurrent) {
        // The tab widget may have moved its current index along; it must show the current one.
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(currentIndex());
        return;
    }
    const int next = p < count() ? p : p - 1;
    {
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(next);
    }
    onCurrentTabChanged(next);
}

void DocumentController::setText(Document &doc, const QString &text, bool colorCode) {
    SourceEditor *ed = doc.editor();
    LoadingScope loading(m_loading);
    ed->beginUpdate();
    ed->setDocumentText(text);
    if (colorCode)
        ed->colorCodeLines(0, SourceEditor::LastLine);
    ed->endUpdate();
    ed->document()->setModified(false);
}

void DocumentController::refresh(Document &doc) {
    refreshTabCaption(doc);
    Q_EMIT documentRefreshed(doc);
}

void DocumentController::refreshTabCaption(const Document &doc) {
    const int index = indexOf(doc);
    if (index < 0)
        return;
    const QString caption =
        (doc.saved ? QString() : QStringLiteral("* ")) + fileNamePart(doc.fileName);
    m_tabs->setTabText(index, escapeAmpersands(caption));
    m_tabs->setTabToolTip(index, doc.fileName);
}

void DocumentController::onBackToSavedText(SourceEditor *ed) {
    if (m_loading > 0)
        return;
    Document *doc = documentOf(ed);
    if (!doc || doc->saved)
        return;
    doc->saved = true;
    refresh(*doc);
}

void DocumentController::onTextChanged(SourceEditor *ed) {
    if (m_loading > 0)
        return;
    Document *doc = documentOf(ed);
    if (!doc)
        return;
    // Any change that is not the program loading text is the user's work, whether typed or
    // inserted through a command, so it must count even before the first key press.
    doc->changeGuard = false;
    if (doc->saved) {
        doc->saved = false;
        refresh(*doc);
    }
}
