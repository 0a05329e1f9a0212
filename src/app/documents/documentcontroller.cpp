#include "documents/documentcontroller.h"

#include "editor/sourceeditor.h"
#include "shell/appcontext.h"
#include "shell/colortext.h"
#include "text/plaintext.h"

#include <QFileInfo>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>

DocumentController::DocumentController(AppContext &ctx, QTabWidget *tabs, QWidget *parent)
    : DocumentAccess(parent), m_ctx(ctx), m_tabs(tabs) {
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

void DocumentController::applySettings(SourceEditor *editor) {
    const AppSettings &s = m_ctx.settings;
    const QPalette pal = editor->palette();
    editor->setWordWrap(s.wordWrap);
    editor->setEditorFont(s.fontName, s.fontSize);
    editor->setColors(resolveColor(s.tagColor, pal), resolveColor(s.textColor, pal),
                      resolveColor(s.commentColor, pal), resolveColor(s.backgroundColor, pal));
    editor->sourceDocument().setColorCoding(s.colorCoding);
    editor->setConvertExtendedCharacters(s.convertExtendedCharacters);
}

void DocumentController::connectDocument(SourceDocument &doc) {
    SourceEditor *editor = doc.activeView();
    applySettings(editor);
    if (m_editorMenu)
        editor->setContextMenu(m_editorMenu);
    connect(&doc, &SourceDocument::fileStateChanged, this, [this, &doc] {
        refreshTabCaption(doc);
        Q_EMIT fileStateChanged(doc);
    });
    connect(&doc, &SourceDocument::textChanged, this, [this, &doc] {
        if (&doc == m_current)
            Q_EMIT caretMoved(doc.activeView()->col(), doc.activeView()->row());
    });
    connect(editor, &SourceEditor::caretPositionChanged, this, [this, &doc](int col, int line) {
        if (&doc == m_current)
            Q_EMIT caretMoved(col, line);
    });
    connect(editor, &SourceEditor::overwriteModeToggled, this, [this, &doc](bool overwrite) {
        if (&doc == m_current)
            Q_EMIT insertModeChanged(overwrite);
    });
    connect(editor, &SourceEditor::rightButtonPressed, this,
            &DocumentController::editorRightButtonPressed);
}

void DocumentController::release(SourceDocument &doc) {
    // A document still reports changes while it is taken apart; nothing here may hear them.
    QObject::disconnect(&doc, nullptr, this, nullptr);
    if (SourceEditor *editor = doc.activeView())
        QObject::disconnect(editor, nullptr, this, nullptr);
}

void DocumentController::releaseAllEditors() {
    for (const auto &doc : m_docs)
        release(*doc);
}

void DocumentController::applySettingsToEditors() {
    for (const auto &doc : m_docs)
        applySettings(doc->activeView());
}

void DocumentController::setEditorContextMenu(QMenu *menu) {
    m_editorMenu = menu;
    for (const auto &doc : m_docs)
        doc->activeView()->setContextMenu(menu);
}

QList<SourceDocument *> DocumentController::documents() const {
    QList<SourceDocument *> all;
    for (const auto &doc : m_docs)
        all.append(doc.get());
    return all;
}

// ---------------------------------------------------------------------------------------------
// The set

int DocumentController::indexOf(const SourceDocument &doc) const {
    for (size_t i = 0; i < m_docs.size(); ++i)
        if (m_docs[i].get() == &doc)
            return int(i);
    return -1;
}

SourceDocument &DocumentController::addDocument() {
    m_docs.push_back(std::make_unique<SourceDocument>());
    SourceDocument &doc = *m_docs.back();
    auto *editor = new SourceEditor(doc);
    editor->setFrameShape(QFrame::NoFrame);
    doc.setFileName(untitledName());
    connectDocument(doc);
    Q_EMIT documentOpened(doc);
    const QSignalBlocker block(m_tabs);
    m_tabs->addTab(editor, escapeAmpersands(UntitledName));
    refreshTabCaption(doc);
    return doc;
}

void DocumentController::createFirstDocument(const QString &fileName) {
    m_panelFolder = folderPart(fileName);
    if (m_panelFolder.size() > 1 && m_panelFolder.endsWith(QLatin1Char('/')))
        m_panelFolder.chop(1);
    SourceDocument &doc = addDocument();
    doc.setFileName(fileName);
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
}

void DocumentController::removeDocument(SourceDocument &doc) {
    const int p = indexOf(doc);
    if (p < 0 || count() < 2)
        return;
    Q_EMIT documentClosing(doc);
    const bool wasCurrent = m_current == &doc;
    std::unique_ptr<SourceDocument> owned = std::move(m_docs[size_t(p)]);
    {
        const QSignalBlocker block(m_tabs);
        m_docs.erase(m_docs.begin() + p);
        m_tabs->removeTab(p);
    }
    release(doc);
    // Closing may start from the document's own view (a key, a menu on it): it goes, with its
    // view, once control is back in the event loop.
    owned.release()->deleteLater();
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

void DocumentController::refreshTabCaption(const SourceDocument &doc) {
    const int index = indexOf(doc);
    if (index < 0)
        return;
    const QString caption =
        (doc.isModified() ? QStringLiteral("* ") : QString()) + fileNamePart(doc.fileName());
    m_tabs->setTabText(index, escapeAmpersands(caption));
    m_tabs->setTabToolTip(index, doc.fileName());
}
