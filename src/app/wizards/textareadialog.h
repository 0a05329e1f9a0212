// "Textarea": a TEXTAREA around the selection, which becomes its initial text.
#pragma once

#include "wizards/formbuilders.h"
#include "wizards/tagdialog.h"

class QLineEdit;

class TextAreaDialog : public TagDialog {
    Q_OBJECT
public:
    explicit TextAreaDialog(QWidget *parent = nullptr);
    TextAreaFields fields() const;

private:
    QLineEdit *m_name;
    NumberField *m_rows;
    NumberField *m_columns;
};
