#include "wizards/tagdialog.h"

#include "widgets/dialogbuttons.h"
#include "wizards/numberfield.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TagDialog::TagDialog(const QString &caption, QWidget *parent)
    : QDialog(parent), m_form(new QFormLayout), m_buttons(okCancelButtons(this)) {
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addLayout(m_form);
    layout->addStretch(1);
    layout->addWidget(m_buttons);
}

QLineEdit *TagDialog::addText(const QString &label, const QString &objectName) {
    auto *edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setMinimumWidth(220);
    addRow(label, edit);
    return edit;
}

NumberField *TagDialog::addNumber(const QString &label, const QString &objectName, int minimum,
                                  int value, int maximum) {
    auto *field = new NumberField(minimum, maximum, false, this);
    field->setObjectName(objectName);
    field->setValue(value);
    addRow(label, field);
    return field;
}

QComboBox *TagDialog::addList(const QString &label, const QString &objectName,
                              const QStringList &items, bool editable) {
    auto *box = new QComboBox(this);
    box->setObjectName(objectName);
    box->setEditable(editable);
    box->addItems(items);
    box->setCurrentIndex(-1);
    if (editable)
        box->setInsertPolicy(QComboBox::NoInsert);
    addRow(label, box);
    return box;
}

void TagDialog::addRow(const QString &label, QWidget *field) {
    if (label.isEmpty())
        m_form->addRow(field);
    else
        m_form->addRow(label, field);
}
