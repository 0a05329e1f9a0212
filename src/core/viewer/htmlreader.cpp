#include "viewer/htmlreader.h"

#include "viewer/bulletitem.h"
#include "viewer/definitionitem.h"
#include "viewer/headingspace.h"
#include "viewer/horizontalrule.h"
#include "viewer/numbereditem.h"
#include "viewer/paragraphspace.h"
#include "viewer/preformattedline.h"
#include "viewer/sectionlist.h"
#include "viewer/tablesection.h"

#include <limits>

using Kind = HtmlLexer::Kind;

namespace {

QString foldSpaces(const QString &text) {
    return text.simplified();
}

} // namespace

HtmlReader::HtmlReader(SectionList &document) : m_doc(document) {}
HtmlReader::~HtmlReader() = default;

// The state every reading starts from.
void HtmlReader::start() {
    DocumentFont base;
    base.family = m_doc.defaultFontName();
    base.nominalSize = 12;
    base.color = m_doc.fontColor();
    m_fonts.clear();
    m_fonts.push_back(FontEntry{base, HtmlTag::Unknown});
    m_bold = m_italic = m_underline = false;
    m_script = DocumentFont::Normal;
    m_link.clear();
    m_linkSource = -1;
    m_baseSize = 3;
    m_alignment = TextSection::AlignLeft;
    m_anySectionAdded = false;
    m_finished = false;
    m_anchorsRead.clear();
    styleChanged();
}

bool HtmlReader::read(QStringView html) {
    HtmlLexer lexer(html);
    lexer.setStopFlag(m_stop);
    m_lex = &lexer;
    m_error.clear();
    start();
    m_doc.checkpoints().clear();
    m_checkpoints = &m_doc.checkpoints();
    m_lastNoted = std::numeric_limits<int>::min() / 2;
    m_sectionBase = 0;
    m_meets = nullptr;

    Block top;
    top.cell = &m_doc;
    newSection(top, m_alignment);
    m_lex->next();
    readTop(top);
    closeSection(top);
    m_doc.setAnchors(std::move(m_anchorsRead));
    m_doc.assignPositions(0);
    m_doc.indexSources();
    m_error = lexer.error();
    m_lex = nullptr;
    m_checkpoints = nullptr;
    return m_error.isEmpty();
}

HtmlReader::Resumed HtmlReader::readFrom(QStringView html, const ReadCheckpoint &from, Cell &into,
                                         std::vector<ReadCheckpoint> &checkpoints,
                                         const std::function<bool(const ReadCheckpoint &)> &meets,
                                         int budgetEnd) {
    HtmlLexer lexer(html);
    lexer.setStopFlag(m_stop);
    // Past the budget, what is left is read as a whole page, not here.
    lexer.setLimit(budgetEnd);
    m_lex = &lexer;
    m_error.clear();
    start();
    m_checkpoints = &checkpoints;
    m_lastNoted = from.source; // already noted
    m_meets = &meets;
    m_budgetEnd = budgetEnd;
    m_overBudget = m_hasMet = false;

    Block top;
    top.cell = &into;
    restore(from, top);
    lexer.seek(from.source);
    m_lex->next();
    readTop(top);
    m_error = lexer.error();
    m_lex = nullptr;
    m_checkpoints = nullptr;
    m_meets = nullptr;
    if (m_hasMet)
        return Resumed::Met;
    if (m_overBudget || lexer.stopped())
        return Resumed::OverBudget;
    closeSection(top);
    return Resumed::Ended;
}

// Between two top-level sections, with nothing read into the section begun last.
bool HtmlReader::atCheckpoint(const Block &top) const {
    return (!top.current || top.current->isEmpty()) && top.anchors.isEmpty() &&
           m_lex->kind() != Kind::End;
}

ReadCheckpoint HtmlReader::checkpoint(const Block &top) const {
    ReadCheckpoint c;
    c.source = m_lex->symbolStart();
    c.sections = m_sectionBase + int(top.cell->sections().size());
    c.fonts = m_fonts;
    c.bold = m_bold;
    c.italic = m_italic;
    c.underline = m_underline;
    c.script = m_script;
    c.link = m_link;
    c.linkSource = m_linkSource;
    c.baseSize = m_baseSize;
    c.alignment = m_alignment;
    c.anySectionAdded = m_anySectionAdded;
    if (const TextSection *open = top.current.get()) {
        c.open = true;
        c.openAlignment = open->alignment();
        c.openFontId = open->fontId();
        c.openLink = open->link();
        c.openLinkSource = open->linkSource();
        c.openSource = open->source();
    }
    c.fontColor = m_doc.fontColor();
    c.linkColor = m_doc.linkColor();
    c.backgroundColor = m_doc.backgroundColor();
    c.backgroundImage = m_doc.backgroundImage();
    c.title = m_doc.title();
    c.base = m_doc.baseReference();
    return c;
}

void HtmlReader::restore(const ReadCheckpoint &from, Block &top) {
    m_sectionBase = from.sections;
    m_fonts = from.fonts;
    m_bold = from.bold;
    m_italic = from.italic;
    m_underline = from.underline;
    m_script = from.script;
    m_link = from.link;
    m_linkSource = from.linkSource;
    m_baseSize = from.baseSize;
    m_alignment = from.alignment;
    m_anySectionAdded = from.anySectionAdded;
    styleChanged();
    m_doc.setFontColor(from.fontColor);
    m_doc.setLinkColor(from.linkColor);
    m_doc.setBackgroundColor(from.backgroundColor);
    m_doc.setBackgroundImage(from.backgroundImage);
    m_doc.setTitle(from.title);
    m_doc.setBaseReference(from.base);
    if (from.open) {
        auto section =
            std::make_unique<TextSection>(0, from.openAlignment, from.openFontId, from.openLink);
        section->setStyle(from.openFontId, from.openLink, from.openLinkSource);
        section->setSource(from.openSource);
        top.current = std::move(section);
    }
}

// The document layer at the top level, where checkpoints are noted (and, reading again, met).
void HtmlReader::readTop(Block &top) {
    while (!m_finished && m_lex->kind() != Kind::End) {
        if (m_checkpoints && atCheckpoint(top)) {
            const int source = m_lex->symbolStart();
            const bool due = source - m_lastNoted >= CheckpointStride;
            if (m_meets) {
                if (source > m_budgetEnd) {
                    m_overBudget = true;
                    return;
                }
                ReadCheckpoint here = checkpoint(top);
                if ((*m_meets)(here)) {
                    m_met = std::move(here);
                    m_hasMet = true;
                    return;
                }
                if (due) {
                    m_checkpoints->push_back(std::move(here));
                    m_lastNoted = source;
                }
            } else if (due) {
                m_checkpoints->push_back(checkpoint(top));
                m_lastNoted = source;
            }
        }
        if (!handleSymbol(top, Context::Body, 0))
            return;
    }
}

// ---------------------------------------------------------------------------------------------
// Fonts and sections

DocumentFont HtmlReader::currentFont() const {
    DocumentFont f = m_fonts.back().font;
    f.bold = f.bold || m_bold;
    f.italic = f.italic || m_italic;
    f.underline = f.underline || m_underline;
    f.script = quint8(m_script);
    return f;
}

int HtmlReader::currentFontId() {
    if (m_styleId < 0)
        m_styleId = m_doc.fontId(currentFont());
    return m_styleId;
}

bool HtmlReader::pushFont(const DocumentFont &font, HtmlTag by) {
    if (int(m_fonts.size()) >= MaxFontStack)
        return false;
    m_fonts.push_back(FontEntry{font, by});
    styleChanged();
    return true;
}

// Ends the most recent font pushed by the tag `by`, with whatever was pushed after it.
void HtmlReader::popFont(HtmlTag by) {
    for (size_t i = m_fonts.size(); i-- > 1;)
        if (m_fonts[i].pushedBy == by) {
            m_fonts.resize(i);
            styleChanged();
            return;
        }
}

void HtmlReader::applyStyle(TextSection &section) {
    section.setStyle(currentFontId(), m_link, m_linkSource);
}

void HtmlReader::newSection(Block &block, int alignment) {
    beginSection(block, std::make_unique<TextSection>(block.level, alignment, currentFontId(), m_link));
}

// Every section the reader begins goes through here: the one being read is closed into the
// document first, so nothing that was read (or that an anchor will name) is dropped on the way.
void HtmlReader::beginSection(Block &block, std::unique_ptr<TextSection> section) {
    closeSection(block);
    section->setSource(m_lex->symbolStart());
    block.current = std::move(section);
}

TextSection &HtmlReader::ensureSection(Block &block) {
    if (!block.current)
        newSection(block, m_alignment);
    applyStyle(*block.current);
    return *block.current;
}

void HtmlReader::closeSection(Block &block) {
    if (!block.current)
        return;
    const TextSection *section = block.current.get();
    block.cell->add(std::move(block.current));
    for (const auto &[name, source] : std::as_const(block.anchors))
        m_anchorsRead.push_back(SectionList::AnchorPlace{name, section, source});
    block.anchors.clear();
    m_anySectionAdded = true;
}

void HtmlReader::addText(Block &block, const QString &text) {
    if (!block.current) {
        bool blank = true;
        for (QChar c : text)
            if (c != u' ') {
                blank = false;
                break;
            }
        if (blank)
            return;
    }
    ensureSection(block).addText(text, m_lex->textSources());
}

int HtmlReader::alignmentAttribute(int fallback) const {
    if (const auto *a = m_lex->attribute(HtmlAttr::Align)) {
        const QString v = a->text.toLower();
        if (v == u"left")
            return TextSection::AlignLeft;
        if (v == u"center")
            return TextSection::AlignCenter;
        if (v == u"right")
            return TextSection::AlignRight;
    }
    return fallback;
}

bool HtmlReader::isTableSymbol() const {
    const HtmlTag t = m_lex->tag();
    if (m_lex->kind() == Kind::Tag)
        return t == HtmlTag::Tr || t == HtmlTag::Td || t == HtmlTag::Th || t == HtmlTag::Caption;
    if (m_lex->kind() == Kind::EndTag)
        return t == HtmlTag::Table || t == HtmlTag::Td || t == HtmlTag::Th || t == HtmlTag::Caption;
    return false;
}

bool HtmlReader::isListEnd() const {
    if (m_lex->kind() != Kind::EndTag)
        return false;
    switch (m_lex->tag()) {
    case HtmlTag::Ol:
    case HtmlTag::Ul:
    case HtmlTag::Dir:
    case HtmlTag::Menu:
    case HtmlTag::Dl:
    case HtmlTag::Blockquote:
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------------------------
// Document layer

void HtmlReader::readBlock(Block &block, Context context, int depth) {
    while (!m_finished && m_lex->kind() != Kind::End)
        if (!handleSymbol(block, context, depth))
            return;
}

// Handles the current symbol; returns false, leaving it unread, when it ends the block.
bool HtmlReader::handleSymbol(Block &block, Context context, int depth) {
    const Kind kind = m_lex->kind();
    const HtmlTag tag = m_lex->tag();
    switch (kind) {
    case Kind::End:
        return false;
    case Kind::Text:
        addText(block, m_lex->text());
        m_lex->next();
        return true;
    case Kind::Stray:
    case Kind::Newline:
        m_lex->next();
        return true;
    default:
        break;
    }
    if (block.inTable && isTableSymbol())
        return false;
    if (kind == Kind::EndTag && tag == HtmlTag::Body) {
        m_finished = true;
        return false;
    }
    if (isListEnd()) {
        if (context == Context::List)
            return false;
        m_lex->next();
        return true;
    }
    if (kind == Kind::EndTag) {
        handleInline(block);
        return true;
    }
    const bool tooDeep = depth >= MaxNesting;
    switch (tag) {
    case HtmlTag::Title:
        readTitle();
        return true;
    case HtmlTag::Body:
        readBody(block);
        return true;
    case HtmlTag::Base:
        if (const auto *a = m_lex->attribute(HtmlAttr::Href))
            m_doc.setBaseReference(a->text.trimmed());
        m_lex->next();
        return true;
    case HtmlTag::Hr: {
        closeSection(block);
        auto rule = std::make_unique<HorizontalRule>();
        rule->setSource(m_lex->symbolStart());
        rule->setListLevel(block.level);
        block.cell->add(std::move(rule));
        m_anySectionAdded = true;
        m_lex->next();
        return true;
    }
    case HtmlTag::Ol:
    case HtmlTag::Ul:
    case HtmlTag::Dir:
    case HtmlTag::Menu:
    case HtmlTag::Dl:
    case HtmlTag::Blockquote: {
        int start = 1;
        if (const auto *a = m_lex->attribute(HtmlAttr::Start); a && a->number >= 0)
            start = a->number;
        m_lex->next();
        if (!tooDeep)
            readList(block, tag, start, depth + 1);
        return true;
    }
    case HtmlTag::Table:
        if (tooDeep) {
            m_lex->next();
            return true;
        }
        readTable(block, context, depth + 1);
        return true;
    case HtmlTag::Pre:
        readPre(block);
        return true;
    case HtmlTag::Li:
    case HtmlTag::Dt:
    case HtmlTag::Dd:
        m_lex->next(); // items outside a list
        return true;
    default:
        handleInline(block);
        return true;
    }
}

void HtmlReader::readTitle() {
    QString title;
    m_lex->next();
    while (m_lex->kind() == Kind::Text || m_lex->kind() == Kind::Stray) {
        if (m_lex->kind() == Kind::Text)
            title += m_lex->text();
        m_lex->next();
    }
    m_doc.setTitle(foldSpaces(title));
}

void HtmlReader::readBody(Block &block) {
    const bool early = !m_anySectionAdded && (!block.current || block.current->isEmpty());
    if (early) {
        if (const auto *a = m_lex->attribute(HtmlAttr::Text)) {
            if (auto c = HtmlTables::parseColor(a->text)) {
                m_doc.setFontColor(*c | 0xFF000000);
                m_fonts.front().font.color = *c | 0xFF000000;
                m_fonts.back().font.color = *c | 0xFF000000;
                styleChanged();
            }
        }
        if (const auto *a = m_lex->attribute(HtmlAttr::Link))
            if (auto c = HtmlTables::parseColor(a->text))
                m_doc.setLinkColor(*c | 0xFF000000);
        if (const auto *a = m_lex->attribute(HtmlAttr::BgColor))
            if (auto c = HtmlTables::parseColor(a->text))
                m_doc.setBackgroundColor(*c | 0xFF000000);
        if (const auto *a = m_lex->attribute(HtmlAttr::Background))
            m_doc.setBackgroundImage(a->text.trimmed());
        // The empty section read so far gives way to the body's; anchors already named in it
        // stay with the block and so move to the new one.
        block.current.reset();
        newSection(block, m_alignment);
    }
    m_lex->next();
}

void HtmlReader::readList(Block &outer, HtmlTag tag, int start, int depth) {
    closeSection(outer);
    Block inner;
    inner.cell = outer.cell;
    inner.level = outer.level + 1;
    inner.inTable = outer.inTable;
    int number = start;
    while (!m_finished && m_lex->kind() != Kind::End) {
        if (m_lex->kind() == Kind::Tag &&
            (m_lex->isTag(HtmlTag::Li) || m_lex->isTag(HtmlTag::Dt) || m_lex->isTag(HtmlTag::Dd)) &&
            tag != HtmlTag::Blockquote) {
            const int font = currentFontId();
            if (m_lex->tag() == HtmlTag::Li && tag == HtmlTag::Ol) {
                beginSection(inner, std::make_unique<NumberedItem>(inner.level, m_alignment, font,
                                                                   m_link, number));
                // A list that starts at the largest number keeps it rather than wrapping.
                if (number < std::numeric_limits<int>::max())
                    ++number;
            } else if (m_lex->tag() == HtmlTag::Li && tag != HtmlTag::Dl) {
                beginSection(inner,
                             std::make_unique<BulletItem>(inner.level, m_alignment, font, m_link));
            } else {
                // Terms stand at the list's own edge, definitions one level in.
                const int level = m_lex->tag() == HtmlTag::Dt ? inner.level - 1 : inner.level;
                beginSection(inner,
                             std::make_unique<DefinitionItem>(level, m_alignment, font, m_link));
            }
            m_lex->next();
            continue;
        }
        if (isListEnd()) {
            closeSection(inner);
            m_lex->next();
            return;
        }
        if (!handleSymbol(inner, Context::List, depth))
            break;
    }
    closeSection(inner);
}

void HtmlReader::readTable(Block &outer, Context outerContext, int depth) {
    if (outer.current) {
        if (outer.current->isEmpty())
            outer.current->appendText(u" ", m_lex->symbolStart());
        closeSection(outer);
    }
    TableSection::Placement placement = TableSection::Placement::Left;
    if (const auto *a = m_lex->attribute(HtmlAttr::Align)) {
        const QString v = a->text.toUpper();
        if (v == u"CENTER")
            placement = TableSection::Placement::Center;
        else if (v == u"RIGHT")
            placement = TableSection::Placement::Right;
    }
    int border = 0, padding = 2, spacing = 3, widthPercent = 0;
    if (const auto *a = m_lex->attribute(HtmlAttr::Border))
        border = qBound(0, a->number, 100);
    if (const auto *a = m_lex->attribute(HtmlAttr::CellPadding); a && a->number >= 0)
        padding = qMin(a->number, 49) + 1;
    if (const auto *a = m_lex->attribute(HtmlAttr::CellSpacing))
        spacing = qBound(0, a->number < 0 ? a->number + 1 : qMin(a->number, 39) + 1, 40);
    if (const auto *a = m_lex->attribute(HtmlAttr::Width); a && a->number >= 1 && a->number <= 100)
        widthPercent = a->number;
    auto table = std::make_unique<TableSection>(placement, border, padding, spacing, widthPercent);
    table->setSource(m_lex->symbolStart());
    table->setListLevel(outer.level);

    // What a cell changes does not leak into the next cell or past the table.
    const int savedAlignment = m_alignment;
    const bool savedBold = m_bold, savedItalic = m_italic, savedUnderline = m_underline;
    const int savedScript = m_script;
    const size_t savedFonts = m_fonts.size();
    const QString savedLink = m_link;
    const int savedLinkSource = m_linkSource;
    auto restore = [&] {
        m_alignment = savedAlignment;
        m_bold = savedBold;
        m_italic = savedItalic;
        m_underline = savedUnderline;
        m_script = savedScript;
        if (m_fonts.size() > savedFonts)
            m_fonts.resize(savedFonts);
        m_link = savedLink;
        m_linkSource = savedLinkSource;
        styleChanged();
    };

    int rowAlignment = 0;
    m_lex->next();
    while (!m_finished && m_lex->kind() != Kind::End) {
        const Kind kind = m_lex->kind();
        const HtmlTag tag = m_lex->tag();
        if (kind == Kind::EndTag && tag == HtmlTag::Table) {
            m_lex->next();
            break;
        }
        if (kind == Kind::Tag && tag == HtmlTag::Tr) {
            table->startRow();
            rowAlignment = alignmentAttribute(0);
            m_lex->next();
            continue;
        }
        if (kind == Kind::Tag && (tag == HtmlTag::Td || tag == HtmlTag::Th)) {
            const int fallback = rowAlignment ? rowAlignment
                                              : (tag == HtmlTag::Th ? TextSection::AlignCenter
                                                                    : TextSection::AlignLeft);
            const int alignment = alignmentAttribute(fallback);
            int valign = TableSection::VAlignMiddle;
            if (const auto *a = m_lex->attribute(HtmlAttr::VAlign)) {
                const QString v = a->text.toLower();
                if (v == u"top")
                    valign = TableSection::VAlignTop;
                else if (v == u"middle")
                    valign = TableSection::VAlignMiddle;
                else if (v == u"bottom")
                    valign = TableSection::VAlignBottom;
            }
            bool hasBackground = false;
            QRgb background = 0;
            if (const auto *a = m_lex->attribute(HtmlAttr::BgColor))
                if (auto c = HtmlTables::parseColor(a->text)) {
                    hasBackground = true;
                    background = *c | 0xFF000000;
                }
            int colSpan = 1, rowSpan = 1, cellPercent = 0;
            if (const auto *a = m_lex->attribute(HtmlAttr::ColSpan); a && a->number > 1)
                colSpan = a->number;
            if (const auto *a = m_lex->attribute(HtmlAttr::RowSpan); a && a->number > 1)
                rowSpan = a->number;
            if (const auto *a = m_lex->attribute(HtmlAttr::Width);
                a && a->number >= 1 && a->number <= 99)
                cellPercent = a->number;
            Block cell;
            cell.cell =
                table->addCell(colSpan, rowSpan, valign, hasBackground, background, cellPercent);
            cell.inTable = true;
            restore();
            m_alignment = alignment;
            if (tag == HtmlTag::Th)
                m_bold = true;
            m_lex->next();
            readBlock(cell, Context::Cell, depth);
            closeSection(cell);
            restore();
            continue;
        }
        if (kind == Kind::Tag && tag == HtmlTag::Caption) {
            bool bottom = false;
            if (const auto *a = m_lex->attribute(HtmlAttr::Align))
                bottom = a->text.toLower() == u"bottom";
            Block caption;
            caption.cell = table->openCaption(bottom);
            caption.inTable = true;
            restore();
            m_alignment = TextSection::AlignCenter;
            m_lex->next();
            readBlock(caption, Context::Cell, depth);
            closeSection(caption);
            restore();
            if (m_lex->isEndTag(HtmlTag::Caption))
                m_lex->next();
            continue;
        }
        if (kind == Kind::EndTag &&
            (tag == HtmlTag::Td || tag == HtmlTag::Th || tag == HtmlTag::Caption)) {
            m_lex->next();
            continue;
        }
        // Anything between the cells belongs to the list around the table.
        if (!handleSymbol(outer, outerContext, depth))
            break;
    }
    restore();
    table->finish();
    closeSection(outer);
    outer.cell->add(std::move(table));
    m_anySectionAdded = true;
}

void HtmlReader::readPre(Block &block) {
    closeSection(block);
    DocumentFont pre = currentFont();
    pre.bold = pre.italic = pre.underline = false;
    pre.script = DocumentFont::Normal;
    pre.family = m_doc.preFontName();
    pre.nominalSize = 10;
    pre.fixedPitch = true;
    pushFont(pre, HtmlTag::Pre);
    auto newLine = [&] {
        beginSection(block, std::make_unique<PreformattedLine>(block.level, TextSection::AlignLeft,
                                                               currentFontId(), m_link));
    };
    auto endLine = [&] {
        if (block.current && block.current->isEmpty())
            block.current->appendText(u" ", m_lex->symbolStart());
        newLine();
    };
    m_lex->setPreformatted(true);
    m_lex->skipNewline(); // a line end right after <PRE> is not a line
    newLine();
    m_lex->next();
    while (!m_finished && m_lex->kind() != Kind::End) {
        const Kind kind = m_lex->kind();
        const HtmlTag tag = m_lex->tag();
        if (kind == Kind::Newline) {
            endLine();
            m_lex->next();
            continue;
        }
        if (kind == Kind::Text) {
            ensureSection(block).addText(m_lex->text(), m_lex->textSources());
            m_lex->next();
            continue;
        }
        if (kind == Kind::Stray) {
            m_lex->next();
            continue;
        }
        if (kind == Kind::EndTag && tag == HtmlTag::Pre) {
            m_lex->setPreformatted(false);
            m_lex->next();
            break;
        }
        if (block.inTable && isTableSymbol())
            break;
        if (kind == Kind::EndTag && tag == HtmlTag::Body)
            break;
        if (kind == Kind::Tag && (tag == HtmlTag::P || tag == HtmlTag::Br)) {
            endLine();
            m_lex->skipNewline();
            m_lex->next();
            continue;
        }
        switch (tag) {
        case HtmlTag::B:
        case HtmlTag::Strong:
        case HtmlTag::I:
        case HtmlTag::Em:
        case HtmlTag::Cite:
        case HtmlTag::Var:
        case HtmlTag::U:
        case HtmlTag::A:
        case HtmlTag::Form:
        case HtmlTag::Font:
            handleInline(block);
            break;
        case HtmlTag::Basefont:
        case HtmlTag::Img:
        case HtmlTag::Input:
        case HtmlTag::Select:
        case HtmlTag::Textarea:
            if (kind == Kind::Tag)
                handleInline(block);
            else
                m_lex->next();
            break;
        default:
            m_lex->next();
            break;
        }
    }
    m_lex->setPreformatted(false);
    // The line begun by the last line end stays empty (and so takes no room).
    closeSection(block);
    popFont(HtmlTag::Pre);
}

// ---------------------------------------------------------------------------------------------
// Inline rules: the current symbol is a start or end tag.

void HtmlReader::handleInline(Block &block) {
    const bool end = m_lex->kind() == Kind::EndTag;
    const HtmlTag tag = m_lex->tag();
    switch (tag) {
    case HtmlTag::P: {
        const int alignment = end ? m_alignment : alignmentAttribute(m_alignment);
        closeSection(block);
        auto space = std::make_unique<ParagraphSpace>();
        space->setSource(m_lex->symbolStart());
        block.cell->add(std::move(space));
        m_anySectionAdded = true;
        newSection(block, alignment);
        m_lex->next();
        while (m_lex->isBlankText() || m_lex->isTag(HtmlTag::P) || m_lex->isEndTag(HtmlTag::P))
            m_lex->next();
        return;
    }
    case HtmlTag::Br: {
        TextSection &section = ensureSection(block);
        if (section.isEmpty())
            section.appendText(u" ", m_lex->symbolStart());
        const int alignment = section.alignment();
        closeSection(block);
        newSection(block, alignment);
        m_lex->next();
        return;
    }
    case HtmlTag::H:
        if (!end) {
            const int level = m_lex->headingLevel();
            DocumentFont f = m_fonts.back().font;
            f.nominalSize = HtmlTables::headingSize(level);
            f.bold = HtmlTables::headingBold(level);
            f.fixedPitch = false;
            if (int(m_fonts.size()) < MaxFontStack) {
                const int alignment = alignmentAttribute(m_alignment);
                closeSection(block);
                pushFont(f, HtmlTag::H);
                auto space = std::make_unique<HeadingSpace>(level);
                space->setSource(m_lex->symbolStart());
                block.cell->add(std::move(space));
                m_anySectionAdded = true;
                newSection(block, alignment);
            }
        } else if (m_fonts.size() > 1) {
            closeSection(block);
            auto space = std::make_unique<HeadingSpace>(m_lex->headingLevel());
            space->setSource(m_lex->symbolStart());
            block.cell->add(std::move(space));
            m_anySectionAdded = true;
            popFont(HtmlTag::H);
        }
        m_lex->next();
        return;
    case HtmlTag::B:
    case HtmlTag::Strong:
        m_bold = !end;
        break;
    case HtmlTag::I:
    case HtmlTag::Em:
    case HtmlTag::Cite:
    case HtmlTag::Var:
        m_italic = !end;
        break;
    case HtmlTag::U:
        m_underline = !end;
        break;
    case HtmlTag::Sub:
        m_script = end ? DocumentFont::Normal : DocumentFont::Subscript;
        break;
    case HtmlTag::Sup:
        m_script = end ? DocumentFont::Normal : DocumentFont::Superscript;
        break;
    case HtmlTag::Tt:
    case HtmlTag::Code:
    case HtmlTag::Kbd:
    case HtmlTag::Samp:
        if (end) {
            popFont(tag);
        } else {
            DocumentFont f = m_fonts.back().font;
            f.family = m_doc.preFontName();
            f.nominalSize = 10;
            f.fixedPitch = true;
            pushFont(f, tag);
        }
        break;
    case HtmlTag::Font:
        if (end)
            popFont(HtmlTag::Font);
        else
            readFont(false);
        break;
    case HtmlTag::Basefont:
        if (!end)
            readFont(true);
        break;
    case HtmlTag::Big:
    case HtmlTag::Small:
        if (end) {
            popFont(tag);
        } else {
            DocumentFont f = m_fonts.back().font;
            const int size = HtmlTables::htmlSizeOf(f.nominalSize, f.fixedPitch);
            const int step = tag == HtmlTag::Big ? 1 : -1;
            if (size > 0 && size + step >= 1 && size + step <= 7) {
                f.nominalSize = f.fixedPitch ? HtmlTables::fixedSize(size + step)
                                             : HtmlTables::proportionalSize(size + step);
                pushFont(f, tag);
            }
        }
        break;
    case HtmlTag::Address:
        closeSection(block);
        if (end) {
            popFont(HtmlTag::Address);
        } else {
            DocumentFont f = m_fonts.back().font;
            f.italic = true;
            pushFont(f, HtmlTag::Address);
            newSection(block, m_alignment);
        }
        break;
    case HtmlTag::Center:
        closeSection(block);
        m_alignment = end ? TextSection::AlignLeft : TextSection::AlignCenter;
        break;
    case HtmlTag::A:
        if (end) {
            if (!m_link.isEmpty()) {
                popFont(HtmlTag::A);
                m_link.clear();
                m_linkSource = -1;
                styleChanged();
            }
        } else {
            if (const auto *a = m_lex->attribute(HtmlAttr::Name); a && !a->text.isEmpty()) {
                // It stands in the section being read; of several of a name, the document
                // counts the first.
                ensureSection(block);
                block.anchors << qMakePair(a->text.toUpper(), m_lex->symbolStart());
            }
            if (const auto *a = m_lex->attribute(HtmlAttr::Href)) {
                if (!m_link.isEmpty())
                    popFont(HtmlTag::A);
                m_link = a->text.trimmed();
                m_linkSource = m_lex->symbolStart();
                DocumentFont f = m_fonts.back().font;
                f.underline = true;
                f.color = m_doc.linkColor();
                pushFont(f, HtmlTag::A);
                styleChanged();
            }
        }
        break;
    case HtmlTag::Img:
        if (!end)
            readImage(block);
        break;
    case HtmlTag::Input:
        if (!end)
            readInput(block);
        break;
    case HtmlTag::Select:
        if (!end) {
            readSelect(block);
            return;
        }
        break;
    case HtmlTag::Textarea:
        if (!end) {
            readTextArea(block);
            return;
        }
        break;
    default: // FORM has no effect on display; unknown and unused tags are skipped
        break;
    }
    styleChanged();
    m_lex->next();
}

void HtmlReader::readFont(bool baseFont) {
    DocumentFont f = m_fonts.back().font;
    bool applied = false;
    if (const auto *a = m_lex->attribute(HtmlAttr::Size)) {
        const QString text = a->text.trimmed();
        int size = a->number;
        // Any step beyond the 7-step scale misses it anyway; bounded so the sum cannot overflow.
        if (text.startsWith(u'+') || text.startsWith(u'-'))
            size = m_baseSize + qBound(-100, a->number, 100);
        if (size >= 1 && size <= 7) {
            f.nominalSize =
                f.fixedPitch ? HtmlTables::fixedSize(size) : HtmlTables::proportionalSize(size);
            applied = true;
            if (baseFont)
                m_baseSize = size;
        }
    }
    if (!baseFont) {
        if (const auto *a = m_lex->attribute(HtmlAttr::Color))
            if (auto c = HtmlTables::parseColor(a->text)) {
                f.color = *c | 0xFF000000;
                applied = true;
            }
        if (const auto *a = m_lex->attribute(HtmlAttr::Face); a && !a->text.trimmed().isEmpty()) {
            f.family = a->text.trimmed().left(MaxFaceLength);
            applied = true;
        }
    }
    // A FONT that changes nothing still takes a place on the stack, so that its end tag
    // does not end an enclosing FONT.
    if (applied || !baseFont)
        pushFont(f, baseFont ? HtmlTag::Basefont : HtmlTag::Font);
}

void HtmlReader::readImage(Block &block) {
    InlineObject image;
    image.type = InlineObject::Type::Image;
    if (const auto *a = m_lex->attribute(HtmlAttr::Src))
        image.source = a->text.trimmed();
    if (const auto *a = m_lex->attribute(HtmlAttr::Alt))
        image.alt = a->text;
    if (const auto *a = m_lex->attribute(HtmlAttr::Align)) {
        const QString v = a->text.toLower();
        if (v == u"left")
            image.align = InlineObject::ImageAlign::Left;
        else if (v == u"right")
            image.align = InlineObject::ImageAlign::Right;
        else if (v == u"top" || v == u"texttop")
            image.align = InlineObject::ImageAlign::Top;
        else if (v == u"middle" || v == u"absmiddle" || v == u"center")
            image.align = InlineObject::ImageAlign::Middle;
    }
    if (const auto *a = m_lex->attribute(HtmlAttr::Border))
        image.border = qBound(0, a->number, 100);
    image.isMap = m_lex->attribute(HtmlAttr::IsMap) != nullptr;
    ensureSection(block).addObject(std::move(image), m_lex->symbolStart());
}

void HtmlReader::readInput(Block &block) {
    using K = InlineObject::ControlKind;
    InlineObject control;
    control.type = InlineObject::Type::Control;
    QString type;
    if (const auto *a = m_lex->attribute(HtmlAttr::Type))
        type = a->text.trimmed().toLower();
    if (type == u"image") {
        readImage(block);
        return;
    }
    if (type == u"password")
        control.kind = K::Password;
    else if (type == u"submit")
        control.kind = K::Submit;
    else if (type == u"reset")
        control.kind = K::Reset;
    else if (type == u"radio")
        control.kind = K::Radio;
    else if (type == u"checkbox")
        control.kind = K::Checkbox;
    else if (type == u"hidden")
        control.kind = K::Hidden;
    else if (type == u"button")
        control.kind = K::Button;
    else
        control.kind = K::TextField;
    if (const auto *a = m_lex->attribute(HtmlAttr::Name))
        control.name = a->text;
    if (const auto *a = m_lex->attribute(HtmlAttr::Value))
        control.value = a->text;
    if (control.value.isEmpty() && control.kind == K::Submit)
        control.value = QStringLiteral("Submit");
    if (control.value.isEmpty() && control.kind == K::Reset)
        control.value = QStringLiteral("Reset");
    control.checked = m_lex->attribute(HtmlAttr::Checked) != nullptr;
    if (const auto *a = m_lex->attribute(HtmlAttr::Size))
        control.size = a->number;
    if (const auto *a = m_lex->attribute(HtmlAttr::MaxLength))
        control.maxLength = a->number;
    ensureSection(block).addObject(std::move(control), m_lex->symbolStart());
}

void HtmlReader::readSelect(Block &block) {
    const int source = m_lex->symbolStart();
    InlineObject control;
    control.type = InlineObject::Type::Control;
    control.kind = InlineObject::ControlKind::Select;
    if (const auto *a = m_lex->attribute(HtmlAttr::Name))
        control.name = a->text;
    if (const auto *a = m_lex->attribute(HtmlAttr::Size))
        control.size = a->number;
    control.multiple = m_lex->attribute(HtmlAttr::Multiple) != nullptr;
    m_lex->next();
    while (m_lex->kind() != Kind::End) {
        if (m_lex->isEndTag(HtmlTag::Select)) {
            m_lex->next();
            break;
        }
        if (block.inTable && isTableSymbol())
            break;
        if (m_lex->isTag(HtmlTag::Option)) {
            if (m_lex->attribute(HtmlAttr::Selected))
                control.selectedOption = int(control.options.size());
            control.options.append(QString());
        } else if (m_lex->kind() == Kind::Text && !control.options.isEmpty()) {
            control.options.last() += m_lex->text();
        }
        m_lex->next();
    }
    for (QString &option : control.options)
        option = foldSpaces(option);
    ensureSection(block).addObject(std::move(control), source);
}

void HtmlReader::readTextArea(Block &block) {
    InlineObject control;
    control.type = InlineObject::Type::Control;
    control.kind = InlineObject::ControlKind::TextArea;
    if (const auto *a = m_lex->attribute(HtmlAttr::Name))
        control.name = a->text;
    if (const auto *a = m_lex->attribute(HtmlAttr::Cols))
        control.cols = a->number;
    if (const auto *a = m_lex->attribute(HtmlAttr::Rows))
        control.rows = a->number;
    const QString raw = m_lex->readRawUntilEndTag(u"TEXTAREA");
    control.options = raw.split(u'\r');
    if (!control.options.isEmpty() && control.options.first().isEmpty())
        control.options.removeFirst();
    ensureSection(block).addObject(std::move(control), m_lex->symbolStart());
    m_lex->next();
}
