#include "wizards/maillinkdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace DialogParts;

MailLinkDialog::MailLinkDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("mailLinkDialog"));
    setWindowTitle(QStringLiteral("E-Mail link"));
    m_address = lineEdit(this, QStringLiteral("address"));
    m_address->setMinimumWidth(m_address->fontMetrics().averageCharWidth() * 36);
    m_description = lineEdit(this, QStringLiteral("description"));
    m_useAddress = checkBox(QStringLiteral("Use E-Mail address"), this,
                            QStringLiteral("useAddress"));
    m_subject = lineEdit(this, QStringLiteral("subject"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("E-Mail Address:"), m_address);
    form->addRow(QStringLiteral("Description:"), m_description);
    form->addRow(QString(), m_useAddress);
    form->addRow(QStringLiteral("Default Subject:"), m_subject);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(form);
    layout->addWidget(okCancelButtons(this));

    connect(m_address, &QLineEdit::textChanged, this, [this](const QString &address) {
        if (m_useAddress->isChecked())
            m_description->setText(address);
    });
    // Typing a description of one's own ends the coupling; ticking the box again restores it.
    connect(m_description, &QLineEdit::textEdited, this, [this] {
        const QSignalBlocker blocker(m_useAddress);
        m_useAddress->setChecked(false);
    });
    connect(m_useAddress, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_description->setText(m_address->text());
    });
}

void MailLinkDialog::reset(const QString &selectedText) {
    {
        const QSignalBlocker blocker(m_useAddress);
        m_useAddress->setChecked(selectedText.isEmpty());
    }
    m_other.clear();
    m_address->clear();
    m_description->setText(selectedText);
    m_subject->clear();
    m_address->setFocus();
}

void MailLinkDialog::setFields(const MailLinkFields &f) {
    const QSignalBlocker blocker(m_useAddress);
    m_useAddress->setChecked(false);
    m_address->setText(f.address);
    m_description->setText(f.description);
    m_subject->setText(f.subject);
    m_useAddress->setChecked(f.useAddress);
    m_other = f.other;
}

MailLinkFields MailLinkDialog::fields() const {
    return {m_address->text(), m_description->text(), m_subject->text(),
            m_useAddress->isChecked(), m_other};
}
