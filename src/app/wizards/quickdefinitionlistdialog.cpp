#include "wizards/quickdefinitionlistdialog.h"

#include "wizards/formbuilders.h"
#include "wizards/numberfield.h"

QuickDefinitionListDialog::QuickDefinitionListDialog(QWidget *parent)
    : TagDialog(QStringLiteral("Quick Definition List"), parent) {
    m_items = addNumber(QStringLiteral("List items:"), QStringLiteral("items"), 1, 1,
                        MaxBlockItems);
}

QStringList QuickDefinitionListDialog::block() const {
    return buildDefinitionList(m_items->value());
}
