// One open page: its text (a QTextDocument with the undo history), the style of every character,
// the soft breaks of long lines, the background loading and colouring, the edit groups and the
// file state. Views (SourceEditor) show it and forward the user's edits; commands change it through
// its methods, and whoever follows it listens to its signals. Positions are character indices
// into text(), lines separated by one "\n".
#pragma once

#include "documents/documentfile.h"
#include "documents/documentstate.h"
#include "documents/textcodec.h"
#include "editor/colorcoding.h"
#include "editor/softbreaks.h"
#include "editor/stylebuffer.h"
#include "editor/textcommands.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTextCursor>
#include <optional>
#include <vector>

class QTextBlock;
class QTextBlockFormat;
class QTextDocument;
class SourceEditor;
class StyleHighlighter;

class SourceDocument : public QObject {
    Q_OBJECT
public:
    // Passed to colorCodeLines (and to a view's setRow / setCol) for "the last line" and "the end
    // of the line"; this value or more always means the end, in documents of any size.
    static constexpr int LastLine = 300000;
    static constexpr int EndOfLine = 300000;
    // Colouring more lines than this at once shows a notice (longColoring).
    static constexpr int LongRangeLines = 80;
    // A line longer than this is held in pieces of at most PieceCharacters, one block each, so
    // that drawing it and typing into it lay out one piece and not the whole line; the text and
    // the file keep it as one line.
    static constexpr int LongLineCharacters = 5000;
    static constexpr int PieceCharacters = 200;
    // A page of more characters than this comes in with its first part; the rest follows in the
    // background a slice at a time. Whatever needs the whole text (a command, an edit, a save)
    // waits for the rest first. Below this a page loads in one go in about a tenth of a second.
    static constexpr int BackgroundLoadingCharacters = 4 * 1024 * 1024;
    // Ranges of more characters than this are coloured in the background, a slice at a time;
    // whatever a view is about to paint is coloured first (colorUpTo).
    static constexpr int BackgroundColoringCharacters = 256 * 1024;

    explicit SourceDocument(QObject *parent = nullptr);
    ~SourceDocument() override;

    // ---- text --------------------------------------------------------------------------------
    QString text() const;
    int textLength() const;
    // Characters [start, start + length) of text().
    QString textRange(int start, int length) const;
    // Replaces the whole text as the program's own load: clears the undo history, leaves the
    // document unmodified, every character in the text style, or coloured when asked to.
    void setText(const QString &text, bool colorCode = false);
    // True while the text is still loading in the background; finishLoading loads the rest now.
    bool isLoading() const { return m_load.active; }
    void finishLoading();
    // One undo step each (or part of the open edit group). Styles of the characters around are
    // kept; inserted ones take the style of the first replaced character (or of the one before
    // when nothing is replaced).
    void replaceRange(int start, int length, const QString &text);
    // Applies edits (sorted, in positions of the current text) as one change and one undo step;
    // characters between the edits keep their styles.
    void applyEdits(const TextEdits &edits);
    // Case-insensitive substring search in [from, to).
    int find(const QString &needle, int from, int to) const;

    int lineFromPosition(int pos) const;
    int lineStart(int line) const; // line is clamped to the document
    int lineLength(int line) const;
    int lineCount() const;
    QString lineText(int line) const;

    // ---- edit groups and history ---------------------------------------------------------------
    // Nestable; every change inside is one undo step. Colouring asked for meanwhile runs when the
    // outermost group ends.
    void beginEditGroup();
    void endEditGroup();
    // Undo and redo recolour the lines they touched (the styles of restored text are not part of
    // the history). The caret, when given, goes where the step happened.
    void undo(QTextCursor *caret = nullptr);
    void redo(QTextCursor *caret = nullptr);
    // Marks the blocks that a change made by a view's own editing touched, as part of its undo
    // step (see the soft breaks).
    void settleBreakMarks();

    // ---- colour --------------------------------------------------------------------------------
    void setColorCoding(bool on) { m_colorCoding = on; }
    bool colorCoding() const { return m_colorCoding; }
    void setColors(const QColor &tag, const QColor &comment);
    CharStyle styleAt(int pos) const;
    // Recolours whole lines firstLine..lastLine (clamped; LastLine for the end). With colour
    // coding off the whole text turns to the text style.
    void colorCodeLines(int firstLine, int lastLine);
    bool isColoringInBackground() const { return m_pass.active; }
    void finishColoring();
    // Runs a background colouring on until it has passed text position `pos`.
    void colorUpTo(int pos);
    // Repaints the block's formats from the styles when they changed since; true if it did.
    bool refreshBlockColors(const QTextBlock &block);
    // Bytes held for the characters' styles.
    qint64 styleMemory() const { return m_styles.capacity(); }
    // Typing: the style of the next characters a view's own editing puts in (none: as usual),
    // and styles set ahead of it ("<!-" becoming a comment as its last "-" is typed).
    void setInsertionStyle(std::optional<CharStyle> style) { m_insertStyle = style; }
    void setStyles(int start, int count, CharStyle style);

    // ---- the QTextDocument and its soft breaks, for views ------------------------------------
    QTextDocument *textDocument() const { return m_doc; }
    const SoftBreaks &softBreaks() const { return m_soft; }
    // The document holds (or held, and its history may bring back) soft breaks.
    bool hasBreakMarks() const { return m_breakMarks; }
    // The text's length, lines and line starts as far as loaded (painting and the caret never
    // wait for the rest).
    int loadedLength() const;
    int loadedLineAt(int pos) const { return lineAt(pos); }
    int loadedLineStart(int line) const { return lineBegin(line); }
    // The styles cover the text as far as loaded (not so while a change is being followed).
    bool stylesFollowText() const { return m_styles.size() == loadedLength(); }
    // Lines of the whole page while it loads.
    int pageBlockCount() const { return m_load.blocks; }
    // Other limits for the long lines of the next setText; longLine 0 never cuts.
    void setLongLineLimits(int longLine, int piece);
    // Another size from which setText loads in the background, and of the first part.
    void setBackgroundLoading(int characters, int firstPart);
    int pieceBreaks() const { return m_soft.count(); }
    // True when every block's mark tells rightly whether a soft break comes before it (a check
    // for tests).
    bool breakMarksConsistent() const;

    // ---- views ---------------------------------------------------------------------------------
    // The view the user edits the document in (its tab's editor), where commands find the caret
    // and the selection; null without one.
    SourceEditor *activeView() const;
    void attachView(SourceEditor *view);
    void detachView(SourceEditor *view);

    // ---- file state ----------------------------------------------------------------------------
    const QString &fileName() const { return m_fileName; }
    void setFileName(const QString &name);
    // Encoding, byte-order mark and line ends to write back.
    const TextFormat &format() const { return m_format; }
    void setFormat(const TextFormat &format);
    // Unsaved changes (undo back to the saved text clears it).
    bool isModified() const { return m_modified; }
    // Time of day of the last load or save (NeverSavedText before).
    const QString &lastSave() const { return m_lastSave; }
    // The file as it was read or last written, and an outside change the user chose not to reload.
    const FileStamp &diskStamp() const { return m_diskStamp; }
    const FileStamp &reloadDeclined() const { return m_reloadDeclined; }
    void declineReload(const FileStamp &stamp) { m_reloadDeclined = stamp; }
    // The text now matches the file `path` (read from it or written to it): its name and stamp,
    // the time as last save, no unsaved changes.
    void markInStepWithFile(const QString &path);
    // The file was renamed or moved to `path` (its stamp follows when it had one).
    void followMovedFile(const QString &path);
    // A fresh untitled document of that name (the text is the caller's).
    void resetFileState(const QString &untitledName);
    // Takes `text` as unsaved changes to the page `path` (a recovered page): written back in
    // `format`, its file as the page last knew it `stamp` (so that a save notices what changed
    // there since), never saved in this run, and no undo back to a text that counts as saved.
    void takeUnsavedText(const QString &text, bool colorCode, const QString &path,
                         const TextFormat &format, const FileStamp &stamp);

Q_SIGNALS:
    // The text changed at `position`: `removed` characters gone, `added` new ones; an edit group
    // reports once, when it ends, the stretch all its changes span (program loads report none;
    // text still loading in the background neither).
    void textChanged(int position, int removed, int added);
    // The whole text was replaced (setText).
    void textReplaced();
    // The file's name, the unsaved-changes flag or the last-save time changed.
    void fileStateChanged();
    // A part of a background load came in after block `blocksBefore`.
    void partLoaded(int blocksBefore);
    // Styles in [from, to) changed in a way views may not notice by themselves (background
    // colouring); a view showing any of it repaints.
    void stylesChanged(int from, int to);
    // colorCodeLines ran (a view repaints and takes the focus).
    void linesColorCoded();
    // A long range is being coloured at once (true), or it is done (false).
    void longColoring(bool running);

private:
    // Blocks that continue a long line after a soft break carry this mark in their format.
    static bool isMarked(const QTextBlock &block);
    static QTextBlockFormat markedFormat();
    void onContentsChange(int position, int removed, int added);
    void onModificationChanged(bool modified);
    // Styles, background pass and undo range follow a change of text positions.
    void followTextChange(int position, int removed, int added);
    // Adds a change made inside an edit group to the one the group reports.
    void joinGroupChange(int position, int removed, int added);
    int docLength() const;
    int lineAt(int pos) const;
    int lineBegin(int line) const;
    int firstBlockOfLine(int line) const;
    QString loadedRange(int start, int length) const;
    void invalidateTextCache() const;
    void ensureLoaded() const {
        if (Q_UNLIKELY(m_load.active))
            const_cast<SourceDocument *>(this)->finishLoading();
    }
    void loadText(const QString &text);
    void loadSlice(int budgetMs);
    void scheduleLoadSlice();
    // Inserts document text at the cursor (at document position `at`, the end), the blocks after
    // the soft breaks [soft, softEnd) marked and no others.
    void insertMarked(QTextCursor &c, QStringView part, int at, const int *soft,
                      const int *softEnd);
    // Colours the text a part of a load brought in, when the colouring has caught up with it.
    void colorLoadedText(int loadedBefore);
    // Soft breaks that undo or redo brought back in the document positions [from, from + count).
    int adoptMarkedBreaks(int from, int count);
    // Sets the mark of the blocks starting in [from, to + 1] to what the breaks before them are.
    void markBreaks(QTextCursor &cursor, int from, int to);
    CharStyle insertionStyle(int position, int replaced) const;
    void replaceStyled(int start, int length, const QString &text, const CharStyle *styles);
    // A cursor to open (or join) an undo step with; every undo step of this class opens with it.
    QTextCursor stepCursor() const;
    void sealUndoStep(QTextCursor &c);
    void historyStep(bool undo, QTextCursor *caret);
    void startColorPass(int start, int end);
    // Runs the background pass until it has passed `pos` (and closed what it found open before
    // `pos`), or for about `budgetMs` when pos is -1.
    void runColorPass(int pos, int budgetMs);
    void scheduleColorPass();
    bool passWaitsForLoad() const;
    void colorRangeNow(int first, int last);

    QTextDocument *m_doc;
    StyleHighlighter *m_highlighter = nullptr;
    StyleBuffer m_styles;
    SoftBreaks m_soft;
    QPointer<SourceEditor> m_view;
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
    int m_programLoad = 0; // > 0 while the program itself puts text in

    mutable QString m_textCache;
    mutable bool m_textCacheValid = false;

    std::optional<CharStyle> m_insertStyle; // style of the next inserted characters
    bool m_colorCoding = true;

    int m_editGroupDepth = 0;
    QTextCursor m_groupCursor;
    bool m_groupEnding = false;
    int m_groupSealAt = -1; // behind the group's last insertion
    struct GroupChange {
        int from = -1;
        int oldEnd = -1;
        int newEnd = -1;
    } m_groupChange;          // what the open edit group changed so far
    int m_deferredFirst = -1; // colouring asked for inside an edit group
    int m_deferredLast = -1;

    bool m_trackingUndo = false;
    int m_undoFrom = -1;
    int m_undoTo = -1;

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
        QElapsedTimer shown; // since the layout last told its size
        int blocks = 0;      // of the whole page
    } m_load;

    QString m_fileName;
    TextFormat m_format;
    bool m_modified = false;
    QString m_lastSave = NeverSavedText;
    FileStamp m_diskStamp;
    FileStamp m_reloadDeclined;
};
