// An ordered list of sections stacked top to bottom: a table cell, a caption, or (as the base
// of SectionList) the whole document. Owns its sections and the indentation manager of its
// layout.
// The page structure only grows while a page is read: sections and cells are added, never
// replaced or removed, until SectionList::clear() drops the whole page together with its named
// anchors. So whatever points into the structure (the anchors) stays valid for the page's life.
#pragma once

#include "viewer/indentmanager.h"
#include "viewer/sectionbase.h"

#include <memory>
#include <vector>

class Cell {
public:
    Cell() = default;
    virtual ~Cell();
    Cell(const Cell &) = delete;
    Cell &operator=(const Cell &) = delete;

    void add(std::unique_ptr<SectionBase> section);
    const std::vector<std::unique_ptr<SectionBase>> &sections() const { return m_sections; }
    bool isEmpty() const { return m_sections.empty(); }

    int y() const { return m_y; }
    int height() const { return m_height; }

    // Stacks the sections from y for the given width; returns the height (which reaches down
    // to the lowest floated picture) and raises maxWidth to the right-most x used.
    int doLogic(LayoutContext &ctx, int y, int width, int &maxWidth);
    // Lays the cell out again after sections [first, kept) were put in place of others (see
    // replaceSections): from the last section before `first` at whose top nothing indented or
    // floated, down to the first section from `kept` on that starts on such a clear place both
    // now and before; the rest keeps its layout and moves up or down. Returns the height.
    int relayoutFrom(LayoutContext &ctx, int first, int kept, int width, int &maxWidth);
    void minMaxWidth(LayoutContext &ctx, int &minWidth, int &maxWidth);
    void invalidateMetrics();
    void draw(DrawContext &dc) const;
    void shiftY(int dy);

    // Index of the section at document y (the first one whose bottom lies below y).
    int findSectionAtPosition(int y) const;
    QString linkAt(QPoint p) const;
    int cursorAt(QPoint p) const;
    bool cursorToPoint(int position, QPoint &p, int &lineHeight) const;
    void copyText(int from, int to, QString &out) const;
    int findText(const QString &lowerText, int from) const;
    int assignPositions(int start);
    // Where the character at a global position was read in the source (see SectionBase).
    int sourceAt(int position, const QString &link) const;
    void collectSources(std::vector<SourcePlace> &out, int top) const;
    void shiftSource(int from, int delta);

    // Puts `with` in place of sections [first, last) and hands the removed ones back, for the
    // caller to free once nothing points into them any more.
    std::vector<std::unique_ptr<SectionBase>>
    replaceSections(int first, int last, std::vector<std::unique_ptr<SectionBase>> with);
    std::vector<std::unique_ptr<SectionBase>> takeSections();
    // The global character positions this cell covers.
    int firstPosition() const { return m_firstPosition; }
    int endPosition() const { return m_endPosition; }

    IndentManager &indents() { return m_indents; }

protected:
    // Only for dropping the whole page (SectionList::clear).
    void clearSections();

    std::vector<std::unique_ptr<SectionBase>> m_sections;
    IndentManager m_indents;
    // From the last layout, for each section and for the end: the y it started at, and whether
    // nothing indented or floated there.
    std::vector<int> m_tops;
    std::vector<char> m_clear;
    std::vector<int> m_widths; // the right-most x each section used
    int m_y = 0;
    int m_height = 0;
    int m_minWidth = -1;
    int m_maxWidth = -1;
    int m_firstPosition = 0;
    int m_endPosition = 0;
};
