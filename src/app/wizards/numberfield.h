// A number field with spin buttons that may also be left empty (an attribute not written):
// empty is one step below the minimum.
#pragma once

#include <QLineEdit>
#include <QSpinBox>

class NumberField : public QSpinBox {
    Q_OBJECT
public:
    // `allowEmpty` adds the empty state below `minimum`.
    NumberField(int minimum, int maximum, bool allowEmpty, QWidget *parent = nullptr);

    // The digits shown, or an empty string.
    QString number() const;
    void setNumber(const QString &text);
    bool isEmptyValue() const { return m_allowEmpty && value() < m_minimum; }
    // Counted with the spin buttons (and arrow keys) only; typing is refused.
    void setSpinOnly() { lineEdit()->setReadOnly(true); }

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString &text) const override;
    QValidator::State validate(QString &input, int &pos) const override;

private:
    int m_minimum;
    bool m_allowEmpty;
};
