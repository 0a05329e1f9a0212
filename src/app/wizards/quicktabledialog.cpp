#include "wizards/quicktabledialog.h"

#include "widgets/dialogsetup.h"
#include "wizards/tablebuilder.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

// The picking grid: cells of 15 x 15 pixels; the cells of the picked size are filled.
class TableSizePicker : public QWidget {
    Q_OBJECT
public:
    static constexpr int Columns = 6;
    static constexpr int Rows = 10;
    static constexpr int Cell = 15;

    explicit TableSizePicker(QWidget *parent) : QWidget(parent) {
        setObjectName(QStringLiteral("tableSizeGrid"));
        setFixedSize(Columns * Cell + 1, Rows * Cell + 1);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus); // the arrow keys pick the size too
    }
    int columns = 1;
    int rows = 1;

Q_SIGNALS:
    void picked();
    void chosen();

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), palette().base());
        const QColor pick = palette().highlight().color();
        const QColor hover = pick.lighter(170);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Columns; ++c) {
                const QRect cell(c * Cell, r * Cell, Cell, Cell);
                if (c < columns && r < rows)
                    p.fillRect(cell, pick);
                else if (c < m_hoverColumns && r < m_hoverRows)
                    p.fillRect(cell, hover);
            }
        p.setPen(palette().mid().color());
        for (int c = 0; c <= Columns; ++c)
            p.drawLine(c * Cell, 0, c * Cell, Rows * Cell);
        for (int r = 0; r <= Rows; ++r)
            p.drawLine(0, r * Cell, Columns * Cell, r * Cell);
        if (hasFocus()) { // the picked corner, where the arrow keys move from
            p.setPen(QPen(palette().text().color(), 1, Qt::DotLine));
            p.drawRect((columns - 1) * Cell + 2, (rows - 1) * Cell + 2, Cell - 4, Cell - 4);
        }
    }
    void mouseMoveEvent(QMouseEvent *e) override {
        m_hoverColumns = qBound(1, e->position().toPoint().x() / Cell + 1, Columns);
        m_hoverRows = qBound(1, e->position().toPoint().y() / Cell + 1, Rows);
        update();
    }
    void leaveEvent(QEvent *) override {
        m_hoverColumns = m_hoverRows = 0;
        update();
    }
    void mousePressEvent(QMouseEvent *e) override {
        if (e->button() != Qt::LeftButton)
            return;
        columns = qBound(1, e->position().toPoint().x() / Cell + 1, Columns);
        rows = qBound(1, e->position().toPoint().y() / Cell + 1, Rows);
        update();
        Q_EMIT picked();
    }
    void keyPressEvent(QKeyEvent *e) override {
        int c = columns;
        int r = rows;
        switch (e->key()) {
        case Qt::Key_Left: --c; break;
        case Qt::Key_Right: ++c; break;
        case Qt::Key_Up: --r; break;
        case Qt::Key_Down: ++r; break;
        default: QWidget::keyPressEvent(e); return; // Enter is the dialog's Ok
        }
        columns = qBound(1, c, Columns);
        rows = qBound(1, r, Rows);
        update();
        Q_EMIT picked();
    }
    void focusInEvent(QFocusEvent *) override { update(); }
    void focusOutEvent(QFocusEvent *) override { update(); }
    void mouseDoubleClickEvent(QMouseEvent *e) override {
        mousePressEvent(e);
        Q_EMIT chosen();
    }

private:
    int m_hoverColumns = 0;
    int m_hoverRows = 0;
};

QuickTableDialog::QuickTableDialog(QWidget *parent)
    : QDialog(parent), m_picker(new TableSizePicker(this)), m_ok(new QPushButton(this)) {
    setWindowTitle(QStringLiteral("Quick Table"));
    DialogSetup::install(this);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_picker, 0, Qt::AlignHCenter);
    auto *buttons = new QHBoxLayout;
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton *b : {m_ok, cancel})
        b->setMinimumWidth(48);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_picker, &TableSizePicker::picked, this, &QuickTableDialog::sizePicked);
    connect(m_picker, &TableSizePicker::chosen, this, &QDialog::accept);
    sizePicked();
}

int QuickTableDialog::columns() const { return m_picker->columns; }

int QuickTableDialog::rows() const { return m_picker->rows; }

QStringList QuickTableDialog::block() const { return buildQuickTableBlock(columns(), rows()); }

void QuickTableDialog::sizePicked() {
    m_ok->setText(QStringLiteral("%1x%2").arg(columns()).arg(rows()));
}

void QuickTableDialog::placeAt(const QPoint &point) {
    adjustSize();
    move(qMax(0, point.x() - width()), point.y());
}

#include "quicktabledialog.moc"
