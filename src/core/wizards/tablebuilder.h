// The HTML of the table editor and of the quick table: whole tables as blocks of lines for the
// editor's block insertion (lines, "\end", caret code).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One cell's attributes. Strings are written when not empty; colours also not when "no".
struct TableCellAttributes {
    QString align;
    QString valign;
    QString width;
    QString height;
    QString colspan;
    QString rowspan;
    bool nowrap = false;
    QString bgcolor = QStringLiteral("no");
    QString bordercolor = QStringLiteral("no");
    QString bordercolorlight = QStringLiteral("no");
    QString bordercolordark = QStringLiteral("no");
    QString background;

    bool operator==(const TableCellAttributes &o) const;
};

struct TableAttributes {
    QString cellpadding = QStringLiteral("0");
    QString cellspacing = QStringLiteral("0");
    QString width = QStringLiteral("0");
    QString height = QStringLiteral("0");
    QString border = QStringLiteral("0");
    QString align;
    QString caption;
    // The Internet Explorer extras.
    QString valign;
    QString bgcolor = QStringLiteral("no");
    QString bordercolor = QStringLiteral("no");
    QString bordercolorlight = QStringLiteral("no");
    QString bordercolordark = QStringLiteral("no");
    QString frame;
    QString rules;
    QString background;
};

// A table of rows x columns cells, each with its text and attributes.
struct TableContent {
    static constexpr int MaxColumns = 20;
    static constexpr int MaxRows = 30;

    TableAttributes table;
    // cells[row][column]; every row has the same number of columns.
    QList<QList<TableCellAttributes>> cells;
    QList<QStringList> texts;

    TableContent(int columns = 1, int rows = 1);
    int columns() const { return cells.isEmpty() ? 0 : int(cells.first().size()); }
    int rows() const { return int(cells.size()); }
    // Grows or shrinks to the given size (clamped to 1..20 columns, 1..30 rows); cells that stay
    // keep their text and attributes, cells that come back start empty.
    void resize(int columns, int rows);
};

// "<TABLE ...>", the caption line, one "<TR>" ... "</TR>" group per row with one "\t<TD ...>"
// line per cell, "</TABLE>", then "\end" and the caret code "0000".
QStringList buildTableBlock(const TableContent &content);
// An empty table of the given size with the caret inside its first cell.
QStringList buildQuickTableBlock(int columns, int rows);
// The caret code of a block: two digits of column, two digits of lines up from the line after
// the block.
QString caretCode(int column, int linesUp);
