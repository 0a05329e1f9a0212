#include "wizards/tablebuilder.h"

#include "wizards/htmlattributes.h"

#include <QtGlobal>

bool TableCellAttributes::operator==(const TableCellAttributes &o) const {
    return align == o.align && valign == o.valign && width == o.width && height == o.height &&
           colspan == o.colspan && rowspan == o.rowspan && nowrap == o.nowrap &&
           bgcolor == o.bgcolor && bordercolor == o.bordercolor &&
           bordercolorlight == o.bordercolorlight && bordercolordark == o.bordercolordark &&
           background == o.background;
}

TableContent::TableContent(int columns, int rows) { resize(columns, rows); }

void TableContent::resize(int columns, int rows) {
    columns = qBound(1, columns, MaxColumns);
    rows = qBound(1, rows, MaxRows);
    cells.resize(rows);
    texts.resize(rows);
    for (int r = 0; r < rows; ++r) {
        cells[r].resize(columns);
        texts[r].resize(columns);
    }
}

QString caretCode(int column, int linesUp) {
    return QStringLiteral("%1%2").arg(column, 2, 10, QLatin1Char('0')).arg(linesUp, 2, 10,
                                                                         QLatin1Char('0'));
}

QStringList buildTableBlock(const TableContent &content) {
    const TableAttributes &t = content.table;
    QString tag = QStringLiteral("<TABLE");
    tag += attribute("CELLPADDING", t.cellpadding);
    tag += attribute("CELLSPACING", t.cellspacing);
    tag += attribute("WIDTH", t.width);
    tag += attribute("HEIGHT", t.height);
    tag += attribute("BORDER", t.border);
    tag += attribute("ALIGN", t.align.toUpper());
    tag += attribute("VALIGN", t.valign.toUpper());
    tag += colorAttribute("BGCOLOR", t.bgcolor);
    tag += colorAttribute("BORDERCOLOR", t.bordercolor);
    tag += colorAttribute("BORDERCOLORLIGHT", t.bordercolorlight);
    tag += colorAttribute("BORDERCOLORDARK", t.bordercolordark);
    tag += attribute("FRAME", t.frame.toUpper());
    tag += attribute("RULES", t.rules.toUpper());
    tag += attribute("BACKGROUND", t.background);
    tag += QLatin1Char('>');

    QStringList lines{tag, QStringLiteral("       <CAPTION>") + t.caption +
                               QStringLiteral("</CAPTION>")};
    for (int r = 0; r < content.rows(); ++r) {
        lines << QStringLiteral("<TR>");
        for (int c = 0; c < content.columns(); ++c) {
            const TableCellAttributes &a = content.cells[r][c];
            QString cell = QStringLiteral("\t<TD");
            cell += attribute("ALIGN", a.align.toUpper());
            cell += attribute("VALIGN", a.valign.toUpper());
            cell += attribute("WIDTH", a.width);
            cell += attribute("HEIGHT", a.height);
            cell += attribute("COLSPAN", a.colspan);
            cell += attribute("ROWSPAN", a.rowspan);
            if (a.nowrap)
                cell += QStringLiteral(" NOWRAP");
            cell += colorAttribute("BGCOLOR", a.bgcolor);
            cell += colorAttribute("BORDERCOLOR", a.bordercolor);
            cell += colorAttribute("BORDERCOLORLIGHT", a.bordercolorlight);
            cell += colorAttribute("BORDERCOLORDARK", a.bordercolordark);
            cell += attribute("BACKGROUND", a.background);
            cell += QLatin1Char('>') + content.texts[r][c] + QStringLiteral("</TD>");
            lines << cell;
        }
        lines << QStringLiteral("</TR>");
    }
    lines << QStringLiteral("</TABLE>") << BlockEnd << caretCode(0, 0);
    return lines;
}

QStringList buildQuickTableBlock(int columns, int rows) {
    QStringList lines{QStringLiteral("<TABLE>")};
    for (int r = 0; r < rows; ++r) {
        lines << QStringLiteral("<TR>");
        for (int c = 0; c < columns; ++c)
            lines << QStringLiteral("\t<TD></TD>");
        lines << QStringLiteral("</TR>");
    }
    lines << QStringLiteral("</TABLE>") << BlockEnd << caretCode(5, rows * (columns + 2));
    return lines;
}
