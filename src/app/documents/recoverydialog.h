// The dialog at the start after a run that did not end cleanly: the pages it left unsaved (name
// or "untitled", time of the last change, size, whether the file on disk changed since), each
// with a tick, and Recover, Discard and Later. Journals that cannot be used are listed with the
// reason and cannot be ticked.
#pragma once

#include "recovery/recoverablepage.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

class RecoveryDialog : public QDialog {
    Q_OBJECT
public:
    RecoveryDialog(const QList<RecoverablePage> &pages, QWidget *parent = nullptr);

    // Shows the dialog modally and returns the choice; closing it is Later.
    static RecoveryChoice choose(const QList<RecoverablePage> &pages, QWidget *parent);
    RecoveryChoice choice() const { return m_choice; }

private:
    void finish(RecoveryChoice::Action action);
    void followTicks();

    QTreeWidget *m_list;
    QPushButton *m_recover;
    QPushButton *m_discard;
    RecoveryChoice m_choice;
};
