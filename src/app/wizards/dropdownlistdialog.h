// "DropDown List": a SELECT with a number of empty options.
#pragma once

#include "wizards/tagdialog.h"

#include <QStringList>

class QLineEdit;

class DropDownListDialog : public TagDialog {
    Q_OBJECT
public:
    explicit DropDownListDialog(QWidget *parent = nullptr);
    QStringList block() const;

private:
    QLineEdit *m_name;
    NumberField *m_options;
};
