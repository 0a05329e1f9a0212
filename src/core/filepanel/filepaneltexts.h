// Every message of the file panel's file commands and of the multi-file tools, in one place.
// File names are shown with the platform's separators.
#pragma once

#include <QString>

namespace FilePanelTexts {

inline const QString CopyToCaption = QStringLiteral("Copy to...");
inline const QString MoveToCaption = QStringLiteral("Move to...");

QString confirmDelete(const QString &path);
QString cannotDelete(const QString &path);
QString cannotDeleteBecause(const QString &path, const QString &reason);
QString deleteForGood(const QString &path, const QString &whyNoTrash);
QString trashNotCreated(const QString &trashFolder, const QString &reason);
QString trashNotReached();

QString isTheFileItself(const QString &path);
QString cannotReplaceFolder(const QString &path);
QString confirmReplace(const QString &path);
QString invalidName(const QString &name);
QString renameTargetExists(const QString &from, const QString &to);
QString cannotRename(const QString &from, const QString &reason);
QString cannotMove(const QString &from, const QString &to, const QString &reason);
// The copy of a move across file systems is complete, but the source stayed.
QString sourceNotDeleted(const QString &source, const QString &reason, const QString &copy);
QString cannotOpenInDefaultApplication(const QString &path);

// The page is open in a tab with unsaved changes; the questions say what happens to the tab.
QString moveUnsavedPage(const QString &path, bool rename);
QString deleteUnsavedPage(const QString &path);

// Multi-file search and replace: the questions before a replace, the fields to fill, the
// result lines.
QString confirmReplaceIn(const QString &search, const QString &replacement, qsizetype files);
inline const QString ReplaceInOpenFile = QStringLiteral(
    "You are trying to replace a string in the file that is currently open in the Marlo editor. "
    "If you save this file in the Marlo main window later, you will overwrite changes in the "
    "HTML code made by this replace function! Would you like to go on?");
inline const QString NoFilesToSearch = QStringLiteral("Please specify the files to search in.");
inline const QString NoSearchText = QStringLiteral("Please specify a search string.");
QString foundIn(int count, const QString &path);
QString replacedIn(int count, const QString &path);
QString notFound();
QString cannotWrite(const QString &path, const QString &reason);
// After a replace in which some files could not be written.
QString writtenAndFailed(int written, int failed);
QString cancelled(int skipped, int total);

} // namespace FilePanelTexts
