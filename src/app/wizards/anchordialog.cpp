#include "wizards/anchordialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace DialogParts;

AnchorDialog::AnchorDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("anchorDialog"));
    setWindowTitle(QStringLiteral("Anchor"));
    m_name = lineEdit(this, QStringLiteral("anchorName"));
    m_description = lineEdit(this, QStringLiteral("description"));
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 36);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Anchor Name:"), m_name);
    form->addRow(QStringLiteral("Description:"), m_description);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(form);
    layout->addWidget(okCancelButtons(this));
}

void AnchorDialog::reset(const QString &selectedText) {
    m_other.clear();
    m_name->clear();
    m_description->setText(selectedText);
    m_name->setFocus();
}

void AnchorDialog::setFields(const AnchorFields &f) {
    m_name->setText(f.name);
    m_description->setText(f.description);
    m_other = f.other;
}

AnchorFields AnchorDialog::fields() const {
    return {m_name->text(), m_description->text(), m_other};
}
