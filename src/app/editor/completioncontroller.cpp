#include "editor/completioncontroller.h"

#include "completion/completionitems.h"
#include "completion/openelements.h"
#include "editor/completionpopup.h"
#include "editor/documentaccess.h"
#include "editor/sourceeditor.h"
#include "shell/appsettings.h"
#include "wizards/htmlcolors.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace {

constexpr Qt::KeyboardModifiers CommandModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// The typed character opens the list: the one that starts a name or value to complete, or the
// first letter of a tag or attribute name.
bool opensList(const CompletionContext &c, QChar typed) {
    const bool firstLetter = c.prefix.size() == 1 && c.prefix.at(0) == typed;
    switch (c.kind) {
    case CompletionKind::TagName:
        return firstLetter;
    case CompletionKind::AttributeName:
        return (c.prefix.isEmpty() && typed == u' ') || firstLetter;
    case CompletionKind::AttributeValue:
        return c.prefix.isEmpty() && typed == u'"';
    case CompletionKind::CloseTag:
        return c.prefix.isEmpty() && typed == u'/';
    case CompletionKind::Entity:
        return c.prefix.isEmpty() && typed == u'&';
    case CompletionKind::None:
        break;
    }
    return false;
}

} // namespace

CompletionController::CompletionController(SourceEditor *editor, const AppSettings &settings)
    : QObject(editor), m_editor(editor), m_settings(settings),
      m_popup(new CompletionPopup(editor)) {
    setObjectName(QStringLiteral("completion"));
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
    connect(m_popup, &CompletionPopup::itemChosen, this, &CompletionController::accept);
    // The caret moved or the text changed by other means than typing: the list no longer fits.
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!m_forwarding && !m_inserting)
            hideList();
    });
    for (QScrollBar *bar : {editor->verticalScrollBar(), editor->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            if (isListShown())
                place();
        });
}

void CompletionController::attachToEditors(DocumentAccess &documents, const AppSettings &settings) {
    for (SourceDocument *doc : documents.documents())
        new CompletionController(doc->activeView(), settings);
    connect(&documents, &DocumentAccess::documentOpened, &documents, [&settings](SourceDocument &doc) {
        new CompletionController(doc.activeView(), settings);
    });
}

bool CompletionController::isListShown() const { return m_popup->isVisible(); }

bool CompletionController::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_editor) {
        if (event->type() == QEvent::MouseButtonPress)
            hideList();
        return false;
    }
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The list's keys are the list's while it shows, before any shortcut of the window.
        auto *key = static_cast<QKeyEvent *>(event);
        if (isListShown() && isListKey(key)) {
            event->accept();
            return true;
        }
        return false;
    }
    case QEvent::KeyPress:
        break;
    case QEvent::FocusOut:
    case QEvent::Hide:
    case QEvent::InputMethod: // composed text: the list would not follow it
        hideList();
        return false;
    default:
        return false;
    }
    if (m_forwarding)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (isListShown() && isListKey(key)) {
        listKey(key);
        return true;
    }
    const QString text = key->text();
    const bool command = key->modifiers() & CommandModifiers;
    const bool typing = !command && text.size() == 1 && text.at(0).isPrint();
    const bool erasing = !command && isListShown() &&
                         (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete);
    if (!m_settings.completeWhileTyping || m_editor->isReadOnly() || !(typing || erasing)) {
        const int k = key->key();
        const bool modifierOnly = k == Qt::Key_Shift || k == Qt::Key_Control ||
                                  k == Qt::Key_Alt || k == Qt::Key_Meta || k == Qt::Key_AltGr;
        if (!modifierOnly)
            hideList();
        return false;
    }
    // The editor handles the key as always; then the list follows what it did.
    {
        QScopedValueRollback<bool> forwarding(m_forwarding, true);
        QCoreApplication::sendEvent(m_editor, event);
    }
    refresh(typing ? text.at(0) : QChar());
    return true;
}

bool CompletionController::isListKey(const QKeyEvent *key) const {
    if (key->modifiers() & (CommandModifiers | Qt::ShiftModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

void CompletionController::listKey(const QKeyEvent *key) {
    switch (key->key()) {
    case Qt::Key_Escape:
        hideList();
        break;
    case Qt::Key_Up:
        m_popup->moveSelection(-1);
        break;
    case Qt::Key_Down:
        m_popup->moveSelection(1);
        break;
    case Qt::Key_PageUp:
        m_popup->moveSelection(-(CompletionPopup::VisibleRows - 1));
        break;
    case Qt::Key_PageDown:
        m_popup->moveSelection(CompletionPopup::VisibleRows - 1);
        break;
    default:
        accept();
        break;
    }
}

void CompletionController::refresh(QChar typed) {
    int caret = 0;
    const CompletionContext context = contextAtCaret(&caret);
    const int anchor = caret - int(context.prefix.size());
    const bool follows = isListShown() && context.kind == m_context.kind && anchor == m_anchor;
    if (!follows) {
        hideList();
        if (typed.isNull() || !opensList(context, typed))
            return;
    }
    if (context.kind == CompletionKind::TagName && context.prefix.isEmpty()) {
        hideList();
        return;
    }
    CompletionSources sources;
    if (context.kind == CompletionKind::AttributeValue)
        sources.colors = htmlColorList(m_settings);
    else if (context.kind == CompletionKind::CloseTag)
        sources.openElements = openElementsAt(anchor - 2);
    const QVector<CompletionItem> items = completionItems(context, sources);
    if (items.isEmpty()) {
        hideList();
        return;
    }
    m_context = context;
    m_anchor = anchor;
    m_popup->setItems(items);
    place();
    m_popup->show();
    m_popup->raise();
}

QStringList CompletionController::openElementsAt(int position) {
    // The text before a "</" stays as it is while its name is typed.
    if (position != m_closeAnchor) {
        // A long way back is read from the whole text, which the editor then keeps until the
        // next change, rather than line by line.
        constexpr int LongRead = 256 * 1024;
        m_openElements = elementsToClose(
            [this](int start, int length) {
                if (length >= LongRead)
                    m_editor->sourceDocument().text();
                return m_editor->sourceDocument().textRange(start, length);
            },
            position);
        m_closeAnchor = position;
    }
    return m_openElements;
}

void CompletionController::accept() {
    if (!isListShown())
        return;
    const CompletionEdit edit = completionEdit(m_context, m_popup->currentCompletion());
    const int caret = m_editor->selectionStart();
    const int start = caret + edit.from;
    {
        QScopedValueRollback<bool> inserting(m_inserting, true);
        m_editor->sourceDocument().replaceRange(start, edit.length, edit.text);
        m_editor->setSelection(start + edit.caret, 0);
    }
    const CompletionKind kind = m_context.kind;
    hideList();
    m_editor->ensureCursorVisible();
    // An attribute with a choice of values goes on with its values.
    if (kind == CompletionKind::AttributeName)
        refresh(u'"');
}

void CompletionController::hideList() {
    if (m_popup->isVisible())
        m_popup->hide();
    m_context = CompletionContext();
    m_anchor = -1;
    m_closeAnchor = -1;
}

void CompletionController::place() {
    // Under the line of the caret, where the completed text starts; above it when there is no
    // room below.
    const QRect caret = m_editor->cursorRect();
    // An entity's list stands under its "&", as its items start with one.
    const int start = m_anchor - (m_context.kind == CompletionKind::Entity ? 1 : 0);
    const QString typed = m_editor->sourceDocument().textRange(start, m_editor->selectionStart() - start);
    const int left = caret.left() - m_editor->fontMetrics().horizontalAdvance(typed);
    QPoint at = m_editor->viewport()->mapTo(m_editor, QPoint(left, caret.bottom() + 2));
    if (at.y() + m_popup->height() > m_editor->height())
        at.setY(m_editor->viewport()->mapTo(m_editor, caret.topLeft()).y() - m_popup->height() - 2);
    at.setX(qBound(0, at.x(), qMax(0, m_editor->width() - m_popup->width())));
    at.setY(qMax(0, at.y()));
    m_popup->move(at);
}

CompletionContext CompletionController::contextAtCaret(int *caret) const {
    *caret = m_editor->selectionStart();
    if (m_editor->selectionLength() > 0)
        return {};
    const int from = qMax(0, *caret - CompletionLookBehind);
    const QString before = m_editor->sourceDocument().textRange(from, *caret - from);
    const QString after = m_editor->sourceDocument().textRange(*caret, CompletionLookAhead);
    const bool inComment = from > 0 && m_editor->sourceDocument().styleAt(from) == CharStyle::Comment;
    return completionContextAt(before, after, inComment);
}
