// The four panels of the main window's status bar: last save, caret position, insert mode, spare.
#pragma once

#include <QLabel>
#include <QStatusBar>

class StatusPanels {
public:
    explicit StatusPanels(QStatusBar *bar);

    void setLastSave(const QString &text); // shows "Last save: " + text
    void setPosition(const QString &text); // "column:line", both from 1
    void setInsertMode(bool overwrite);    // "Insert" or "Overwrite"

    QString lastSaveText() const { return m_lastSave->text(); }
    QString positionText() const { return m_position->text(); }
    QString modeText() const { return m_mode->text(); }

private:
    QLabel *m_lastSave;
    QLabel *m_position;
    QLabel *m_mode;
    QLabel *m_spare;
};
