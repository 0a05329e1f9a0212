#include "documents/recoverydialog.h"

#include "recovery/recoverytexts.h"
#include "shell/fileaccess.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { PageColumn, TimeColumn, SizeColumn, NoteColumn };

QString noteOf(const RecoverablePage &page) {
    if (!page.recoverable())
        return page.contents.problem.left(1).toUpper() + page.contents.problem.mid(1) +
               QLatin1Char('.');
    switch (page.disk) {
    case RecoverablePage::Disk::Changed:
        return RecoveryTexts::changedOnDisk();
    case RecoverablePage::Disk::Gone:
        return RecoveryTexts::goneFromDisk();
    default:
        return QString();
    }
}

} // namespace

RecoveryDialog::RecoveryDialog(const QList<RecoverablePage> &pages, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("recoveryDialog"));
    setWindowTitle(RecoveryTexts::dialogCaption());
    auto *layout = new QVBoxLayout(this);

    auto *intro = new QLabel(RecoveryTexts::dialogIntro(), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("recoveryList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({RecoveryTexts::pageColumn(), RecoveryTexts::lastChangeColumn(),
                             RecoveryTexts::sizeColumn(), RecoveryTexts::noteColumn()});
    const QLocale locale = QLocale::system();
    for (int i = 0; i < pages.size(); ++i) {
        const RecoverablePage &page = pages[i];
        const JournalContents &c = page.contents;
        auto *item = new QTreeWidgetItem(m_list);
        if (page.recoverable()) {
            item->setText(PageColumn, c.header.untitled
                                          ? RecoveryTexts::untitled()
                                          : QDir::toNativeSeparators(c.header.pageName));
            item->setToolTip(PageColumn, QDir::toNativeSeparators(c.header.pageName));
            item->setText(TimeColumn,
                          locale.toString(c.lastChange.toLocalTime(), QLocale::ShortFormat));
            item->setText(SizeColumn, fileSizeText(page.bytes));
            item->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
            item->setCheckState(PageColumn, Qt::Checked);
        } else {
            // Shown so the user knows it is there, but never applied.
            item->setText(PageColumn, QDir::toNativeSeparators(page.journal));
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
        }
        item->setText(NoteColumn, noteOf(page));
        item->setToolTip(NoteColumn, item->text(NoteColumn));
        item->setData(PageColumn, Qt::UserRole, i);
    }
    m_list->header()->setStretchLastSection(true);
    for (int c = PageColumn; c < NoteColumn; ++c)
        m_list->resizeColumnToContents(c);
    m_list->setColumnWidth(PageColumn, qMin(m_list->columnWidth(PageColumn) + 8, 420));
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    layout->addWidget(m_list, 1);

    auto *buttons = new QDialogButtonBox(this);
    m_recover = buttons->addButton(RecoveryTexts::recoverButton(), QDialogButtonBox::AcceptRole);
    m_recover->setObjectName(QStringLiteral("recoverButton"));
    m_recover->setDefault(true);
    m_discard =
        buttons->addButton(RecoveryTexts::discardButton(), QDialogButtonBox::DestructiveRole);
    m_discard->setObjectName(QStringLiteral("discardButton"));
    QPushButton *later =
        buttons->addButton(RecoveryTexts::laterButton(), QDialogButtonBox::RejectRole);
    later->setObjectName(QStringLiteral("laterButton"));
    layout->addWidget(buttons);
    connect(m_recover, &QPushButton::clicked, this,
            [this] { finish(RecoveryChoice::Action::Recover); });
    connect(m_discard, &QPushButton::clicked, this,
            [this] { finish(RecoveryChoice::Action::Discard); });
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemChanged, this, &RecoveryDialog::followTicks);
    followTicks();

    setTabOrder(m_list, m_recover);
    setTabOrder(m_recover, m_discard);
    setTabOrder(m_discard, later);
    m_list->setFocus();
    resize(qMax(640, sizeHint().width()), 320);
}

void RecoveryDialog::followTicks() {
    bool any = false;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        any = any || m_list->topLevelItem(i)->checkState(PageColumn) == Qt::Checked;
    m_recover->setEnabled(any);
    m_discard->setEnabled(any);
}

void RecoveryDialog::finish(RecoveryChoice::Action action) {
    m_choice.action = action;
    m_choice.pages.clear();
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_list->topLevelItem(i);
        if (item->checkState(PageColumn) == Qt::Checked)
            m_choice.pages << item->data(PageColumn, Qt::UserRole).toInt();
    }
    accept();
}

RecoveryChoice RecoveryDialog::choose(const QList<RecoverablePage> &pages, QWidget *parent) {
    RecoveryDialog dialog(pages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return RecoveryChoice();
    return dialog.choice();
}
