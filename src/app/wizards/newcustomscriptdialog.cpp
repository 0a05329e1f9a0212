#include "wizards/newcustomscriptdialog.h"

#include "shell/prompts.h"
#include "widgets/dialogsetup.h"
#include "wizards/customscripts.h"
#include "wizards/wizardtexts.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

NewCustomScriptDialog::NewCustomScriptDialog(Prompts &prompts, const QString &scriptFolder,
                                             QWidget *parent)
    : QDialog(parent), m_prompts(prompts), m_folder(scriptFolder) {
    setObjectName(QStringLiteral("newCustomScriptDialog"));
    setWindowTitle(QStringLiteral("New custom script"));
    DialogSetup::install(this);
    setWindowFlag(Qt::WindowStaysOnTopHint);

    m_fileName = new QLineEdit(this);
    m_fileName->setObjectName(QStringLiteral("scriptFileName"));
    m_script = new QPlainTextEdit(this);
    m_script->setObjectName(QStringLiteral("scriptText"));
    m_script->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    m_script->setFont(mono);
    m_script->setPlainText(newCustomScriptLines().join(QLatin1Char('\n')));
    QTextCursor caret(m_script->document()->findBlockByNumber(NewCustomScriptCaretLine));
    m_script->setTextCursor(caret);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &NewCustomScriptDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Script filename:"), m_fileName);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Script:"), this));
    layout->addWidget(m_script, 1);
    layout->addWidget(buttons);
    resize(520, 380);
}

void NewCustomScriptDialog::confirm() {
    const QString name = customScriptFileName(m_fileName->text());
    if (name.isEmpty()) {
        m_prompts.information(WizardTexts::NoScriptFileName);
        m_fileName->setFocus();
        return;
    }
    const QString path = QDir(m_folder).filePath(name);
    if (QFileInfo::exists(path) &&
        m_prompts.askYesNo(Prompts::Kind::Confirmation,
                                WizardTexts::ConfirmOverwriteScript) !=
            Prompts::Answer::Yes)
        return;
    QString error;
    if (!writeCustomScript(path, m_script->toPlainText(), TextFormat(), &error)) {
        m_prompts.error(WizardTexts::scriptNotSaved(path, error));
        return;
    }
    m_saved = name;
    accept();
}
