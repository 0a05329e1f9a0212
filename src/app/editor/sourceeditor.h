// The editor of one open document: a plain-text editor whose characters carry a style (text, tag,
// comment) kept beside the document, painted by a highlighter, never part of the undo history.
// All positions are character indices into text(), lines separated by one "\n".
#pragma once

#include "editor/colorcoding.h"
#include "editor/softbreaks.h"
#include "editor/stylebuffer.h"
#include "editor/textcommands.h"

#include <QPlainTextEdit>
#include <QElapsedTimer>
#include <QPointer>
#include <QTextCursor>
#include <QTimer>
#include <optional>

class ColorCodingNotice;
class QMenu;
class StyleHighlighter;

class SourceEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    // Passed to setRow / setCol (and as the last line of colorCodeLines) for "the last line" and
    // "the end of the line"; the setters clamp, and this value or more always means the end, also
    // in documents of more lines or lines of more characters.
    static constexpr int LastLine = 300000;
    static constexpr int EndOfLine = 300000;
    // Colouring more lines than this shows the notice.
    static constexpr int LongRangeLines = 80;
    // A line longer than this is shown in pieces of at most PieceCharacters, one under the other,
    // so that drawing it and typing into it lay out one piece and not the whole line; the text
    // and the file keep it as one line.
    static constexpr int LongLineCharacters = 5000;
    static constexpr int PieceCharacters = 200;
    // A page of more characters than this opens with its first part in view; the rest follows in
    // the background a slice at a time. Whatever needs the whole text (a command, an edit, a
    // save) waits for the rest first. Below this a page loads in one go in about a tenth of a
    // second (a 10 MB page took 0.3 s), so the first keystroke never waits for a load.
    static constexpr int BackgroundLoadingCharacters = 4 * 1024 * 1024;

    explicit SourceEditor(QWidget *parent = nullptr);
    ~SourceEditor() override;

    QString text() const;
    int textLength() const;
    // True while the text is still loading in the background.
    bool isLoading() const { return m_load.active; }
    // Loads the rest of the text at once.
    void finishLoading();
    // Replaces the whole text as a fresh load: clears the undo history, caret to the start, every
    // character in the text style (the caller colours when colour coding is on).
    void setDocumentText(const QString &text);
    // Characters [start, start + length) of text().
    QString textRange(int start, int length) const;

    int selectionStart() const;
    int selectionLength() const;
    void setSelection(int start, int length);
    QString selectedText() const;
    // One undo step each; the caret ends behind the inserted text. Styles of the characters
    // around are kept, inserted ones take the style of the first replaced character (or of the
    // one before when nothing is replaced).
    void replaceSelection(const QString &text);
    void replaceRange(int start, int length, const QString &text);
    // Applies edits (sorted, in positions of the current text) as one change and one undo step;
    // characters between the edits keep their styles.
    void applyEdits(const TextEdits &edits);

    int find(const QString &needle, int from, int to) const;

    int lineFromPosition(int pos) const;
    int lineStart(int line) const; // line is clamped to the document
    int lineLength(int line) const;
    int lineCount() const;
    QString lineText(int line) const;

    int topLine() const;
    void setTopLine(int line);
    // Scrolls so that the row holding `position` stands `rowsAbove` rows below the top: with
    // word wrap, the row inside its line, not the line's first row.
    void scrollToPosition(int position, int rowsAbove);
    int row() const;
    void setRow(int line);
    int col() const;
    void setCol(int column);

    // Nestable; the editor is redrawn once when the outermost bracket ends.
    void beginUpdate();
    void endUpdate();
    // Nestable; every change inside is one undo step. Inside, change the text only through this
    // class's methods: colouring asked for meanwhile runs when the outermost group ends.
    void beginEditGroup();
    void endEditGroup();

    bool isOverwriteMode() const { return overwriteMode(); }
    void setOverwriteMode(bool overwrite) { QPlainTextEdit::setOverwriteMode(overwrite); }
    void setWordWrap(bool wrap);
    void setEditorFont(const QString &family, int pointSize);
    void setColors(const QColor &tag, const QColor &text, const QColor &comment,
                   const QColor &background);
    void setColorCoding(bool on) { m_colorCoding = on; }
    bool colorCoding() const { return m_colorCoding; }
    // Typed accented characters become their named entity ("é" gives "&eacute;").
    void setConvertExtendedCharacters(bool on) { m_convertExtended = on; }
    bool convertExtendedCharacters() const { return m_convertExtended; }

    CharStyle styleAt(int pos) const;
    // Recolours whole lines firstLine..lastLine (clamped; LastLine for the end). With colour
    // coding off the whole text turns to the text style. Selection, caret and the first visible
    // line stay; ranges longer than LongRangeLines show the notice meanwhile.
    void colorCodeLines(int firstLine, int lastLine);
    // The whole document without a selection, else the lines the selection touches.
    void redoColorCoding();
    // Ranges of more characters than this are coloured in the background, a slice at a time,
    // while the editor stays usable; whatever is about to be painted is coloured first.
    static constexpr int BackgroundColoringCharacters = 256 * 1024;
    // True while such a colouring still runs.
    bool isColoringInBackground() const { return m_pass.active; }
    // Completes a background colouring at once.
    void finishColoring();
    // Bytes held for the characters' styles.
    qint64 styleMemory() const { return m_styles.capacity(); }

    // Shown on a context-menu request instead of the standard menu.
    void setContextMenu(QMenu *menu);
    // Other limits for the long lines of the next setDocumentText; longLine 0 never cuts.
    void setLongLineLimits(int longLine, int piece);
    // Another size from which setDocumentText loads in the background, and of the first part.
    void setBackgroundLoading(int characters, int firstPart);
    // Soft breaks the document holds, the pieces of long lines being one block each.
    int pieceBreaks() const { return m_soft.count(); }
    // Their document positions, to read the document's own change reports as text positions.
    const SoftBreaks &softBreaks() const { return m_soft; }
    // True when every block's mark tells rightly whether a soft break comes before it (a check
    // for tests).
    bool breakMarksConsistent() const;

public Q_SLOTS:
    // Undo and redo recolour the lines they touched (when colour coding is on), as the styles of
    // restored text are not part of the history.
    void undo();
    void redo();
    void cut();
    void selectAll();

Q_SIGNALS:
    void caretPositionChanged(int column, int line);
    void overwriteModeToggled(bool overwrite);
    // Before a key press or mouse press is handled.
    void userInteraction();
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
    void onContentsChange(int position, int removed, int added);
    // Styles, background pass and undo range follow a change of text positions.
    void followTextChange(int position, int removed, int added);
    int docLength() const;
    // The text's length, lines and characters as far as loaded: for painting and the caret,
    // which never wait for the rest.
    int loadedLength() const;
    int lineAt(int pos) const;
    int lineBegin(int line) const;
    QString loadedRange(int start, int length) const;
    void ensureLoaded() const {
        if (Q_UNLIKELY(m_load.active))
            const_cast<SourceEditor *>(this)->finishLoading();
    }
    void loadSlice(int budgetMs);
    // Inserts document text at the cursor (at document position `at`, the end), the blocks after
    // the soft breaks [soft, softEnd) marked and no others.
    void insertMarked(QTextCursor &c, QStringView part, int at, const int *soft,
                      const int *softEnd);
    // Colours the text a part of a load brought in, when the colouring has caught up with it.
    void colorLoadedText(int loadedBefore);
    // The text position behind the last line the editor shows.
    int shownEnd() const;
    void scheduleLoadSlice();
    int firstBlockOfLine(int line) const;
    // Soft breaks that undo or redo brought back in the document positions [from, from + count).
    int adoptMarkedBreaks(int from, int count);
    // Sets the mark of the blocks starting in [from, to + 1] to what the breaks before them are.
    void markBreaks(QTextCursor &cursor, int from, int to);
    // Marks the blocks that a change made outside this class touched, as part of its undo step.
    void settleBreakMarks();
    bool spansBlocks(int from, int to) const;
    bool editAcrossBlocks(QKeyEvent *event);
    CharStyle insertionStyle(int position, int replaced) const;
    void replaceStyled(int start, int length, const QString &text, const CharStyle *styles);
    // A cursor to open (or join) an undo step with; every undo step of this class opens with it.
    QTextCursor stepCursor() const;
    void sealUndoStep(QTextCursor &c);
    void paintVisibleBlocks(const QRegion &painting);
    void undoRedo(bool undo);
    void emitCaretPosition();
    void startColorPass(int start, int end);
    // Runs the background pass until it has passed `pos` (and closed what it found open before
    // `pos`), or for about `budgetMs` when pos is -1.
    void runColorPass(int pos, int budgetMs);
    void scheduleColorPass();
    bool passWaitsForLoad() const;
    bool typeCharacter(QChar typed);

    StyleBuffer m_styles;
    SoftBreaks m_soft;
    // The document holds (or held, and its history may bring back) soft breaks; their blocks
    // carry a format mark, which the document's own undo restores with them.
    bool m_breakMarks = false;
    bool m_selfEdit = false; // a change made by this class, which keeps everything in step itself
    int m_markFrom = -1;     // blocks a change from outside touched, to be marked
    int m_markTo = -1;
    int m_longLine = LongLineCharacters;
    int m_piece = PieceCharacters;
    int m_backgroundLoading = BackgroundLoadingCharacters;
    int m_firstPart = 256 * 1024;
    StyleHighlighter *m_highlighter = nullptr;
    QPointer<ColorCodingNotice> m_notice;
    // Reports a caret that code moved (a dialog's insertion, Go to line) once control returns
    // to the event loop, so a bulk edit reports once and not at every step.
    QTimer m_caretReport;
    QPointer<QMenu> m_contextMenu;

    mutable QString m_textCache;
    mutable bool m_textCacheValid = false;

    std::optional<CharStyle> m_insertStyle; // style of the next inserted characters
    bool m_colorCoding = true;
    bool m_convertExtended = true;

    int m_updateDepth = 0;
    int m_editGroupDepth = 0;
    QTextCursor m_groupCursor;
    bool m_groupEnding = false;
    int m_groupSealAt = -1;   // behind the group's last insertion
    int m_deferredFirst = -1; // colouring asked for inside an edit group
    int m_deferredLast = -1;

    // The colouring that runs in the background: it has coloured [start, next) of [start, end).
    struct ColorPass {
        bool active = false;
        bool scheduled = false;
        bool followsLoad = false; // its end moves on with the text still loading
        int next = 0;
        int end = 0;
        ColorPassState state;
    } m_pass;

    // The text still to load: the document holds `rest` up to `at` (whole lines).
    struct Loading {
        bool active = false;
        bool scheduled = false;
        QString rest;
        qsizetype at = 0;
        std::vector<int> breaks; // soft breaks of the rest, in document positions
        size_t nextBreak = 0;
        QElapsedTimer shown; // since the widget last followed the document's size
        int blocks = 0; // of the whole page
        bool wholeRange = false; // the scroll bar is being set to the whole page
    } m_load;

    bool m_trackingUndo = false;
    int m_undoFrom = -1;
    int m_undoTo = -1;
};
