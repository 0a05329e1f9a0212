#include "recovery/recoverytexts.h"

#include <QDir>

namespace RecoveryTexts {

QString notAJournal() {
    return QStringLiteral("it is not a Marlo recovery journal");
}
QString otherVersion() {
    return QStringLiteral("it was written by another version of Marlo");
}
QString damaged() {
    return QStringLiteral("it is damaged");
}
QString doesNotMatchPage() {
    return QStringLiteral("it does not match the page it was made from");
}
QString textTooLong() {
    return QStringLiteral("the text it holds is too long");
}

QString refused(const QString &journalPath, const QString &reason) {
    return QStringLiteral("The recovery journal \"%1\" cannot be used: %2.\n\nIt is left as it "
                          "is; delete it when you no longer need it.")
        .arg(QDir::toNativeSeparators(journalPath), reason);
}

QString cannotKeepJournals(const QString &reason) {
    return QStringLiteral("Marlo cannot keep recovery copies of unsaved changes: %1.\n\nIf the "
                          "program or the computer stops, unsaved work is lost; save often.")
        .arg(reason);
}

QString confirmDiscard(int pages) {
    return pages == 1
               ? QStringLiteral("Discard the unsaved changes of this page? They cannot be "
                                "recovered afterwards.")
               : QStringLiteral("Discard the unsaved changes of these %1 pages? They cannot be "
                                "recovered afterwards.")
                     .arg(pages);
}

QString dialogCaption() {
    return QStringLiteral("Recover unsaved pages");
}
QString dialogIntro() {
    return QStringLiteral("Marlo did not close properly last time. These pages had changes "
                          "that were not saved. Recover opens the ticked pages with those "
                          "changes; their files stay as they are until you save.");
}
QString pageColumn() {
    return QStringLiteral("Page");
}
QString lastChangeColumn() {
    return QStringLiteral("Last change");
}
QString sizeColumn() {
    return QStringLiteral("Size");
}
QString noteColumn() {
    return QStringLiteral("Note");
}
QString untitled() {
    return QStringLiteral("untitled");
}
QString recoverButton() {
    return QStringLiteral("&Recover");
}
QString discardButton() {
    return QStringLiteral("&Discard");
}
QString laterButton() {
    return QStringLiteral("&Later");
}
QString changedOnDisk() {
    return QStringLiteral("The file on disk has changed since these changes were made.");
}
QString goneFromDisk() {
    return QStringLiteral("The file is no longer on disk.");
}

} // namespace RecoveryTexts
