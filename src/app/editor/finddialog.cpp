#include "editor/finddialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindDialog::FindDialog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("Find"));

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchText"));
    m_search->setMinimumWidth(220);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Fi&nd what:"), m_search);

    m_findNext = new QPushButton(QStringLiteral("&Find Next"), this);
    m_findNext->setObjectName(QStringLiteral("findNextButton"));
    m_findNext->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(close);
    buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &FindDialog::updateButtons);
    connect(m_findNext, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    updateButtons();
}

QString FindDialog::searchText() const {
    return m_search->text();
}

void FindDialog::setSearchText(const QString &text) {
    m_search->setText(text);
    m_search->selectAll();
}

void FindDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    m_search->setFocus();
    m_search->selectAll();
}

void FindDialog::findNext() {
    // An empty search text is never handed on: it would match nowhere and everywhere at once.
    if (m_search->text().isEmpty())
        return;
    Q_EMIT findNextRequested(m_search->text());
}

void FindDialog::updateButtons() {
    m_findNext->setEnabled(!m_search->text().isEmpty());
}
