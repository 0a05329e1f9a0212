#include "editor/completionpopup.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int DetailRole = Qt::UserRole + 1;
constexpr int DetailGap = 24;

// Draws an item's detail (an entity's character) right-aligned beside its name.
class DetailDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QString detail = index.data(DetailRole).toString();
        if (detail.isEmpty())
            return;
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText
                                                      : QPalette::PlaceholderText));
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter,
                          detail);
        painter->restore();
    }
};

} // namespace

CompletionPopup::CompletionPopup(QWidget *parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("completionList"));
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new DetailDelegate(this));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    hide();
    connect(this, &QListWidget::itemClicked, this, [this] { Q_EMIT itemChosen(); });
}

void CompletionPopup::setItems(const QVector<CompletionItem> &items) {
    m_items = items;
    clear();
    const QFontMetrics fm(font());
    int widest = 0;
    bool swatches = false;
    // A colour's swatch is a square of the text's height with a frame, so white shows too.
    const int swatch = fm.ascent();
    setIconSize(QSize(swatch, swatch));
    for (const CompletionItem &c : items) {
        auto *item = new QListWidgetItem(c.text, this);
        if (c.color.isValid()) {
            QPixmap square(swatch, swatch);
            square.fill(c.color);
            QPainter frame(&square);
            frame.setPen(palette().color(QPalette::Mid));
            frame.drawRect(0, 0, swatch - 1, swatch - 1);
            item->setIcon(QIcon(square));
            swatches = true;
        }
        item->setData(DetailRole, c.detail);
        int width = fm.horizontalAdvance(c.text);
        if (!c.detail.isEmpty())
            width += DetailGap + fm.horizontalAdvance(c.detail);
        widest = qMax(widest, width);
    }
    setCurrentRow(0);
    const int rowHeight = qMax(sizeHintForRow(0), fm.height());
    const int rows = qMin(int(items.size()), VisibleRows);
    const bool scrolls = items.size() > VisibleRows;
    int width = widest + 16 + 2 * frameWidth();
    if (swatches)
        width += swatch + 8;
    if (scrolls)
        width += verticalScrollBar()->sizeHint().width();
    resize(qBound(fm.horizontalAdvance(QLatin1Char('M')) * 8, width, 420),
           rows * rowHeight + 2 * frameWidth());
}

const CompletionItem &CompletionPopup::currentCompletion() const {
    return m_items.at(qBound(0, currentRow(), int(m_items.size()) - 1));
}

void CompletionPopup::moveSelection(int rows) {
    if (count() == 0)
        return;
    setCurrentRow(qBound(0, currentRow() + rows, count() - 1));
}
