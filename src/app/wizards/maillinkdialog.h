// "E-Mail link": a mailto: link with an optional default subject; while "Use E-Mail address" is
// ticked the description follows the address. Fields in, MailLinkFields out.
#pragma once

#include "wizards/dialogparts.h"

#include <QDialog>

class MailLinkDialog : public QDialog {
    Q_OBJECT
public:
    explicit MailLinkDialog(QWidget *parent = nullptr);

    void reset(const QString &selectedText);
    void setFields(const MailLinkFields &f);
    MailLinkFields fields() const;

private:
    QLineEdit *m_address;
    QLineEdit *m_description;
    QCheckBox *m_useAddress;
    QLineEdit *m_subject;
    QString m_other; // the edited tag's attributes without a field, kept as written
};
