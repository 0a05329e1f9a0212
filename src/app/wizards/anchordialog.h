// "Anchor": the name and text of an <A NAME> anchor. Fields in, AnchorFields out.
#pragma once

#include "wizards/dialogparts.h"

#include <QDialog>

class AnchorDialog : public QDialog {
    Q_OBJECT
public:
    explicit AnchorDialog(QWidget *parent = nullptr);

    void reset(const QString &selectedText);
    void setFields(const AnchorFields &f);
    AnchorFields fields() const;

private:
    QLineEdit *m_name;
    QLineEdit *m_description;
    QString m_other; // the edited tag's attributes without a field, kept as written
};
