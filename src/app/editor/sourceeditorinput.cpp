// The view's keys: typing with its colours and entities, Enter, Undo and Redo, the Insert key,
// and the keys that remove a line break or a soft break, which go through the document so that
// the breaks' marks stay right in the same undo step.
#include "editor/sourceeditor.h"

#include "editor/typedcharacters.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>

bool SourceEditor::waitsForLoad(const QKeyEvent *event) const {
    // Moving about the part that is in needs no more; anything else waits for the rest.
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const int key = event->key();
    const bool modifier =
        key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta;
    const bool move = (held == Qt::NoModifier &&
                       (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
                        key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
                        key == Qt::Key_Home || key == Qt::Key_End)) ||
                      (held == Qt::ControlModifier &&
                       (key == Qt::Key_Home || key == Qt::Key_Left || key == Qt::Key_Right));
    return !move && !modifier;
}

bool SourceEditor::typeCharacter(QChar typed) {
    const QTextCursor cursor = textCursor();
    const QTextBlock block = document()->findBlock(cursor.selectionStart());
    const int column = cursor.selectionStart() - block.position();
    const TypingStyle decided = typingStyle(block.text(), column, typed);
    const int start = m_doc->softBreaks().toText(cursor.selectionStart());
    if (decided.opensComment)
        m_doc->setStyles(start - 3, 3, CharStyle::Comment);
    if (decided.style)
        m_doc->setInsertionStyle(decided.style);
    if (!m_convertExtended)
        return false;
    const QString entity = entityForCharacter(typed);
    if (entity.isEmpty())
        return false;
    // The entity goes in as one change, so one undo takes it out again.
    int length = m_doc->softBreaks().toText(cursor.selectionEnd()) - start;
    if (length == 0 && overwriteMode() && !cursor.atBlockEnd())
        length = 1;
    const QString inserted = entity + QLatin1Char(';');
    m_doc->beginEditGroup();
    m_doc->replaceRange(start, length, inserted);
    m_doc->endEditGroup();
    m_doc->setInsertionStyle(std::nullopt);
    setSelection(start + int(inserted.size()), 0);
    return true;
}

void SourceEditor::keyPressEvent(QKeyEvent *event) {
    if (m_doc->isLoading() && waitsForLoad(event))
        m_doc->finishLoading();
    m_doc->settleBreakMarks();
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_Insert && held == Qt::NoModifier) {
        setOverwriteMode(!overwriteMode());
        Q_EMIT overwriteModeToggled(overwriteMode());
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Undo)) {
        undo();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        redo();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       !(held & (Qt::ControlModifier | Qt::AltModifier));
    if (enter && (held & Qt::ShiftModifier)) {
        // The widget would put in a Unicode line separator, which is no line break in a page.
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), ushort(event->count()));
        keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    const bool marks = m_doc->hasBreakMarks();
    if (!isReadOnly() && marks && editAcrossBlocks(event)) {
        event->accept();
        return;
    }
    if (!isReadOnly() && enter) {
        // A line break is coloured like any typed character (text after a ">").
        typeCharacter(u'\n');
        if (marks) {
            // The widget's own line break would take the format of the block it splits, mark
            // and all (and in an empty block with a format of its own, only clear the format).
            replaceSelection(QStringLiteral("\n"));
            m_doc->setInsertionStyle(std::nullopt);
            ensureCursorVisible();
            event->accept();
            return;
        }
    } else if (!isReadOnly() && typed.size() == 1 &&
               (typed.at(0).isPrint() || typed.at(0) == u'\t') && typeCharacter(typed.at(0))) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    m_doc->setInsertionStyle(std::nullopt);
    m_doc->settleBreakMarks();
}

bool SourceEditor::spansBlocks(int from, int to) const {
    const QTextBlock block = document()->findBlock(from);
    return block.position() + block.length() - 1 < to;
}

bool SourceEditor::editAcrossBlocks(QKeyEvent *event) {
    // Removing a line break or a soft break through the widget joins two blocks, and the joined
    // block may keep the wrong one's mark; such keys change the text through the document
    // instead, which keeps the marks right in the same undo step. Backspace at the start of a
    // piece and Delete at its end take out the character beyond the soft break, as in the one
    // line the pieces are.
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool wordBack = event->matches(QKeySequence::DeleteStartOfWord);
    const bool wordForward = event->matches(QKeySequence::DeleteEndOfWord);
    const bool back =
        wordBack || (event->key() == Qt::Key_Backspace && !(held & ~Qt::ShiftModifier));
    const bool forward = wordForward || (event->key() == Qt::Key_Delete && held == Qt::NoModifier);
    const QString typed = event->text();
    const bool typing = typed.size() == 1 && (typed.at(0).isPrint() || typed.at(0) == u'\t') &&
                        !(held & (Qt::ControlModifier | Qt::AltModifier));
    const QTextCursor c = textCursor();
    QTextCursor range = c;
    QString insert;
    if (event->matches(QKeySequence::Cut)) {
        if (!spansBlocks(c.selectionStart(), c.selectionEnd()))
            return false;
        copy();
    } else if (c.hasSelection()) {
        if (typing) {
            const QString entity = m_convertExtended ? entityForCharacter(typed.at(0)) : QString();
            insert = entity.isEmpty() ? typed : entity + QLatin1Char(';');
        } else if (!back && !forward) {
            return false;
        }
    } else if (back || forward) {
        range.movePosition(wordBack      ? QTextCursor::PreviousWord
                           : wordForward ? QTextCursor::NextWord
                           : back        ? QTextCursor::PreviousCharacter
                                         : QTextCursor::NextCharacter,
                           QTextCursor::KeepAnchor);
    } else {
        return false;
    }
    if (!range.hasSelection() || !spansBlocks(range.selectionStart(), range.selectionEnd()))
        return false;
    const SoftBreaks &soft = m_doc->softBreaks();
    int from = soft.toText(range.selectionStart());
    int to = soft.toText(range.selectionEnd());
    if (from == to && !c.hasSelection()) {
        // Only a soft break in between: the character beyond it goes, both halves of a
        // surrogate pair together.
        const QString around = m_doc->textRange(from - 2, 4);
        const int at = qMin(from, 2);
        if (back && from > 0) {
            from -= (at == 2 && around.at(1).isLowSurrogate() && around.at(0).isHighSurrogate())
                        ? 2
                        : 1;
        } else if (!back && to < m_doc->textLength()) {
            to += (around.size() > at + 1 && around.at(at).isHighSurrogate() &&
                   around.at(at + 1).isLowSurrogate())
                      ? 2
                      : 1;
        }
    }
    const int line = m_doc->lineFromPosition(from);
    m_doc->replaceRange(from, to - from, insert);
    setSelection(from + int(insert.size()), 0);
    if (m_doc->colorCoding())
        m_doc->colorCodeLines(line, m_doc->lineFromPosition(from + int(insert.size())));
    ensureCursorVisible();
    return true;
}
