// "Text input": a one-line INPUT of type text, hidden text or password.
#pragma once

#include "wizards/formbuilders.h"
#include "wizards/tagdialog.h"

class QLineEdit;
class QRadioButton;

class TextInputDialog : public TagDialog {
    Q_OBJECT
public:
    explicit TextInputDialog(QWidget *parent = nullptr);
    TextInputFields fields() const;

private:
    QRadioButton *m_types[3];
    QLineEdit *m_name;
    QLineEdit *m_value;
    NumberField *m_size;
    NumberField *m_maxLength;
};
