// Base of the small tag dialogs: a caption, a column of labelled fields and Ok / Cancel. The
// subclasses add their fields and read them back into the plain structs of the tag builders.
#pragma once

#include <QDialog>

class NumberField;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLineEdit;

class TagDialog : public QDialog {
    Q_OBJECT
public:
    TagDialog(const QString &caption, QWidget *parent);

protected:
    QFormLayout *form() const { return m_form; }
    QDialogButtonBox *buttons() const { return m_buttons; }
    QLineEdit *addText(const QString &label, const QString &objectName);
    NumberField *addNumber(const QString &label, const QString &objectName, int minimum,
                           int value, int maximum = 9999);
    QComboBox *addList(const QString &label, const QString &objectName, const QStringList &items,
                       bool editable);
    void addRow(const QString &label, QWidget *field);

private:
    QFormLayout *m_form;
    QDialogButtonBox *m_buttons;
};
