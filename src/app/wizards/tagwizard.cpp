#include "wizards/tagwizard.h"

#include "shell/appcontext.h"
#include "widgets/dialogsetup.h"
#include "widgets/enterkey.h"
#include "widgets/icons.h"
#include "wizards/tagcatalogue.h"
#include "wizards/taghelp.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

// A small round badge with the browser's initial: N for Netscape Navigator, I for Internet
// Explorer.
// Unmarked rows get a blank of the same size so that every row's text lines up.
QIcon markerIcon(BrowserMarker marker) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    if (marker == BrowserMarker::None)
        return QIcon(pixmap);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const bool netscape = marker == BrowserMarker::NetscapeOnly;
    p.setBrush(netscape ? QColor(0x2e, 0x7d, 0x32) : QColor(0x15, 0x65, 0xc0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 28, 28);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(19);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter,
               netscape ? QStringLiteral("N") : QStringLiteral("I"));
    return QIcon(pixmap);
}

} // namespace

TagWizard::TagWizard(AppContext &ctx, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_ctx(ctx) {
    setObjectName(QStringLiteral("tagWizard"));
    setWindowTitle(QStringLiteral("Tag Wizard"));
    DialogSetup::install(this);
    setModal(false);

    m_tags = new QListWidget(this);
    m_tags->setObjectName(QStringLiteral("tagWizardTags"));
    m_tags->setIconSize(QSize(16, 16));
    for (const CatalogueEntry &entry : catalogueEntries()) {
        auto *item = new QListWidgetItem(markerIcon(entry.marker), entry.text, m_tags);
        item->setToolTip(browserMarkerCaption(entry.marker));
    }
    m_tags->sortItems();

    m_attributes = new QListWidget(this);
    m_attributes->setObjectName(QStringLiteral("tagWizardAttributes"));
    m_attributes->setIconSize(QSize(16, 16));

    m_startTag = new QLineEdit(this);
    m_startTag->setObjectName(QStringLiteral("tagWizardStartTag"));
    m_endTag = new QLineEdit(this);
    m_endTag->setObjectName(QStringLiteral("tagWizardEndTag"));

    auto *lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Tags:"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Attributes:"), this), 0, 1);
    lists->addWidget(m_tags, 1, 0);
    lists->addWidget(m_attributes, 1, 1);
    lists->setColumnStretch(0, 3);
    lists->setColumnStretch(1, 2);

    auto *legend = new QHBoxLayout;
    for (BrowserMarker marker : {BrowserMarker::NetscapeOnly, BrowserMarker::ExplorerOnly}) {
        auto *icon = new QLabel(this);
        icon->setPixmap(markerIcon(marker).pixmap(16, 16));
        legend->addWidget(icon);
        legend->addWidget(new QLabel(browserMarkerCaption(marker), this));
        legend->addSpacing(12);
    }
    legend->addStretch(1);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Start tag:"), m_startTag);
    fields->addRow(QStringLiteral("End tag:"), m_endTag);

    auto *insert = new QPushButton(marloIcon(QStringLiteral("insert-tag")),
                                   QStringLiteral("&Insert"), this);
    insert->setObjectName(QStringLiteral("tagWizardInsert"));
    insert->setToolTip(QStringLiteral("Insert Tag"));
    insert->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("tagWizardClose"));
    close->setToolTip(QStringLiteral("Close Tag Wizard"));
    auto *help = new QPushButton(marloIcon(QStringLiteral("help")), QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("tagWizardHelp"));
    help->setToolTip(QStringLiteral("Help on HTML-Tag"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(insert);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(legend);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(520, 460);

    connect(m_tags, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) { selectEntry(item); });
    connect(m_tags, &QListWidget::itemActivated, this, &TagWizard::useEntry); // Enter or double click
    connect(m_attributes, &QListWidget::itemActivated, this, &TagWizard::useAttribute);
    // Enter on an attribute adds it and goes no further: one tag is inserted once it is built,
    // not one after each attribute.
    keepEnterInField(m_attributes);
    connect(insert, &QPushButton::clicked, this, &TagWizard::insertTag);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(help, &QPushButton::clicked, this, &TagWizard::showHelp);
}

void TagWizard::selectEntry(QListWidgetItem *item) {
    m_startTag->clear();
    m_endTag->clear();
    m_attributes->clear();
    if (!item)
        return;
    for (const CatalogueAttribute &attribute : catalogueAttributes(item->text())) {
        auto *row = new QListWidgetItem(markerIcon(attribute.marker), attribute.name, m_attributes);
        row->setToolTip(browserMarkerCaption(attribute.marker));
    }
}

void TagWizard::useEntry(QListWidgetItem *item) {
    if (!item)
        return;
    const ComposedTag tag = composeFromEntry(item->text());
    m_startTag->setText(tag.startTag);
    m_endTag->setText(tag.endTag);
}

void TagWizard::useAttribute(QListWidgetItem *item) {
    if (!item)
        return;
    if (m_startTag->text().isEmpty())
        useEntry(m_tags->currentItem());
    m_startTag->setText(addAttribute(m_startTag->text(), item->text()));
}

void TagWizard::insertTag() {
    if (m_startTag->text().isEmpty())
        return;
    m_ctx.setPendingInsertion(m_startTag->text(), m_endTag->text());
}

void TagWizard::showHelp() {
    QString subject = m_startTag->text();
    if (subject.isEmpty() && m_tags->currentItem())
        subject = m_tags->currentItem()->text();
    showTagHelp(m_ctx, helpKeyword(subject));
}
