#include "wizards/tableeditordialog.h"

#include "shell/appcontext.h"
#include "shell/prompts.h"
#include "widgets/dialogsetup.h"
#include "wizards/colorfields.h"
#include "wizards/fieldchoices.h"
#include "wizards/numberfield.h"
#include "wizards/tagbuilders.h"
#include "wizards/wizardtexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int ColumnWidth = 90;
constexpr int RowHeight = 30;
constexpr int MaxNumber = 9999;
const QString PictureFilter = QStringLiteral("Image Files (*.gif *.jpg *.jpeg)");

// The order of the colour fields in the dialog's colour group.
enum Colour {
    CellBg, CellBorder, CellBorderLight, CellBorderDark,
    TableBg, TableBorder, TableBorderLight, TableBorderDark
};

QComboBox *dropDown(QWidget *parent, const QString &objectName, const QStringList &items) {
    auto *box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->addItem(QString());
    box->addItems(items);
    box->setMinimumWidth(110);
    return box;
}

NumberField *number(QWidget *parent, const QString &objectName, const QString &value) {
    auto *field = new NumberField(0, MaxNumber, true, parent);
    field->setObjectName(objectName);
    field->setNumber(value);
    return field;
}

QFormLayout *formOn(QWidget *page) {
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    Q_UNUSED(page);
    return form;
}

} // namespace

TableEditorDialog::TableEditorDialog(AppContext &ctx,
                                     std::function<QString(const QString &)> reference,
                                     QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_reference(std::move(reference)),
      m_grid(new QTableWidget(1, 1, this)), m_columnLabel(new QLabel(this)),
      m_rowLabel(new QLabel(this)), m_tabs(new QTabWidget(this)),
      m_colors(new ColorFields(ctx, this)) {
    setWindowTitle(QStringLiteral("Table Editor"));
    DialogSetup::install(this);
    setObjectName(QStringLiteral("tableEditor"));

    m_grid->setObjectName(QStringLiteral("cellGrid"));
    m_grid->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->setMinimumHeight(4 * RowHeight);
    m_grid->setCurrentCell(0, 0);
    m_columnLabel->setObjectName(QStringLiteral("currentColumn"));
    m_rowLabel->setObjectName(QStringLiteral("currentRow"));

    m_tabs->setObjectName(QStringLiteral("pages"));
    m_tabs->addTab(buildTablePage(), QStringLiteral("Table properties"));
    m_tabs->addTab(buildCellPage(), QStringLiteral("Cell properties"));
    m_tabs->addTab(buildExtrasPage(), QStringLiteral("IE table properties"));

    auto *labels = new QHBoxLayout;
    labels->addWidget(m_columnLabel);
    labels->addSpacing(24);
    labels->addWidget(m_rowLabel);
    labels->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto button = [this, buttons](const QString &text, const QString &name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    QPushButton *ok = button(QStringLiteral("Ok"), QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton *resetButton = button(QStringLiteral("Reset"), QStringLiteral("resetButton"));
    QPushButton *cancel = button(QStringLiteral("Cancel"), QStringLiteral("cancelButton"));
    QPushButton *help = button(QStringLiteral("Help"), QStringLiteral("helpButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(resetButton, &QPushButton::clicked, this, &TableEditorDialog::reset);
    connect(help, &QPushButton::clicked, this,
            [this] { Q_EMIT helpRequested(QStringLiteral("tableeditorp")); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(labels);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { showCell(row, column); });
    connect(m_colors, &ColorFields::changed, this, [this](int index) {
        if (index <= CellBorderDark)
            storeCell();
    });
    showCell(0, 0);
    resize(640, 640);
}

QWidget *TableEditorDialog::buildTablePage() {
    auto *page = new QWidget(m_tabs);
    auto *grid = new QGridLayout(page);
    auto *left = formOn(page);
    auto *right = formOn(page);
    m_columns = new NumberField(1, TableContent::MaxColumns, false, page);
    m_columns->setObjectName(QStringLiteral("columns"));
    m_rows = new NumberField(1, TableContent::MaxRows, false, page);
    m_rows->setObjectName(QStringLiteral("rows"));
    for (NumberField *f : {m_columns, m_rows}) {
        f->setSpinOnly();
        connect(f, &QSpinBox::valueChanged, this, &TableEditorDialog::resizeGrid);
    }
    m_width = number(page, QStringLiteral("tableWidth"), QStringLiteral("0"));
    m_height = number(page, QStringLiteral("tableHeight"), QStringLiteral("0"));
    m_cellpadding = number(page, QStringLiteral("cellpadding"), QStringLiteral("0"));
    m_cellspacing = number(page, QStringLiteral("cellspacing"), QStringLiteral("0"));
    m_border = number(page, QStringLiteral("border"), QStringLiteral("0"));
    m_align = dropDown(page, QStringLiteral("tableAlign"), alignmentItems());
    m_caption = new QLineEdit(page);
    m_caption->setObjectName(QStringLiteral("caption"));
    left->addRow(QStringLiteral("Columns:"), m_columns);
    left->addRow(QStringLiteral("Rows:"), m_rows);
    left->addRow(QStringLiteral("Width:"), m_width);
    left->addRow(QStringLiteral("Height:"), m_height);
    right->addRow(QStringLiteral("Cellpadding:"), m_cellpadding);
    right->addRow(QStringLiteral("Cellspacing:"), m_cellspacing);
    right->addRow(QStringLiteral("Border:"), m_border);
    right->addRow(QStringLiteral("Align:"), m_align);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    auto *caption = new QFormLayout;
    caption->addRow(QStringLiteral("Table Caption"), m_caption);
    grid->addLayout(caption, 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    return page;
}

QLineEdit *TableEditorDialog::pictureField(QWidget *page, const QString &objectName,
                                           QWidget **row) {
    *row = new QWidget(page);
    auto *layout = new QHBoxLayout(*row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *edit = new QLineEdit(*row);
    edit->setObjectName(objectName);
    auto *browse = new QToolButton(*row);
    browse->setObjectName(objectName + QStringLiteral("Browse"));
    browse->setText(QStringLiteral("..."));
    layout->addWidget(edit, 1);
    layout->addWidget(browse);
    connect(browse, &QToolButton::clicked, this, [this, edit] {
        const QString file =
            m_ctx.prompt().openFileName(QStringLiteral("Background"), QString(), PictureFilter);
        if (!file.isEmpty())
            edit->setText(m_reference(file));
    });
    return edit;
}

QWidget *TableEditorDialog::buildCellPage() {
    auto *page = new QWidget(m_tabs);
    auto *grid = new QGridLayout(page);
    auto *left = formOn(page);
    auto *right = formOn(page);
    m_cellAlign = dropDown(page, QStringLiteral("cellAlign"), cellAlignItems());
    m_cellValign = dropDown(page, QStringLiteral("cellValign"), cellVerticalAlignItems());
    m_cellWidth = number(page, QStringLiteral("cellWidth"), QString());
    m_cellHeight = number(page, QStringLiteral("cellHeight"), QString());
    m_colspan = number(page, QStringLiteral("colspan"), QString());
    m_rowspan = number(page, QStringLiteral("rowspan"), QString());
    m_nowrap = new QCheckBox(QStringLiteral("Nowrap"), page);
    m_nowrap->setObjectName(QStringLiteral("nowrap"));
    QWidget *backgroundRow = nullptr;
    m_cellBackground = pictureField(page, QStringLiteral("cellBackground"), &backgroundRow);

    left->addRow(QStringLiteral("Align:"), m_cellAlign);
    left->addRow(QStringLiteral("V-Align:"), m_cellValign);
    left->addRow(QStringLiteral("Width:"), m_cellWidth);
    left->addRow(QStringLiteral("Height:"), m_cellHeight);
    left->addRow(QStringLiteral("Colspan:"), m_colspan);
    left->addRow(QStringLiteral("Rowspan:"), m_rowspan);
    right->addRow(QStringLiteral("Bgcolor:"), m_colors->add(QStringLiteral("cellBgcolor")));
    right->addRow(QStringLiteral("Bordercolor:"),
                  m_colors->add(QStringLiteral("cellBordercolor")));
    right->addRow(QStringLiteral("Bordercolorlight:"),
                  m_colors->add(QStringLiteral("cellBordercolorlight")));
    right->addRow(QStringLiteral("Bordercolordark:"),
                  m_colors->add(QStringLiteral("cellBordercolordark")));
    right->addRow(QStringLiteral("Background:"), backgroundRow);
    right->addRow(QString(), m_nowrap);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->setColumnStretch(1, 1);
    auto *forAll = new QPushButton(QStringLiteral("Use these values for all cells"), page);
    forAll->setObjectName(QStringLiteral("useForAllButton"));
    grid->addWidget(forAll, 1, 0, 1, 2, Qt::AlignLeft);
    grid->setRowStretch(2, 1);
    connect(forAll, &QPushButton::clicked, this, &TableEditorDialog::useForAllCells);

    for (QComboBox *b : {m_cellAlign, m_cellValign})
        connect(b, &QComboBox::currentIndexChanged, this, &TableEditorDialog::storeCell);
    for (NumberField *f : {m_cellWidth, m_cellHeight, m_colspan, m_rowspan})
        connect(f, &QSpinBox::valueChanged, this, &TableEditorDialog::storeCell);
    connect(m_nowrap, &QCheckBox::toggled, this, &TableEditorDialog::storeCell);
    connect(m_cellBackground, &QLineEdit::textChanged, this, &TableEditorDialog::storeCell);
    return page;
}

QWidget *TableEditorDialog::buildExtrasPage() {
    auto *page = new QWidget(m_tabs);
    auto *grid = new QGridLayout(page);
    auto *left = formOn(page);
    auto *right = formOn(page);
    m_valign = dropDown(page, QStringLiteral("tableValign"), tableVerticalAlignItems());
    m_frame = dropDown(page, QStringLiteral("frame"), tableFrameItems());
    m_rules = dropDown(page, QStringLiteral("rules"), tableRulesItems());
    QWidget *backgroundRow = nullptr;
    m_background = pictureField(page, QStringLiteral("tableBackground"), &backgroundRow);
    left->addRow(QStringLiteral("Valign:"), m_valign);
    left->addRow(QStringLiteral("Frame:"), m_frame);
    left->addRow(QStringLiteral("Rules:"), m_rules);
    right->addRow(QStringLiteral("BGColor:"), m_colors->add(QStringLiteral("tableBgcolor")));
    right->addRow(QStringLiteral("Bordercolor:"),
                  m_colors->add(QStringLiteral("tableBordercolor")));
    right->addRow(QStringLiteral("Bordercolorlight:"),
                  m_colors->add(QStringLiteral("tableBordercolorlight")));
    right->addRow(QStringLiteral("Bordercolordark:"),
                  m_colors->add(QStringLiteral("tableBordercolordark")));
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    auto *background = new QFormLayout;
    background->addRow(QStringLiteral("Background image:"), backgroundRow);
    grid->addLayout(background, 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    return page;
}

void TableEditorDialog::resizeGrid() {
    m_content.resize(m_columns->value(), m_rows->value());
    m_grid->setColumnCount(m_content.columns());
    m_grid->setRowCount(m_content.rows());
    if (m_grid->currentRow() < 0)
        m_grid->setCurrentCell(0, 0);
    showCell(qMax(0, m_grid->currentRow()), qMax(0, m_grid->currentColumn()));
}

void TableEditorDialog::showCell(int row, int column) {
    if (row < 0 || column < 0 || row >= m_content.rows() || column >= m_content.columns())
        return;
    m_columnLabel->setText(QStringLiteral("Current Column: %1").arg(column + 1));
    m_rowLabel->setText(QStringLiteral("Current Row: %1").arg(row + 1));
    const TableCellAttributes &a = m_content.cells[row][column];
    m_loadingCell = true;
    m_cellAlign->setCurrentText(a.align);
    m_cellValign->setCurrentText(a.valign);
    m_cellWidth->setNumber(a.width);
    m_cellHeight->setNumber(a.height);
    m_colspan->setNumber(a.colspan);
    m_rowspan->setNumber(a.rowspan);
    m_nowrap->setChecked(a.nowrap);
    m_colors->setText(CellBg, a.bgcolor);
    m_colors->setText(CellBorder, a.bordercolor);
    m_colors->setText(CellBorderLight, a.bordercolorlight);
    m_colors->setText(CellBorderDark, a.bordercolordark);
    m_cellBackground->setText(a.background);
    m_loadingCell = false;
}

TableCellAttributes TableEditorDialog::cellFields() const {
    TableCellAttributes a;
    a.align = m_cellAlign->currentText();
    a.valign = m_cellValign->currentText();
    a.width = m_cellWidth->number();
    a.height = m_cellHeight->number();
    a.colspan = m_colspan->number();
    a.rowspan = m_rowspan->number();
    a.nowrap = m_nowrap->isChecked();
    a.bgcolor = m_colors->text(CellBg);
    a.bordercolor = m_colors->text(CellBorder);
    a.bordercolorlight = m_colors->text(CellBorderLight);
    a.bordercolordark = m_colors->text(CellBorderDark);
    a.background = m_cellBackground->text();
    return a;
}

void TableEditorDialog::storeCell() {
    const int row = m_grid->currentRow();
    const int column = m_grid->currentColumn();
    if (m_loadingCell || row < 0 || column < 0)
        return;
    m_content.cells[row][column] = cellFields();
}

void TableEditorDialog::useForAllCells() {
    if (m_ctx.prompt().askYesNo(Prompts::Kind::Confirmation,
                                WizardTexts::ConfirmUseForAllCells) != Prompts::Answer::Yes)
        return;
    const TableCellAttributes a = cellFields();
    for (auto &row : m_content.cells)
        for (TableCellAttributes &cell : row)
            cell = a;
}

void TableEditorDialog::reset() {
    if (m_ctx.prompt().askYesNo(Prompts::Kind::Confirmation, WizardTexts::ConfirmResetTable) !=
        Prompts::Answer::Yes)
        return;
    m_content = TableContent();
    m_grid->clearContents();
    m_columns->setValue(1);
    m_rows->setValue(1);
    for (NumberField *f : {m_width, m_height, m_cellpadding, m_cellspacing, m_border})
        f->setNumber(QStringLiteral("0"));
    m_caption->clear();
    m_background->clear();
    for (QComboBox *b : {m_align, m_valign, m_frame, m_rules})
        b->setCurrentIndex(0);
    for (int i = TableBg; i <= TableBorderDark; ++i)
        m_colors->setText(i, QString());
    m_grid->setCurrentCell(0, 0);
    showCell(0, 0); // the emptied record: empty fields, "no" colours, Nowrap cleared
}

TableContent TableEditorDialog::content() const {
    TableContent c = m_content;
    TableAttributes &t = c.table;
    t.cellpadding = m_cellpadding->number();
    t.cellspacing = m_cellspacing->number();
    t.width = m_width->number();
    t.height = m_height->number();
    t.border = m_border->number();
    t.align = m_align->currentText();
    t.caption = m_caption->text();
    t.valign = m_valign->currentText();
    t.bgcolor = m_colors->text(TableBg);
    t.bordercolor = m_colors->text(TableBorder);
    t.bordercolorlight = m_colors->text(TableBorderLight);
    t.bordercolordark = m_colors->text(TableBorderDark);
    t.frame = m_frame->currentText();
    t.rules = m_rules->currentText();
    t.background = m_background->text();
    for (int r = 0; r < c.rows(); ++r)
        for (int col = 0; col < c.columns(); ++col) {
            const QTableWidgetItem *item = m_grid->item(r, col);
            c.texts[r][col] = item ? item->text() : QString();
        }
    return c;
}
