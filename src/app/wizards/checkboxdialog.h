// "Checkbox" and "Radio button": a name and whether the control starts checked.
#pragma once

#include "wizards/tagdialog.h"

class QCheckBox;
class QLineEdit;

class CheckboxDialog : public TagDialog {
    Q_OBJECT
public:
    explicit CheckboxDialog(QWidget *parent = nullptr);
    QString inputTag() const;

protected:
    // The radio button dialog shares the fields and starts unchecked.
    CheckboxDialog(const QString &caption, bool checked, QWidget *parent);
    QString name() const;
    bool checked() const;

private:
    QLineEdit *m_name;
    QCheckBox *m_checked;
};
