// "Radio button": as the checkbox dialog, starting unchecked.
#pragma once

#include "wizards/checkboxdialog.h"

class RadioButtonDialog : public CheckboxDialog {
    Q_OBJECT
public:
    explicit RadioButtonDialog(QWidget *parent = nullptr);
    QString inputTag() const;
};
