#include "pagecheck/pagecheckpanel.h"

#include "pagecheck/pagefindingsmodel.h"
#include "widgets/icons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

PageCheckPanel::PageCheckPanel(QWidget *parent)
    : QFrame(parent), m_summary(new QLabel(this)), m_list(new QTreeView(this)),
      m_model(new PageFindingsModel(this)) {
    setObjectName(QStringLiteral("pageCheckPanel"));
    setFrameShape(QFrame::NoFrame);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    auto *header = new QHBoxLayout;
    header->setContentsMargins(6, 0, 2, 0);
    m_summary->setObjectName(QStringLiteral("pageCheckSummary"));
    m_summary->setTextFormat(Qt::PlainText);
    header->addWidget(m_summary, 1);
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("pageCheckClose"));
    close->setIcon(marloIcon(QStringLiteral("close")));
    close->setIconSize(QSize(16, 16));
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    close->setToolTip(QStringLiteral("Close the list"));
    connect(close, &QToolButton::clicked, this, &PageCheckPanel::closeRequested);
    header->addWidget(close);
    layout->addLayout(header);

    m_list->setObjectName(QStringLiteral("pageCheckList"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setIconSize(QSize(16, 16));
    m_list->header()->setStretchLastSection(true);
    m_list->header()->setSectionsMovable(false);
    m_list->installEventFilter(this);
    layout->addWidget(m_list, 1);
    // Severity and place as wide as their longest texts, whatever the list holds, so the
    // columns stay put from one check to the next; the message gets the rest.
    PageFinding widest;
    widest.kind = BrokenFileKind;
    widest.line = 88888;
    widest.column = 8888;
    m_model->setFindings({widest});
    m_list->resizeColumnToContents(PageFindingsModel::SeverityColumn);
    m_list->resizeColumnToContents(PageFindingsModel::PlaceColumn);
    m_model->setFindings({});

    // Double-click and Enter both activate an item.
    connect(m_list, &QTreeView::activated, this, [this](const QModelIndex &index) {
        if (!index.isValid())
            return;
        const PageFinding &f = m_model->finding(index.row());
        if (f.line > 0)
            Q_EMIT findingChosen(f);
    });
}

void PageCheckPanel::showFindings(const QString &summary, const PageFindings &findings) {
    m_summary->setText(summary);
    m_model->setFindings(findings);
    if (!findings.isEmpty())
        m_list->setCurrentIndex(m_model->index(0, 0));
}

void PageCheckPanel::clear(const QString &summary) {
    showFindings(summary, {});
}

int PageCheckPanel::heightFor(int rows) const {
    const int row = qMax(m_list->fontMetrics().height() + 4, m_list->iconSize().height() + 2);
    const int frame = 2 * m_list->frameWidth();
    return m_summary->sizeHint().height() + layout()->spacing() +
           layout()->contentsMargins().top() + m_list->header()->sizeHint().height() + frame +
           rows * row;
}

QSize PageCheckPanel::sizeHint() const {
    return {400, heightFor(10)};
}

QSize PageCheckPanel::minimumSizeHint() const {
    return {200, heightFor(3)};
}

QString PageCheckPanel::summary() const {
    return m_summary->text();
}

int PageCheckPanel::findingCount() const {
    return m_model->rowCount();
}

bool PageCheckPanel::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        Q_EMIT leaveRequested();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
