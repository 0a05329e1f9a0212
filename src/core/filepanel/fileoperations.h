// The file panel's file commands: rename in place, copy and move to a folder, delete to the trash.
// Every question and failure goes to the user through Prompts in plain words (texts in
// filepaneltexts.h); the results say whether the folder's content changed. A page that is open
// with unsaved changes is asked about first (`openUnsaved`).
#pragma once

#include <QString>

class Prompts;

// Renames `oldName` to `newName` within `folder` with a real rename (permissions and times stay).
// A name that is taken already (by anything, a link that leads nowhere included) is refused, as
// are names holding a "/". Renaming to the same name does nothing. True when the file now
// carries the new name.
bool renamePanelFile(const QString &folder, const QString &oldName, const QString &newName,
                     Prompts &prompts, bool openUnsaved = false);

// Copies `source` into `targetFolder` under its own name, asking before replacing a file of that
// name there. Only a regular file is copied; the copy keeps its permissions. True when the copy
// was made.
bool copyFileToFolder(const QString &source, const QString &targetFolder, Prompts &prompts);

// The name `source` gets in `targetFolder`.
QString targetInFolder(const QString &source, const QString &targetFolder);

// Moves `source` into `targetFolder`, asking before replacing a file of that name there: a
// rename where both lie on one file system; across file systems a copy to a temporary name at
// the target, checked and renamed into place, and only then the source deleted. A failed copy
// leaves nothing at the target and says what failed. True when the file left its folder.
bool moveFileToFolder(const QString &source, const QString &targetFolder, Prompts &prompts,
                      bool openUnsaved = false);

// Asks, then moves `path` to the trash, creating the trash folders where they are missing. Where
// no trash can take it the user is told why and asked before the file is deleted for good. A
// file is reported gone only when it reached the trash or was deleted. True when the file is
// gone.
bool deleteToTrash(const QString &path, Prompts &prompts, bool openUnsaved = false);
