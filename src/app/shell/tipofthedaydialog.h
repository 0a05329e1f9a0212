// The tip-of-the-day window: shows one tip at a time and keeps the caller's stored tip number
// (last tip shown, and by its sign whether tips appear at start) up to date.
#pragma once

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class TipOfTheDayDialog : public QDialog {
    Q_OBJECT
public:
    // `totd` must outlive the dialog: the dialog advances it while tips are shown and stores
    // the final value, signed by the check box, whenever it closes.
    TipOfTheDayDialog(int &totd, QWidget *parent = nullptr);

    QString currentText() const;

public Q_SLOTS:
    void showNextTip();
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    int &m_totd;
    QPlainTextEdit *m_text;
    QCheckBox *m_showOnStartup;
    QPushButton *m_next;
    QPushButton *m_close;
};
