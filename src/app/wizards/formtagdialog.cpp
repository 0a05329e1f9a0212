#include "wizards/formtagdialog.h"

#include "wizards/fieldchoices.h"

#include <QComboBox>
#include <QLineEdit>

FormTagDialog::FormTagDialog(QWidget *parent) : TagDialog(QStringLiteral("Form"), parent) {
    m_action = addText(QStringLiteral("Action:"), QStringLiteral("action"));
    m_method = addList(QStringLiteral("Method:"), QStringLiteral("method"),
                       formMethodItems() << QString(), true);
    m_enctype = addText(QStringLiteral("Enctype:"), QStringLiteral("enctype"));
}

FormTagFields FormTagDialog::fields() const {
    return {m_action->text(), m_method->currentText(), m_enctype->text(), m_other};
}

void FormTagDialog::setFields(const FormTagFields &f) {
    m_action->setText(f.action);
    m_method->setCurrentText(f.method);
    m_enctype->setText(f.enctype);
    m_other = f.other;
}

QString FormTagDialog::editStartTag(const QString &tag, QWidget *parent) {
    FormTagDialog dialog(parent);
    dialog.setFields(formFieldsFromTag(tag));
    return dialog.exec() == QDialog::Accepted ? buildFormTag(dialog.fields()).start : QString();
}
