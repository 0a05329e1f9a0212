// A table: rows of cells (each a Cell of sections), an optional caption, and the column and
// row sizing that shares the available width among the columns.
#pragma once

#include "viewer/cell.h"
#include "viewer/sectionbase.h"

#include <QRgb>
#include <memory>
#include <vector>

class TableSection : public SectionBase {
public:
    enum class Placement { Left, Center, Right };
    enum VerticalAlign { VAlignTop = 0, VAlignMiddle = 1, VAlignBottom = 2 };

    struct Entry {
        std::unique_ptr<Cell> content;
        int row = 0;
        int column = 0;
        int colSpan = 1;
        int rowSpan = 1;
        int valign = VAlignMiddle;
        bool hasBackground = false;
        QRgb background = 0;
        int widthPercent = 0; // 0: none
        // Layout: the cell's box (x in the enclosing cell's coordinates, y in the document's)
        // and where its content's x = 0 lies.
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        int contentX = 0;
    };

    static constexpr int MaxColSpan = 1000;
    static constexpr int MaxColumns = 1000;
    static constexpr int MaxRowSpan = 65534;

    TableSection(Placement placement, int border, int padding, int spacing, int widthPercent);
    ~TableSection() override;
    Kind kind() const override { return Kind::Table; }

    // Building, as the reader meets the rows and cells. Cells are only ever added: one made
    // lives as long as the table, so what points into it stays valid (see Cell).
    void startRow();
    Cell *addCell(int colSpan, int rowSpan, int valign, bool hasBackground, QRgb background,
                  int widthPercent);
    // The table's one caption, made when first asked for; a later CAPTION adds to it and sets
    // where it stands.
    Cell *openCaption(bool bottom);
    // Places the cells on the grid (row spans reserve the cells below them).
    void finish();

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columnCount; }
    int padding() const { return m_padding; }
    int spacing() const { return m_spacing; }
    int border() const { return m_border; }
    int widthPercent() const { return m_widthPercent; }
    const std::vector<Entry> &entries() const { return m_entries; }
    const Cell *caption() const { return m_caption.get(); }
    const std::vector<int> &columnWidths() const { return m_columnWidths; }
    const std::vector<int> &rowHeights() const { return m_rowHeights; }
    int x() const { return m_x; }
    int width() const { return m_width; }

    // The width distribution on its own: narrowest and widest widths and percentages per
    // column, and the width available (cell spacing already taken off).
    static std::vector<int> distributeWidths(std::vector<int> minW, std::vector<int> maxW,
                                             const std::vector<int> &percent, int available,
                                             bool tableHasPercent);
    // The per-column narrowest and widest widths and percentages from the cells' figures.
    void columnFigures(LayoutContext &ctx, std::vector<int> &minW, std::vector<int> &maxW,
                       std::vector<int> &percent);

    int layout(LayoutContext &ctx, int y, int width, IndentManager &indents,
               int &maxWidth) override;
    void minMaxWidth(LayoutContext &ctx, int &minWidth, int &maxWidth) override;
    void draw(DrawContext &dc) const override;
    void shiftY(int dy) override;
    void invalidateMetrics() override;
    QString linkAt(QPoint p) const override;
    int cursorAt(QPoint p) const override;
    bool cursorToPoint(int position, QPoint &p, int &lineHeight) const override;
    void copyText(int from, int to, QString &out) const override;
    int findText(const QString &lowerText, int from) const override;
    int assignPositions(int start) override;
    int sourceAt(int position, const QString &link) const override;
    void collectSources(std::vector<SourcePlace> &out, int top) const override;
    void shiftSource(int from, int delta) override;

private:
    int overhead() const { return 2 * m_padding + m_spacing; }
    const Entry *entryAt(QPoint p) const;
    std::vector<int> placeColumns(LayoutContext &ctx, int y, IndentManager &indents,
                                  int &maxWidth);
    std::vector<int> layOutCells(LayoutContext &ctx, int y, const std::vector<int> &columnX);
    void computeRowHeights(const std::vector<int> &contentHeight);

    std::vector<Entry> m_entries;
    std::unique_ptr<Cell> m_caption;
    bool m_captionBottom = false;
    Placement m_placement;
    int m_border;
    int m_padding;
    int m_spacing;
    int m_widthPercent;
    int m_rowCount = 0;
    int m_columnCount = 0;
    bool m_finished = false;

    bool m_figuresValid = false;
    std::vector<int> m_colMin, m_colMax, m_colPercent;

    std::vector<int> m_columnWidths;
    std::vector<int> m_rowHeights;
    int m_x = 0;
    int m_width = 0;
    int m_rowsTop = 0;
    int m_captionY = 0;
    int m_captionHeight = 0;
};
