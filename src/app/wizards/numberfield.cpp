#include "wizards/numberfield.h"

NumberField::NumberField(int minimum, int maximum, bool allowEmpty, QWidget *parent)
    : QSpinBox(parent), m_minimum(minimum), m_allowEmpty(allowEmpty) {
    setRange(allowEmpty ? minimum - 1 : minimum, maximum);
    setAccelerated(true);
    setMinimumWidth(80);
}

QString NumberField::number() const { return isEmptyValue() ? QString() : QString::number(value()); }

void NumberField::setNumber(const QString &text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        setValue(v);
    else
        setValue(m_allowEmpty ? m_minimum - 1 : m_minimum);
}

QString NumberField::textFromValue(int value) const {
    if (m_allowEmpty && value < m_minimum)
        return QString();
    return QSpinBox::textFromValue(value);
}

int NumberField::valueFromText(const QString &text) const {
    if (m_allowEmpty && text.trimmed().isEmpty())
        return m_minimum - 1;
    return QSpinBox::valueFromText(text);
}

QValidator::State NumberField::validate(QString &input, int &pos) const {
    if (input.trimmed().isEmpty())
        return m_allowEmpty ? QValidator::Acceptable : QValidator::Intermediate;
    return QSpinBox::validate(input, pos);
}
