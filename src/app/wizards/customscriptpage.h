// The JavaScript wizard's page of the user's own scripts: the scripts of the script folder, the
// text of the chosen one, and New, Delete and Save. A script is saved in the encoding and line
// ends it was read with.
#pragma once

#include "documents/textcodec.h"

#include <QWidget>

class Prompts;
class QComboBox;
class QPlainTextEdit;

class CustomScriptPage : public QWidget {
    Q_OBJECT
public:
    CustomScriptPage(Prompts &prompts, const QString &scriptFolder, QWidget *parent);

    // The chosen script's text as shown, or empty while the folder has no script.
    QString scriptText() const;

    // The page's buttons, for tests and keyboard users.
    void newScript();
    void deleteScript();
    void saveScript();

    QComboBox *scripts() const { return m_scripts; }
    QPlainTextEdit *text() const { return m_text; }

private:
    void reload(const QString &select = QString());
    void showScript();
    QString scriptPath() const;

    Prompts &m_prompts;
    QString m_folder;
    QComboBox *m_scripts;
    QPlainTextEdit *m_text;
    TextFormat m_format; // the shown script's encoding and line ends
};
