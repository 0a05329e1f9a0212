// The document layer of the reader: turns HTML text into the sections of a SectionList, with
// the inline rules, preformatted text, lists, tables and forms. One reader object per read;
// it keeps no state between documents.
#pragma once

#include "viewer/documentfont.h"
#include "viewer/htmllexer.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class Cell;
class SectionList;
class TextSection;

class HtmlReader {
public:
    static constexpr int MaxFontStack = 25;
    // Lists, block quotes and tables nested deeper than this are read flat.
    static constexpr int MaxNesting = 200;
    static constexpr int MaxFaceLength = 50;

    explicit HtmlReader(SectionList &document);
    ~HtmlReader();

    // Reads a document into the (cleared) section list, which keeps the default fonts and
    // colours it was given. Returns false when a parse error ended the reading early; what was
    // read up to there stays in the list.
    bool read(QStringView html);
    QString errorString() const { return m_error; }

private:
    enum class Context { Body, List, Cell };

    struct Block {
        Cell *cell = nullptr;
        int level = 0;
        bool inTable = false;
        std::unique_ptr<TextSection> current;
        // Anchor names (upper case) that stand in `current`; they enter the document's list
        // once the section belongs to it, so no anchor ever names a section that is dropped.
        QStringList anchors;
    };
    struct FontEntry {
        DocumentFont font;
        HtmlTag pushedBy;
    };

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
    QString m_error;

    std::vector<FontEntry> m_fonts;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    int m_script = DocumentFont::Normal;
    QString m_link;
    int m_baseSize = 3;
    int m_alignment = 1;
    QSet<QString> m_anchorNames;
    bool m_anySectionAdded = false;
    bool m_finished = false;
    int m_styleId = -1;
};
