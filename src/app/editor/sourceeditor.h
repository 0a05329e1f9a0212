// A view of one SourceDocument: a plain-text editor widget that paints the document's text in its
// styles, keeps the caret and the selection, scrolls, and hands the user's edits to the document.
// Positions are character indices into the document's text().
#pragma once

#include "editor/sourcedocument.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

class ColorCodingNotice;
class QMenu;

class SourceEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int LastLine = SourceDocument::LastLine;
    static constexpr int EndOfLine = SourceDocument::EndOfLine;

    // A view of `document`, which outlives it (a document deletes its view when it goes).
    explicit SourceEditor(SourceDocument &document, QWidget *parent = nullptr);
    // A view with a document of its own.
    explicit SourceEditor(QWidget *parent = nullptr);
    ~SourceEditor() override;

    SourceDocument &sourceDocument() const { return *m_doc; }

    // The caret and the selection.
    int selectionStart() const;
    int selectionLength() const;
    void setSelection(int start, int length);
    QString selectedText() const;
    // Replaces the selection in the document (one undo step); the caret ends behind the text.
    void replaceSelection(const QString &text);
    int row() const;
    void setRow(int line); // clamped; LastLine for the last line
    int col() const;
    void setCol(int column); // clamped; EndOfLine for the end of the line

    int topLine() const;
    void setTopLine(int line);
    // Scrolls so that the row holding `position` stands `rowsAbove` rows below the top: with
    // word wrap, the row inside its line, not the line's first row.
    void scrollToPosition(int position, int rowsAbove);

    // Nestable; the view is redrawn once when the outermost bracket ends.
    void beginUpdate();
    void endUpdate();
    // Colour coding again: the whole document without a selection, else the lines the selection
    // touches.
    void redoColorCoding();

    bool isOverwriteMode() const { return overwriteMode(); }
    void setOverwriteMode(bool overwrite) { QPlainTextEdit::setOverwriteMode(overwrite); }
    void setWordWrap(bool wrap);
    void setEditorFont(const QString &family, int pointSize);
    void setColors(const QColor &tag, const QColor &text, const QColor &comment,
                   const QColor &background);
    // Typed accented characters become their named entity ("é" gives "&eacute;").
    void setConvertExtendedCharacters(bool on) { m_convertExtended = on; }
    // Shown on a context-menu request instead of the standard menu.
    void setContextMenu(QMenu *menu);

public Q_SLOTS:
    // Undo and redo through the document; the caret goes where the step happened.
    void undo();
    void redo();
    void cut();
    void selectAll();

Q_SIGNALS:
    void caretPositionChanged(int column, int line);
    void overwriteModeToggled(bool overwrite);
    void rightButtonPressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void attach();
    // The document's text was replaced: caret and scrolling back to the start.
    void followTextReplaced();
    void followPartLoaded(int blocksBefore);
    void followStylesChanged(int from, int to);
    void showColoringNotice(bool running);
    // The text position behind the last line the view shows.
    int shownEnd() const;
    void paintVisibleBlocks(const QRegion &painting);
    void historyStep(bool undo);
    void emitCaretPosition();
    // Keys that the document must carry out itself (sourceeditorinput.cpp).
    bool typeCharacter(QChar typed);
    bool spansBlocks(int from, int to) const;
    bool editAcrossBlocks(QKeyEvent *event);
    bool waitsForLoad(const QKeyEvent *event) const;

    SourceDocument *m_doc;
    QPointer<ColorCodingNotice> m_notice;
    // Reports a caret that code moved (a dialog's insertion, Go to line) once control returns
    // to the event loop, so a bulk edit reports once and not at every step.
    QTimer m_caretReport;
    QPointer<QMenu> m_contextMenu;
    bool m_convertExtended = true;
    int m_updateDepth = 0;
    bool m_settingWholeRange = false; // the scroll bar is being set to the whole page
};
