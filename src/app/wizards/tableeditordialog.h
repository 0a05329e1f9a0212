// "Table Editor": a grid in which the cell texts are typed, the table, cell and Internet
// Explorer table attributes on three pages, and the table block built from them on Ok. Each
// cell keeps its own attributes; the cell page always shows the current cell's.
#pragma once

#include "wizards/tablebuilder.h"

#include <QDialog>
#include <functional>

struct AppContext;
class ColorFields;
class NumberField;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTabWidget;

class TableEditorDialog : public QDialog {
    Q_OBJECT
public:
    // `reference` turns a chosen picture file into the text written into BACKGROUND.
    TableEditorDialog(AppContext &ctx, std::function<QString(const QString &)> reference,
                      QWidget *parent = nullptr);

    // The table as the fields and the grid describe it.
    TableContent content() const;
    QStringList block() const { return buildTableBlock(content()); }

Q_SIGNALS:
    void helpRequested(const QString &topic);

private:
    QWidget *buildTablePage();
    QWidget *buildCellPage();
    QWidget *buildExtrasPage();
    QLineEdit *pictureField(QWidget *page, const QString &objectName, QWidget **row);
    void resizeGrid();
    void showCell(int row, int column);
    void storeCell();
    TableCellAttributes cellFields() const;
    void useForAllCells();
    void reset();

    AppContext &m_ctx;
    std::function<QString(const QString &)> m_reference;
    TableContent m_content;
    bool m_loadingCell = false;

    QTableWidget *m_grid;
    QLabel *m_columnLabel;
    QLabel *m_rowLabel;
    QTabWidget *m_tabs;
    ColorFields *m_colors;

    // Table page.
    NumberField *m_columns;
    NumberField *m_rows;
    NumberField *m_width;
    NumberField *m_height;
    NumberField *m_cellpadding;
    NumberField *m_cellspacing;
    NumberField *m_border;
    QComboBox *m_align;
    QLineEdit *m_caption;
    // Cell page.
    QComboBox *m_cellAlign;
    QComboBox *m_cellValign;
    NumberField *m_cellWidth;
    NumberField *m_cellHeight;
    NumberField *m_colspan;
    NumberField *m_rowspan;
    QCheckBox *m_nowrap;
    QLineEdit *m_cellBackground;
    // Internet Explorer page.
    QComboBox *m_valign;
    QComboBox *m_frame;
    QComboBox *m_rules;
    QLineEdit *m_background;
};
