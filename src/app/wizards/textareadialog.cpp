#include "wizards/textareadialog.h"

#include "wizards/numberfield.h"

#include <QLineEdit>

TextAreaDialog::TextAreaDialog(QWidget *parent) : TagDialog(QStringLiteral("Textarea"), parent) {
    m_name = addText(QStringLiteral("Name:"), QStringLiteral("name"));
    m_rows = addNumber(QStringLiteral("Rows:"), QStringLiteral("rows"), 0, 0);
    m_columns = addNumber(QStringLiteral("Columns:"), QStringLiteral("columns"), 0, 0);
}

TextAreaFields TextAreaDialog::fields() const {
    return {m_name->text(), m_rows->value(), m_columns->value()};
}
