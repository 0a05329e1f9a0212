// One block of a document: it lays itself out for a width, draws itself and answers questions
// about links, characters and text at points. Owned by the cell (or document) that holds it.
#pragma once

#include "viewer/drawcontext.h"
#include "viewer/layoutcontext.h"

#include <QPoint>
#include <QString>
#include <vector>

class IndentManager;
class SectionBase;

// A section, the source offset of the tag or text it was begun at, and the index of the
// top-level section it is (or stands in).
struct SourcePlace {
    int source = 0;
    const SectionBase *section = nullptr;
    int top = 0;
};

class SectionBase {
public:
    enum class Kind {
        Text,
        Preformatted,
        Bullet,
        Definition,
        Numbered,
        Table,
        ParagraphSpace,
        HeadingSpace,
        Rule
    };

    virtual ~SectionBase() = default;
    virtual Kind kind() const = 0;

    int y() const { return m_y; }
    int height() const { return m_height; }
    int bottom() const { return m_y + m_height; }
    // The list level the section stands at, -1 for sections that leave the level as it is.
    virtual int listLevel() const { return m_listLevel; }
    void setListLevel(int level) { m_listLevel = level; }

    // Lays the section out with its top at y (document coordinates) between the edges the
    // indentation manager gives; returns the height and raises maxWidth to the right-most x
    // used (in the cell's coordinates).
    virtual int layout(LayoutContext &ctx, int y, int width, IndentManager &indents,
                       int &maxWidth) = 0;
    // The narrowest width the section can be laid out in and the width it needs to show
    // without any line break.
    virtual void minMaxWidth(LayoutContext &ctx, int &minWidth, int &maxWidth) = 0;
    virtual void draw(DrawContext &) const {}
    // Moves a laid-out section down by dy.
    virtual void shiftY(int dy) { m_y += dy; }
    // Forgets measurements taken with other fonts.
    virtual void invalidateMetrics() {}

    // Questions at a point in the cell's coordinates (x) and document coordinates (y).
    virtual QString linkAt(QPoint) const { return {}; }
    // The global character position nearest to the point, -1 when the section has no text.
    virtual int cursorAt(QPoint) const { return -1; }
    // The point (cell x, document y) and line height of a global character position.
    virtual bool cursorToPoint(int, QPoint &, int &) const { return false; }
    // Appends the text between two global character positions.
    virtual void copyText(int, int, QString &) const {}
    // Finds `text` (lower case) at or after the global position `from`; -1 when not found.
    virtual int findText(const QString &, int) const { return -1; }
    // Numbers the characters of the section from `start`; returns the next free position.
    virtual int assignPositions(int start) { return start; }

    // Where the section was begun in the page's source (the tag that made it, or its first
    // text); -1 when unknown.
    int source() const { return m_source; }
    void setSource(int offset) { m_source = offset; }
    // Where the character at a global position was read in the source (for the position after
    // a section's last character: just after that character). With a non-empty `link`: the start
    // of that link's tag when the character at the position, or the one before it, belongs to
    // it. -1 when the position is not this section's.
    virtual int sourceAt(int, const QString &) const { return -1; }
    // The document y and height of what the source offset became in this section.
    virtual void placeOfSource(int, int &y, int &height) const {
        y = m_y;
        height = m_height;
    }
    // Adds this section (and the sections inside it) with their source offsets.
    virtual void collectSources(std::vector<SourcePlace> &out, int top) const {
        if (m_source >= 0)
            out.push_back(SourcePlace{m_source, this, top});
    }
    // The text before `from` stayed, the rest moved by `delta`: source offsets follow.
    virtual void shiftSource(int from, int delta) { shiftOffset(m_source, from, delta); }
    static void shiftOffset(int &offset, int from, int delta) {
        if (offset >= from)
            offset += delta;
    }

protected:
    int m_y = 0;
    int m_height = 0;
    int m_listLevel = -1;
    int m_source = -1;
};
