#include "tools/custombuttonsdialog.h"

#include "widgets/dialogbuttons.h"

#include "shell/appsettings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

CustomButtonsDialog::CustomButtonsDialog(AppSettings &settings, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_settings(settings), m_number(new QSpinBox(this)),
      m_caption(new QLineEdit(this)), m_start(new QLineEdit(this)), m_end(new QLineEdit(this)) {
    setObjectName(QStringLiteral("customButtonsDialog"));
    setWindowTitle(QStringLiteral("Custom button control"));
    m_number->setObjectName(QStringLiteral("buttonNumber"));
    m_number->setRange(1, AppSettings::UserButtonCount);
    m_number->setWrapping(false);
    m_number->setMaximumWidth(80);
    m_caption->setObjectName(QStringLiteral("buttonCaption"));
    m_caption->setMaxLength(4);
    m_caption->setMaximumWidth(80);
    m_start->setObjectName(QStringLiteral("buttonStart"));
    m_end->setObjectName(QStringLiteral("buttonEnd"));
    m_start->setMinimumWidth(300);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Button:"), m_number);
    form->addRow(QStringLiteral("Button text:"), m_caption);
    form->addRow(QStringLiteral("Tag start:"), m_start);
    form->addRow(QStringLiteral("Tag end:"), m_end);
    QDialogButtonBox *buttons = okCancelButtons(this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_number, &QSpinBox::valueChanged, this, &CustomButtonsDialog::showSlot);
    // Every change the user makes counts, typed or pasted (a paste from the field's menu or with
    // the middle button releases no key).
    const QList<QPair<QLineEdit *, QString *>> fields = {
        {m_caption, m_settings.buttonCaptions.data()},
        {m_start, m_settings.buttonStartTexts.data()},
        {m_end, m_settings.buttonEndTexts.data()}};
    for (const auto &field : fields) {
        QString *texts = field.second;
        connect(field.first, &QLineEdit::textEdited, this,
                [this, texts](const QString &text) { texts[m_number->value() - 1] = text; });
    }
    showSlot();
}

void CustomButtonsDialog::showSlot() {
    const int i = m_number->value() - 1;
    m_caption->setText(m_settings.buttonCaptions[i]);
    m_start->setText(m_settings.buttonStartTexts[i]);
    m_end->setText(m_settings.buttonEndTexts[i]);
}
