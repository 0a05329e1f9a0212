// "Form": the FORM start tag's action, method and encoding type.
#pragma once

#include "wizards/formbuilders.h"
#include "wizards/tagdialog.h"

class QComboBox;
class QLineEdit;

class FormTagDialog : public TagDialog {
    Q_OBJECT
public:
    explicit FormTagDialog(QWidget *parent = nullptr);
    FormTagFields fields() const;
    void setFields(const FormTagFields &f);

    // Shows the dialog filled from an existing FORM start tag; on Ok returns the new start tag,
    // else an empty string.
    static QString editStartTag(const QString &tag, QWidget *parent);

private:
    QLineEdit *m_action;
    QComboBox *m_method;
    QLineEdit *m_enctype;
    QString m_other; // the edited tag's attributes without a field, kept as written
};
