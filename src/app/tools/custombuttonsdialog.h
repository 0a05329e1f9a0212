// The "Custom button control" dialog: caption, start text and end text of the fifteen user
// buttons. Every change of a field is written into the settings at once; OK only confirms
// (the caller saves and refreshes the captions), Cancel keeps what was typed in memory.
#pragma once

#include <QDialog>

struct AppSettings;
class QLineEdit;
class QSpinBox;

class CustomButtonsDialog : public QDialog {
    Q_OBJECT
public:
    CustomButtonsDialog(AppSettings &settings, QWidget *parent = nullptr);

private:
    void showSlot();

    AppSettings &m_settings;
    QSpinBox *m_number;
    QLineEdit *m_caption;
    QLineEdit *m_start;
    QLineEdit *m_end;
};
