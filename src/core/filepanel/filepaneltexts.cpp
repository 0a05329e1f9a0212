#include "filepanel/filepaneltexts.h"

#include <QDir>

namespace FilePanelTexts {

namespace {
QString shown(const QString &path) {
    return QDir::toNativeSeparators(path);
}
} // namespace

QString confirmDelete(const QString &path) {
    return QStringLiteral("Are you sure you want to delete %1?").arg(shown(path));
}

QString cannotDelete(const QString &path) {
    return QStringLiteral("Can not delete %1.").arg(shown(path));
}

QString cannotDeleteBecause(const QString &path, const QString &reason) {
    return QStringLiteral("Can not delete %1: %2.").arg(shown(path), reason);
}

QString deleteForGood(const QString &path, const QString &whyNoTrash) {
    return QStringLiteral("%1 can not be moved to the trash: %2.\n\nDelete it for good?")
        .arg(shown(path), whyNoTrash);
}

QString trashNotCreated(const QString &trashFolder, const QString &reason) {
    return QStringLiteral("the trash folder %1 could not be created (%2)")
        .arg(shown(trashFolder), reason);
}

QString trashNotReached() {
    return QStringLiteral("no trash folder could be used for it");
}

QString isTheFileItself(const QString &path) {
    return QStringLiteral("%1 is the file itself.").arg(shown(path));
}

QString cannotReplaceFolder(const QString &path) {
    return QStringLiteral("Can not replace the folder %1.").arg(shown(path));
}

QString confirmReplace(const QString &path) {
    return QStringLiteral("%1 already exists. Do you want to replace it?").arg(shown(path));
}

QString invalidName(const QString &name) {
    return QStringLiteral("\"%1\" is not a valid file name.").arg(name);
}

QString renameTargetExists(const QString &from, const QString &to) {
    return QStringLiteral("Can not rename %1: %2 already exists.").arg(shown(from), shown(to));
}

QString cannotRename(const QString &from, const QString &reason) {
    return QStringLiteral("Can not rename %1: %2.").arg(shown(from), reason);
}

QString cannotMove(const QString &from, const QString &to, const QString &reason) {
    return QStringLiteral("Can not move %1 to %2: %3.").arg(shown(from), shown(to), reason);
}

QString sourceNotDeleted(const QString &source, const QString &reason, const QString &copy) {
    return QStringLiteral("Could not delete %1: %2.\nIts copy %3 is complete.")
        .arg(shown(source), reason, shown(copy));
}

QString cannotOpenInDefaultApplication(const QString &path) {
    return QStringLiteral("Can not open %1.").arg(shown(path));
}

QString moveUnsavedPage(const QString &path, bool rename) {
    return QStringLiteral("%1 is open in Marlo with unsaved changes.\n\nDo you want to %2 it "
                          "all the same? The open page follows the file to its new name; your "
                          "changes stay unsaved.")
        .arg(shown(path), rename ? QStringLiteral("rename") : QStringLiteral("move"));
}

QString deleteUnsavedPage(const QString &path) {
    return QStringLiteral("%1 is open in Marlo with unsaved changes.\n\nAre you sure you want to "
                          "delete it? The page stays open; saving it writes the file again.")
        .arg(shown(path));
}

QString confirmReplaceIn(const QString &search, const QString &replacement, qsizetype files) {
    return QStringLiteral("Are you sure you want to replace \"%1\" with \"%2\" in the %3 "
                          "selected file(s)?")
        .arg(search, replacement, QString::number(files));
}

QString foundIn(int count, const QString &path) {
    return QStringLiteral("Found search string %1 time(s) in %2").arg(count).arg(shown(path));
}

QString replacedIn(int count, const QString &path) {
    return QStringLiteral("Made %1 replacement(s) in %2").arg(count).arg(shown(path));
}

QString notFound() {
    return QStringLiteral("Search string not found");
}

QString cannotWrite(const QString &path, const QString &reason) {
    return QStringLiteral("Cannot write \"%1\": %2").arg(shown(path), reason);
}

QString writtenAndFailed(int written, int failed) {
    return QStringLiteral("The search string was found in %1 file(s): %2 written, %3 could not "
                          "be written and are unchanged.")
        .arg(written + failed)
        .arg(written)
        .arg(failed);
}

QString cancelled(int skipped, int total) {
    return QStringLiteral("Cancelled: %1 of %2 file(s) were not processed.")
        .arg(skipped)
        .arg(total);
}

} // namespace FilePanelTexts
