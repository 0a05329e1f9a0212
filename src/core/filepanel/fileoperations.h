// The file panel's file commands: rename in place, copy and move to a folder, delete to the trash.
// Every question and failure goes to the user through Prompts; the results say whether the
// folder's content changed.
#pragma once

#include <QString>

class Prompts;

// Renames `oldName` to `newName` within `folder` with a real rename (permissions and times stay).
// A name that exists already is refused, as are names holding a "/". Renaming to the same name
// does nothing. True when the file now carries the new name.
bool renamePanelFile(const QString &folder, const QString &oldName, const QString &newName,
                     Prompts &prompts);

// Copies `source` into `targetFolder` under its own name, asking before replacing a file of that
// name there. True when the copy was made.
bool copyFileToFolder(const QString &source, const QString &targetFolder, Prompts &prompts);

// Moves `source` into `targetFolder`: a rename where the folder lies on the same file system,
// a copy and a delete across file systems; asks before replacing a file of that name there.
// True when the file left its folder.
bool moveFileToFolder(const QString &source, const QString &targetFolder, Prompts &prompts);

// Asks, then moves `path` to the trash. Where the volume has no trash the user is asked again
// before the file is deleted for good. True when the file is gone.
bool deleteToTrash(const QString &path, Prompts &prompts);
