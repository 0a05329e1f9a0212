#include "wizards/radiobuttondialog.h"

#include "wizards/formbuilders.h"

RadioButtonDialog::RadioButtonDialog(QWidget *parent)
    : CheckboxDialog(QStringLiteral("Radio button"), false, parent) {}

QString RadioButtonDialog::inputTag() const { return buildRadioButton(name(), checked()); }
