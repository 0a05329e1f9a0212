#include "wizards/checkboxdialog.h"

#include "wizards/formbuilders.h"

#include <QCheckBox>
#include <QLineEdit>

CheckboxDialog::CheckboxDialog(QWidget *parent)
    : CheckboxDialog(QStringLiteral("Checkbox"), true, parent) {}

CheckboxDialog::CheckboxDialog(const QString &caption, bool checked, QWidget *parent)
    : TagDialog(caption, parent) {
    m_name = addText(QStringLiteral("Name:"), QStringLiteral("name"));
    m_checked = new QCheckBox(QStringLiteral("Checked"), this);
    m_checked->setObjectName(QStringLiteral("checked"));
    m_checked->setChecked(checked);
    addRow(QString(), m_checked);
}

QString CheckboxDialog::name() const { return m_name->text(); }

bool CheckboxDialog::checked() const { return m_checked->isChecked(); }

QString CheckboxDialog::inputTag() const { return buildCheckbox(name(), checked()); }
