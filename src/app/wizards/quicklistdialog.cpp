#include "wizards/quicklistdialog.h"

#include "wizards/formbuilders.h"
#include "wizards/numberfield.h"

#include <QLineEdit>
#include <QRadioButton>

QuickListDialog::QuickListDialog(QWidget *parent)
    : TagDialog(QStringLiteral("Quick List"), parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto *unordered = new QRadioButton(QStringLiteral("Unordered list"), this);
    unordered->setObjectName(QStringLiteral("unordered"));
    unordered->setChecked(true);
    m_ordered = new QRadioButton(QStringLiteral("Ordered list"), this);
    m_ordered->setObjectName(QStringLiteral("ordered"));
    addRow(QString(), unordered);
    addRow(QString(), m_ordered);
    m_items = addNumber(QStringLiteral("List items:"), QStringLiteral("items"), 1, 1,
                        MaxBlockItems);
    m_items->setSpinOnly();
}

QStringList QuickListDialog::block() const {
    return buildQuickList(m_ordered->isChecked(), m_items->value());
}
