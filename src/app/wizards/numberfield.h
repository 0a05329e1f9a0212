// A number field with spin buttons that may also be left empty (an attribute not written):
// empty is one step below the minimum. A size field also takes a percentage ("50%").
#pragma once

#include <QLineEdit>
#include <QSpinBox>

class NumberField : public QSpinBox {
    Q_OBJECT
public:
    // `allowEmpty` adds the empty state below `minimum`.
    NumberField(int minimum, int maximum, bool allowEmpty, QWidget *parent = nullptr);

    // The digits shown (with "%" for a percentage), or an empty string.
    QString number() const;
    // Shows `text` when it is a number in range (a percentage where allowed); otherwise empty, or
    // the minimum where empty is not allowed.
    void setNumber(const QString &text);
    bool isEmptyValue() const { return m_allowEmpty && value() < m_minimum; }
    // A trailing "%" may be typed; the spin buttons keep it.
    void setPercentAllowed(bool allowed) { m_percentAllowed = allowed; }
    // Counted with the spin buttons (and arrow keys) only; typing is refused.
    void setSpinOnly() { lineEdit()->setReadOnly(true); }

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString &text) const override;
    QValidator::State validate(QString &input, int &pos) const override;

private:
    bool isPercent(const QString &text) const;

    int m_minimum;
    bool m_allowEmpty;
    bool m_percentAllowed = false;
    mutable bool m_percent = false; // the value read last was a percentage
};
