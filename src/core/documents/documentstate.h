// What the program remembers about one open document besides its text.
#pragma once

#include "documents/documentfile.h"
#include "documents/textcodec.h"
#include "shell/filepaths.h"

#include <QString>

inline const QString NeverSavedText = QStringLiteral("--:--");
inline const QString UntitledName = QStringLiteral("New.htm");

struct DocumentState {
    QString fileName;                  // full path; untitled: folder + "/New.htm"
    QString lastSave = NeverSavedText; // time of day of the last load or save
    bool saved = true;                 // no unsaved changes
    bool changeGuard = true;           // edits by the program itself do not count as changes
    TextFormat format;                 // encoding, byte-order mark and line ends to write back
    FileStamp diskStamp;               // the file as it was read or last written
    FileStamp reloadDeclined;          // an outside change the user chose not to reload
};

// The folder part of a path with its trailing "/" ("/web/a.htm" gives "/web/"); "" without one.
QString folderPart(const QString &path);
// True for the name an untitled document carries (its file part is "New.htm", or it is empty).
bool isUntitledName(const QString &path);
// The time text shown after "Last save: " (the first five characters of the local time of day).
QString currentTimeText();
