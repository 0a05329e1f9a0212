#include "wizards/textinputdialog.h"

#include "wizards/numberfield.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

TextInputDialog::TextInputDialog(QWidget *parent)
    : TagDialog(QStringLiteral("Text input"), parent) {
    auto *types = new QWidget(this);
    auto *row = new QHBoxLayout(types);
    row->setContentsMargins(0, 0, 0, 0);
    const QString captions[] = {QStringLiteral("Text"), QStringLiteral("Hidden Text"),
                                QStringLiteral("Password")};
    const QString names[] = {QStringLiteral("typeText"), QStringLiteral("typeHidden"),
                             QStringLiteral("typePassword")};
    for (int i = 0; i < 3; ++i) {
        m_types[i] = new QRadioButton(captions[i], types);
        m_types[i]->setObjectName(names[i]);
        row->addWidget(m_types[i]);
    }
    row->addStretch(1);
    m_types[0]->setChecked(true);
    addRow(QStringLiteral("Type:"), types);
    m_name = addText(QStringLiteral("Name:"), QStringLiteral("name"));
    m_value = addText(QStringLiteral("Value:"), QStringLiteral("value"));
    m_size = addNumber(QStringLiteral("Size:"), QStringLiteral("size"), 0, 0);
    m_maxLength = addNumber(QStringLiteral("Maxlength:"), QStringLiteral("maxLength"), 0, 0);
}

TextInputFields TextInputDialog::fields() const {
    TextInputFields f;
    if (m_types[1]->isChecked())
        f.type = TextInputFields::Type::Hidden;
    else if (m_types[2]->isChecked())
        f.type = TextInputFields::Type::Password;
    f.name = m_name->text();
    f.value = m_value->text();
    f.size = m_size->value();
    f.maxLength = m_maxLength->value();
    return f;
}
