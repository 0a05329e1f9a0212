#include "wizards/dialogparts.h"

#include "wizards/numberfield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

QString TagDialogEnvironment::documentFolder() const {
    if (documentFileName.isEmpty() || QFileInfo(documentFileName).isRelative())
        return QString();
    return QFileInfo(documentFileName).absolutePath();
}

namespace DialogParts {

void tickOnEdit(QLineEdit *field, QCheckBox *box) {
    QObject::connect(field, &QLineEdit::textEdited, box, [box] { box->setChecked(true); });
}

void tickOnEdit(QComboBox *field, QCheckBox *box) {
    if (field->lineEdit())
        tickOnEdit(field->lineEdit(), box);
    QObject::connect(field, &QComboBox::activated, box, [box] { box->setChecked(true); });
}

void tickOnChange(NumberField *field, QCheckBox *box) {
    // Values the program sets go through setQuietly and tick nothing. The text, not the value:
    // "50" and "50%" are the same value.
    QObject::connect(field, &QSpinBox::textChanged, box, [box] { box->setChecked(true); });
}

void setQuietly(NumberField *field, const QString &value) {
    const QSignalBlocker blocker(field);
    field->setNumber(value);
}

NumberField *sizeBox(QWidget *parent, const QString &objectName) {
    auto *box = new NumberField(0, 100000, true, parent);
    box->setObjectName(objectName);
    box->setPercentAllowed(true);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("1000000%")) + 36);
    return box;
}

QLineEdit *lineEdit(QWidget *parent, const QString &objectName) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(objectName);
    return e;
}

QCheckBox *checkBox(const QString &text, QWidget *parent, const QString &objectName) {
    auto *b = new QCheckBox(text, parent);
    b->setObjectName(objectName);
    return b;
}

QToolButton *browseButton(QWidget *parent, const QString &objectName) {
    auto *b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setText(QStringLiteral("..."));
    return b;
}

OptionalField read(const QCheckBox *box, const QLineEdit *field) {
    return {box->isChecked(), field->text()};
}

OptionalField read(const QCheckBox *box, const QComboBox *field) {
    return {box->isChecked(), field->currentText()};
}

void write(QCheckBox *box, QLineEdit *field, const OptionalField &value) {
    box->setChecked(value.used);
    field->setText(value.text);
}

void write(QCheckBox *box, QComboBox *field, const OptionalField &value) {
    box->setChecked(value.used);
    field->setCurrentText(value.text);
}

} // namespace DialogParts
