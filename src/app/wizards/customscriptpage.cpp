#include "wizards/customscriptpage.h"

#include "shell/prompts.h"
#include "wizards/customscripts.h"
#include "wizards/newcustomscriptdialog.h"
#include "wizards/wizardtexts.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString EmptySlot = QStringLiteral("[empty]");
} // namespace

CustomScriptPage::CustomScriptPage(Prompts &prompts, const QString &scriptFolder, QWidget *parent)
    : QWidget(parent), m_prompts(prompts), m_folder(scriptFolder), m_scripts(new QComboBox(this)),
      m_text(new QPlainTextEdit(this)) {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Script:"), this));
    m_scripts->setObjectName(QStringLiteral("customScripts"));
    row->addWidget(m_scripts, 1);
    auto *create = new QPushButton(QStringLiteral("New"), this);
    create->setObjectName(QStringLiteral("newScriptButton"));
    auto *remove = new QPushButton(QStringLiteral("Delete"), this);
    remove->setObjectName(QStringLiteral("deleteScriptButton"));
    auto *save = new QPushButton(QStringLiteral("Save changes"), this);
    save->setObjectName(QStringLiteral("saveScriptButton"));
    row->addWidget(create);
    row->addWidget(remove);
    row->addWidget(save);
    layout->addLayout(row);
    m_text->setObjectName(QStringLiteral("customText"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    m_text->setFont(mono);
    layout->addWidget(m_text, 1);
    connect(create, &QPushButton::clicked, this, &CustomScriptPage::newScript);
    connect(remove, &QPushButton::clicked, this, &CustomScriptPage::deleteScript);
    connect(save, &QPushButton::clicked, this, &CustomScriptPage::saveScript);
    connect(m_scripts, &QComboBox::currentIndexChanged, this, &CustomScriptPage::showScript);
    reload();
}

QString CustomScriptPage::scriptText() const {
    return m_scripts->currentText() == EmptySlot ? QString() : m_text->toPlainText();
}

QString CustomScriptPage::scriptPath() const {
    const QString name = m_scripts->currentText();
    return name.isEmpty() || name == EmptySlot ? QString() : QDir(m_folder).filePath(name);
}

void CustomScriptPage::reload(const QString &select) {
    const QSignalBlocker block(m_scripts);
    m_scripts->clear();
    const QStringList names = customScriptNames(m_folder);
    m_scripts->addItems(names.isEmpty() ? QStringList{EmptySlot} : names);
    const int index = m_scripts->findText(select);
    m_scripts->setCurrentIndex(qMax(0, index));
    showScript();
}

void CustomScriptPage::showScript() {
    const QString path = scriptPath();
    m_text->clear();
    m_text->setEnabled(!path.isEmpty());
    if (path.isEmpty())
        return;
    QString text;
    QString error;
    m_format = TextFormat();
    if (readCustomScript(path, &text, &m_format, &error)) {
        m_text->setPlainText(text);
    } else {
        // Nothing was read, so nothing may be saved over the file.
        m_text->setEnabled(false);
        m_prompts.error(error);
    }
}

void CustomScriptPage::newScript() {
    NewCustomScriptDialog dialog(m_prompts, m_folder, this);
    if (dialog.exec() == QDialog::Accepted)
        reload(dialog.savedFileName());
}

void CustomScriptPage::deleteScript() {
    const QString path = scriptPath();
    if (path.isEmpty())
        return;
    if (m_prompts.askYesNo(Prompts::Kind::Confirmation,
                                WizardTexts::confirmDeleteScript(m_scripts->currentText())) !=
        Prompts::Answer::Yes)
        return;
    QFile file(path);
    if (!file.remove())
        m_prompts.error(file.errorString());
    reload();
}

void CustomScriptPage::saveScript() {
    const QString path = scriptPath();
    if (path.isEmpty() || !m_text->isEnabled())
        return;
    QString error;
    if (!writeCustomScript(path, m_text->toPlainText(), m_format, &error))
        m_prompts.error(WizardTexts::scriptNotSaved(path, error));
}
