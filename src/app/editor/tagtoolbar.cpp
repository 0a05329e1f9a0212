#include "editor/tagtoolbar.h"

#include "widgets/icons.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int ButtonHeight = 26;
}

TagToolbar::TagToolbar(QWidget *parent)
    : QWidget(parent), m_tabs(new QTabBar(this)), m_pages(new QStackedWidget(this)) {
    setObjectName(QStringLiteral("tagToolbar"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs->setObjectName(QStringLiteral("tagPageTabs"));
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    QFont tabFont = m_tabs->font();
    tabFont.setPointSizeF(tabFont.pointSizeF() * 0.9);
    m_tabs->setFont(tabFont);
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages);
    m_pages->setFixedHeight(ButtonHeight + 6);

    const QStringList titles = tagPageTitles();
    for (int i = 0; i < titles.size(); ++i) {
        m_tabs->addTab(titles[i]);
        addPage(TagPage(i));
    }
    connect(m_tabs, &QTabBar::currentChanged, m_pages, &QStackedWidget::setCurrentIndex);

    for (const WrapCommand &c : wrapCommands()) {
        QToolButton *b = addButton(c.page, c.caption, c.iconName, c.hint);
        const QString start = c.startText;
        const QString end = c.endText;
        connect(b, &QToolButton::clicked, this, [this, start, end] { Q_EMIT wrapRequested(start, end); });
    }

    // The "Tags" page: a template list and its insert button.
    QHBoxLayout *tags = pageLayout(TagPage::Tags);
    m_templates = new QComboBox(this);
    m_templates->setObjectName(QStringLiteral("tagTemplateList"));
    m_templates->setEditable(true);
    m_templates->addItems(tagTemplates());
    m_templates->setMinimumContentsLength(28);
    m_templates->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_templates->setInsertPolicy(QComboBox::NoInsert);
    tags->insertWidget(tags->count() - 1, m_templates);
    QToolButton *insertTag = addButton(TagPage::Tags, QString(), QStringLiteral("insert-tag"),
                                       QStringLiteral("Insert Tag"));
    insertTag->setObjectName(QStringLiteral("insertTemplateButton"));
    connect(insertTag, &QToolButton::clicked, this, &TagToolbar::insertTemplate);

    // The "All Attributes" page.
    QHBoxLayout *attrs = pageLayout(TagPage::AllAttributes);
    m_attributes = new QComboBox(this);
    m_attributes->setObjectName(QStringLiteral("attributeList"));
    m_attributes->setEditable(true);
    m_attributes->addItems(attributeNames());
    m_attributes->setMinimumContentsLength(20);
    m_attributes->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_attributes->setInsertPolicy(QComboBox::NoInsert);
    attrs->insertWidget(attrs->count() - 1, m_attributes);
    QToolButton *insertAttr = addButton(TagPage::AllAttributes, QString(),
                                        QStringLiteral("insert-tag"), QStringLiteral("Insert Tag"));
    insertAttr->setObjectName(QStringLiteral("insertAttributeButton"));
    connect(insertAttr, &QToolButton::clicked, this, &TagToolbar::insertAttribute);

    // The "User" page: fifteen buttons with the user's captions.
    for (int i = 0; i < AppSettings::UserButtonCount; ++i) {
        QToolButton *b = addButton(TagPage::User, QString(), QString(), QString());
        b->setObjectName(QStringLiteral("userButton%1").arg(i + 1));
        b->setMinimumWidth(34);
        m_userButtons[i] = b;
        connect(b, &QToolButton::clicked, this, [this, i] { Q_EMIT userButtonClicked(i); });
    }
}

QWidget *TagToolbar::addPage(TagPage page) {
    auto *w = new QWidget(m_pages);
    w->setObjectName(QStringLiteral("tagPage%1").arg(int(page)));
    auto *row = new QHBoxLayout(w);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(1);
    row->addStretch(1);
    m_pages->addWidget(w);
    return w;
}

QHBoxLayout *TagToolbar::pageLayout(TagPage page) const {
    return qobject_cast<QHBoxLayout *>(m_pages->widget(int(page))->layout());
}

QToolButton *TagToolbar::addButton(TagPage page, const QString &caption, const QString &iconName,
                                   const QString &hint) {
    auto *b = new QToolButton(m_pages->widget(int(page)));
    b->setToolTip(hint);
    if (!caption.isEmpty()) {
        QString text = caption;
        b->setText(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
    } else if (!iconName.isEmpty()) {
        b->setIcon(marloIcon(iconName));
    }
    placeButton(page, b);
    return b;
}

void TagToolbar::placeButton(TagPage page, QToolButton *b) {
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus); // the editor keeps the focus while buttons are pressed
    b->setFixedHeight(ButtonHeight);
    b->setMinimumWidth(ButtonHeight);
    if (!b->icon().isNull())
        b->setIconSize(QSize(20, 20));
    QHBoxLayout *row = pageLayout(page);
    row->insertWidget(row->count() - 1, b); // before the closing stretch
}

void TagToolbar::setUserButtonCaptions(const std::array<QString, AppSettings::UserButtonCount> &captions) {
    for (int i = 0; i < AppSettings::UserButtonCount; ++i) {
        QString text = captions[i];
        m_userButtons[i]->setText(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
}


void TagToolbar::insertTemplate() {
    const QString entry = m_templates->currentText();
    if (entry.isEmpty())
        return;
    const TemplateParts parts = splitTemplate(entry);
    Q_EMIT wrapRequested(parts.startText, parts.endText);
}

void TagToolbar::insertAttribute() {
    const QString name = m_attributes->currentText();
    if (!name.isEmpty())
        Q_EMIT wrapRequested(name, QString());
}

void TagToolbar::contextMenuEvent(QContextMenuEvent *event) {
    if (m_contextMenu)
        m_contextMenu->popup(event->globalPos());
}
