// Every text of the recovery of unsaved pages: the reasons a journal is refused, the recovery
// dialog and the messages, in one place.
#pragma once

#include <QString>

namespace RecoveryTexts {

// Reasons a journal is refused (they complete "cannot be used: ...").
QString notAJournal();
QString otherVersion();
QString damaged();
QString doesNotMatchPage();
QString textTooLong();

// A journal that is refused and left where it is.
QString refused(const QString &journalPath, const QString &reason);
// Journalling does not work in this run (the folder cannot be made, a write failed).
QString cannotKeepJournals(const QString &reason);
// Asked before journals are deleted for good.
QString confirmDiscard(int pages);

// The recovery dialog.
QString dialogCaption();
QString dialogIntro();
QString pageColumn();
QString lastChangeColumn();
QString sizeColumn();
QString noteColumn();
QString untitled();
QString recoverButton();
QString discardButton();
QString laterButton();
// Notes beside a page.
QString changedOnDisk();
QString goneFromDisk();

} // namespace RecoveryTexts
