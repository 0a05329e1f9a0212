// The small "Go to line" window: asks for a line number and hands it to its owner. Created for
// each use; it deletes itself when it closes.
#pragma once

#include <QDialog>

class Prompts;
class QLineEdit;

class GoToLineDialog : public QDialog {
    Q_OBJECT
public:
    GoToLineDialog(Prompts &prompts, QWidget *parent = nullptr);

Q_SIGNALS:
    // The number as typed (1 is the first line); the owner clamps it to the document.
    void lineRequested(int n);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void confirm();

    Prompts &m_prompts;
    QLineEdit *m_line;
};
