#include "wizards/numberfield.h"

NumberField::NumberField(int minimum, int maximum, bool allowEmpty, QWidget *parent)
    : QSpinBox(parent), m_minimum(minimum), m_allowEmpty(allowEmpty) {
    setRange(allowEmpty ? minimum - 1 : minimum, maximum);
    setAccelerated(true);
    setMinimumWidth(80);
}

QString NumberField::number() const {
    if (isEmptyValue())
        return QString();
    return QString::number(value()) + (m_percent ? QStringLiteral("%") : QString());
}

bool NumberField::isPercent(const QString &text) const {
    return m_percentAllowed && text.trimmed().endsWith(QLatin1Char('%'));
}

void NumberField::setNumber(const QString &text) {
    bool ok = false;
    QString digits = text.trimmed();
    const bool percent = isPercent(digits);
    if (percent)
        digits.chop(1);
    const int v = digits.toInt(&ok);
    if (ok && v >= m_minimum && v <= maximum()) {
        m_percent = percent;
        setValue(v);
    } else {
        m_percent = false;
        setValue(m_allowEmpty ? m_minimum - 1 : m_minimum);
    }
    // The same value as before with or without "%" changes no value: show it anyway.
    lineEdit()->setText(textFromValue(value()));
}

QString NumberField::textFromValue(int value) const {
    if (m_allowEmpty && value < m_minimum)
        return QString();
    return QSpinBox::textFromValue(value) + (m_percent ? QStringLiteral("%") : QString());
}

int NumberField::valueFromText(const QString &text) const {
    if (m_allowEmpty && text.trimmed().isEmpty())
        return m_minimum - 1;
    m_percent = isPercent(text);
    QString digits = text.trimmed();
    if (m_percent)
        digits.chop(1);
    return QSpinBox::valueFromText(digits);
}

QValidator::State NumberField::validate(QString &input, int &pos) const {
    if (input.trimmed().isEmpty())
        return m_allowEmpty ? QValidator::Acceptable : QValidator::Intermediate;
    if (isPercent(input)) {
        QString digits = input.trimmed();
        digits.chop(1);
        if (digits.isEmpty() || digits.endsWith(QLatin1Char('%')))
            return QValidator::Intermediate;
        int at = qMin(pos, int(digits.size()));
        return QSpinBox::validate(digits, at);
    }
    return QSpinBox::validate(input, pos);
}
