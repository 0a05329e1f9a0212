#include "editor/replacedialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ReplaceDialog::ReplaceDialog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("replaceDialog"));
    setWindowTitle(QStringLiteral("Replace"));

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchText"));
    m_search->setMinimumWidth(220);
    m_replacement = new QLineEdit(this);
    m_replacement->setObjectName(QStringLiteral("replacementText"));

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Fi&nd what:"), m_search);
    fields->addRow(QStringLiteral("Re&place with:"), m_replacement);

    m_findNext = new QPushButton(QStringLiteral("&Find Next"), this);
    m_findNext->setObjectName(QStringLiteral("findNextButton"));
    m_findNext->setDefault(true);
    m_replace = new QPushButton(QStringLiteral("&Replace"), this);
    m_replace->setObjectName(QStringLiteral("replaceButton"));
    m_replace->setAutoDefault(false);
    m_replaceAll = new QPushButton(QStringLiteral("Replace &All"), this);
    m_replaceAll->setObjectName(QStringLiteral("replaceAllButton"));
    m_replaceAll->setAutoDefault(false);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(m_replace);
    buttons->addWidget(m_replaceAll);
    buttons->addWidget(close);
    buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &ReplaceDialog::updateButtons);
    connect(m_findNext, &QPushButton::clicked, this, &ReplaceDialog::findNext);
    connect(m_replace, &QPushButton::clicked, this, &ReplaceDialog::replace);
    connect(m_replaceAll, &QPushButton::clicked, this, &ReplaceDialog::replaceAll);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    updateButtons();
}

QString ReplaceDialog::searchText() const {
    return m_search->text();
}

QString ReplaceDialog::replacementText() const {
    return m_replacement->text();
}

void ReplaceDialog::setSearchText(const QString &text) {
    m_search->setText(text);
    m_search->selectAll();
}

void ReplaceDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    m_search->setFocus();
    m_search->selectAll();
}

// An empty search text is never handed on: it would match nowhere and everywhere at once.
void ReplaceDialog::findNext() {
    if (!m_search->text().isEmpty())
        Q_EMIT findNextRequested(m_search->text());
}

void ReplaceDialog::replace() {
    if (!m_search->text().isEmpty())
        Q_EMIT replaceRequested(m_search->text(), m_replacement->text());
}

void ReplaceDialog::replaceAll() {
    if (!m_search->text().isEmpty())
        Q_EMIT replaceAllRequested(m_search->text(), m_replacement->text());
}

void ReplaceDialog::updateButtons() {
    const bool any = !m_search->text().isEmpty();
    m_findNext->setEnabled(any);
    m_replace->setEnabled(any);
    m_replaceAll->setEnabled(any);
}
