#include "wizards/dropdownlistdialog.h"

#include "wizards/formbuilders.h"
#include "wizards/numberfield.h"

#include <QLineEdit>

DropDownListDialog::DropDownListDialog(QWidget *parent)
    : TagDialog(QStringLiteral("DropDown List"), parent) {
    m_name = addText(QStringLiteral("Name:"), QStringLiteral("name"));
    m_options = addNumber(QStringLiteral("Options:"), QStringLiteral("options"), 1, 1,
                          MaxBlockItems);
}

QStringList DropDownListDialog::block() const {
    return buildDropDownList(m_name->text(), m_options->value());
}
