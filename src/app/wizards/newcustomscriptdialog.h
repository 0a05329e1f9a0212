// "New custom script": a file name and the script text, saved as a ".jsc" file in the folder of
// the custom scripts; asks before replacing a script of the same name.
#pragma once

#include <QDialog>

class Prompts;
class QLineEdit;
class QPlainTextEdit;

class NewCustomScriptDialog : public QDialog {
    Q_OBJECT
public:
    NewCustomScriptDialog(Prompts &prompts, const QString &scriptFolder,
                          QWidget *parent = nullptr);

    QLineEdit *fileNameEdit() const { return m_fileName; }
    QPlainTextEdit *scriptEdit() const { return m_script; }
    // The file name of the script saved by "OK" (without folder).
    QString savedFileName() const { return m_saved; }

    void confirm();

private:
    Prompts &m_prompts;
    QString m_folder;
    QString m_saved;
    QLineEdit *m_fileName;
    QPlainTextEdit *m_script;
};
