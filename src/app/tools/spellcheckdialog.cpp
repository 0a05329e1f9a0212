#include "tools/spellcheckdialog.h"

#include "tools/tooltexts.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

SpellCheckDialog::SpellCheckDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      m_notFound(new QLineEdit(this)), m_replaceWith(new QLineEdit(this)),
      m_suggestions(new QListWidget(this)), m_replace(new QPushButton(QStringLiteral("Replace"), this)),
      m_replaceAll(new QPushButton(QStringLiteral("Replace All"), this)) {
    setObjectName(QStringLiteral("spellCheckDialog"));
    setWindowTitle(SpellTexts::DialogCaption);
    setModal(false);
    m_notFound->setObjectName(QStringLiteral("notFound"));
    m_notFound->setReadOnly(true);
    m_replaceWith->setObjectName(QStringLiteral("replaceWith"));
    m_suggestions->setObjectName(QStringLiteral("suggestions"));
    m_replace->setObjectName(QStringLiteral("replaceButton"));
    m_replaceAll->setObjectName(QStringLiteral("replaceAllButton"));

    auto *suggestWord = new QPushButton(QStringLiteral("Suggest"), this);
    suggestWord->setObjectName(QStringLiteral("suggestWordButton"));
    auto *suggestReplacement = new QPushButton(QStringLiteral("Suggest"), this);
    suggestReplacement->setObjectName(QStringLiteral("suggestReplacementButton"));
    auto *ignore = new QPushButton(QStringLiteral("Ignore"), this);
    ignore->setObjectName(QStringLiteral("ignoreButton"));
    ignore->setDefault(true);
    auto *ignoreAll = new QPushButton(QStringLiteral("Ignore All"), this);
    ignoreAll->setObjectName(QStringLiteral("ignoreAllButton"));
    auto *addWord = new QPushButton(QStringLiteral("Add to dictionary"), this);
    addWord->setObjectName(QStringLiteral("addToDictionaryButton"));
    auto *help = new QPushButton(QStringLiteral("Help"), this);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton *b : {suggestWord, suggestReplacement, m_replace, m_replaceAll, ignore,
                           ignoreAll, addWord, help, cancel})
        b->setAutoDefault(false);
    ignore->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Not found:"), this), 0, 0);
    grid->addWidget(m_notFound, 0, 1);
    grid->addWidget(suggestWord, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Replace with:"), this), 1, 0);
    grid->addWidget(m_replaceWith, 1, 1);
    grid->addWidget(suggestReplacement, 1, 2);
    grid->addWidget(m_suggestions, 2, 1, 6, 1);
    grid->addWidget(ignore, 2, 2);
    grid->addWidget(ignoreAll, 3, 2);
    grid->addWidget(addWord, 4, 2);
    grid->addWidget(m_replace, 5, 2);
    grid->addWidget(m_replaceAll, 6, 2);
    auto *bottom = new QVBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(help);
    bottom->addWidget(cancel);
    grid->addLayout(bottom, 7, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(7, 1);
    resize(440, 290);

    connect(m_replaceWith, &QLineEdit::textChanged, this, [this](const QString &t) {
        m_replace->setEnabled(!t.isEmpty());
        m_replaceAll->setEnabled(!t.isEmpty());
    });
    connect(m_suggestions, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (item->text() != SpellTexts::NoSuggestions)
            m_replaceWith->setText(item->text());
    });
    connect(suggestWord, &QPushButton::clicked, this, [this] {
        const QStringList found = m_suggest ? m_suggest(m_notFound->text()) : QStringList();
        m_replaceWith->clear();
        fillSuggestions(found);
        if (!found.isEmpty())
            m_replaceWith->setText(found.first());
    });
    connect(suggestReplacement, &QPushButton::clicked, this, [this] {
        if (!m_replaceWith->text().isEmpty())
            fillSuggestions(m_suggest ? m_suggest(m_replaceWith->text()) : QStringList());
    });
    connect(m_replace, &QPushButton::clicked, this, [this] { answer(SpellAnswer::Replace); });
    connect(m_replaceAll, &QPushButton::clicked, this, [this] { answer(SpellAnswer::ReplaceAll); });
    connect(ignore, &QPushButton::clicked, this, [this] { answer(SpellAnswer::Ignore); });
    connect(ignoreAll, &QPushButton::clicked, this, [this] { answer(SpellAnswer::IgnoreAll); });
    connect(addWord, &QPushButton::clicked, this,
            [this] { answer(SpellAnswer::AddToDictionary); });
    connect(help, &QPushButton::clicked, this, &SpellCheckDialog::helpRequested);
    connect(cancel, &QPushButton::clicked, this, [this] { answer(SpellAnswer::Cancel); });
}

void SpellCheckDialog::setQuestion(const QString &checkedWord, const QStringList &suggestions) {
    m_notFound->setText(checkedWord);
    m_replaceWith->clear();
    m_replace->setEnabled(false);
    m_replaceAll->setEnabled(false);
    fillSuggestions(suggestions);
}

void SpellCheckDialog::fillSuggestions(const QStringList &suggestions) {
    m_suggestions->clear();
    if (suggestions.isEmpty())
        m_suggestions->addItem(SpellTexts::NoSuggestions);
    else
        m_suggestions->addItems(suggestions);
}

void SpellCheckDialog::answer(SpellAnswer::Action action) {
    Q_EMIT answered(SpellAnswer{action, m_replaceWith->text()});
}

void SpellCheckDialog::reject() { answer(SpellAnswer::Cancel); }

void SpellCheckDialog::closeEvent(QCloseEvent *event) {
    // Closing the window while a word waits is Cancel; the check closes it itself at the end.
    if (isVisible())
        answer(SpellAnswer::Cancel);
    event->accept();
}
