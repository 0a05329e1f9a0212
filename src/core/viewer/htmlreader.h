// The document layer of the reader: turns HTML text into the sections of a SectionList, with
// the inline rules, preformatted text, lists, tables and forms. One reader object per read;
// it keeps no state between documents.
#pragma once

#include "viewer/documentfont.h"
#include "viewer/htmllexer.h"
#include "viewer/readcheckpoint.h"
#include "viewer/sectionlist.h"

#include <QList>
#include <QPair>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class Cell;
class TextSection;

class HtmlReader {
public:
    static constexpr int MaxFontStack = 25;
    // Lists, block quotes and tables nested deeper than this are read flat.
    static constexpr int MaxNesting = 200;
    static constexpr int MaxFaceLength = 50;
    // Checkpoints are noted about this many characters apart.
    static constexpr int CheckpointStride = 1024;

    explicit HtmlReader(SectionList &document);
    ~HtmlReader();

    // Reads a document into the (cleared) section list, which keeps the default fonts and
    // colours it was given. Returns false when a parse error ended the reading early; what was
    // read up to there stays in the list.
    // Notes its checkpoints in the list.
    bool read(QStringView html);
    QString errorString() const { return m_error; }

    enum class Resumed { Met, Ended, OverBudget };
    // Reads `html` again from the checkpoint `from` of an earlier reading (of a text that agrees
    // with this one before that place), adding the top-level sections to
    // `into` and noting checkpoints in `checkpoints`. At each place between top-level sections
    // `meets` is asked whether the earlier reading was in this state there, and reading stops
    // when it was (Met: `met()` is that place), at the end of the page (Ended), or after
    // `budgetEnd` (OverBudget). The anchors named are left in takeAnchors(); the document's
    // title, base and colours are changed as the text says.
    Resumed readFrom(QStringView html, const ReadCheckpoint &from, Cell &into,
                     std::vector<ReadCheckpoint> &checkpoints,
                     const std::function<bool(const ReadCheckpoint &)> &meets, int budgetEnd);
    const ReadCheckpoint &met() const { return m_met; }
    std::vector<SectionList::AnchorPlace> takeAnchors() { return std::move(m_anchorsRead); }
    // Reading stops early (true is still returned) once `*stop` is set.
    void setStopFlag(const std::atomic<bool> *stop) { m_stop = stop; }

private:
    enum class Context { Body, List, Cell };

    struct Block {
        Cell *cell = nullptr;
        int level = 0;
        bool inTable = false;
        std::unique_ptr<TextSection> current;
        // Anchor names (upper case) that stand in `current`, with where their tags start; they
        // enter the document's list once the section belongs to it, so no anchor ever names a
        // section that is dropped.
        QList<QPair<QString, int>> anchors;
    };
    using FontEntry = ReadCheckpoint::Font;

    void start();
    void readTop(Block &top);
    bool atCheckpoint(const Block &top) const;
    ReadCheckpoint checkpoint(const Block &top) const;
    void restore(const ReadCheckpoint &from, Block &top);

    void readBlock(Block &block, Context context, int depth);
    bool handleSymbol(Block &block, Context context, int depth);
    void handleInline(Block &block);
    void readList(Block &outer, HtmlTag tag, int start, int depth);
    void readTable(Block &outer, Context outerContext, int depth);
    void readPre(Block &block);
    void readTitle();
    void readBody(Block &block);
    void readFont(bool baseFont);
    void readImage(Block &block);
    void readInput(Block &block);
    void readSelect(Block &block);
    void readTextArea(Block &block);

    TextSection &ensureSection(Block &block);
    void newSection(Block &block, int alignment);
    void beginSection(Block &block, std::unique_ptr<TextSection> section);
    void closeSection(Block &block);
    void addText(Block &block, const QString &text);
    void applyStyle(TextSection &section);

    DocumentFont currentFont() const;
    int currentFontId();
    bool pushFont(const DocumentFont &font, HtmlTag by);
    void popFont(HtmlTag by);
    void styleChanged() { m_styleId = -1; }

    int alignmentAttribute(int fallback) const;
    bool isTableSymbol() const;
    bool isListEnd() const;

    SectionList &m_doc;
    HtmlLexer *m_lex = nullptr;
    const std::atomic<bool> *m_stop = nullptr;
    QString m_error;

    std::vector<FontEntry> m_fonts;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    int m_script = DocumentFont::Normal;
    QString m_link;
    int m_linkSource = -1; // where the tag of the current link starts
    int m_baseSize = 3;
    int m_alignment = 1;
    bool m_anySectionAdded = false;
    bool m_finished = false;
    int m_styleId = -1;

    std::vector<SectionList::AnchorPlace> m_anchorsRead;
    std::vector<ReadCheckpoint> *m_checkpoints = nullptr;
    int m_lastNoted = 0; // the source offset of the checkpoint noted last
    int m_sectionBase = 0; // top-level sections before the first one read here
    const std::function<bool(const ReadCheckpoint &)> *m_meets = nullptr;
    int m_budgetEnd = 0;
    bool m_overBudget = false;
    bool m_hasMet = false;
    ReadCheckpoint m_met;
};
