// A page that a run left unsaved when it ended, read back from its journal for the recovery
// dialog: what it was, when it last changed, how large it is, and how its file on disk compares.
#pragma once

#include "recovery/journalformat.h"

#include <QList>
#include <QString>

struct RecoverablePage {
    enum class Disk {
        Untouched, // the file is as the page's document last read or wrote it
        Changed,   // another program changed it since
        Gone,      // it is no longer there
        None,      // the page never had a file
    };

    QString journal;
    JournalContents contents; // contents.ok false: refused, contents.problem says why
    Disk disk = Disk::None;
    qint64 bytes = 0; // the page's size when saved

    bool recoverable() const { return contents.ok; }
};

// Reads each journal and compares its page with the file on disk.
RecoverablePage readRecoverablePage(const QString &journal);

// What the user decided about the pages offered.
struct RecoveryChoice {
    enum class Action { Recover, Discard, Later };
    Action action = Action::Later;
    QList<int> pages; // indices of the pages it applies to
};
