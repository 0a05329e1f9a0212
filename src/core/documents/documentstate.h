// Names and times shown for open documents: the untitled name, the last-save text, folder parts.
#pragma once

#include "documents/documentfile.h"
#include "documents/textcodec.h"
#include "shell/filepaths.h"

#include <QString>

inline const QString NeverSavedText = QStringLiteral("--:--");
inline const QString UntitledName = QStringLiteral("New.htm");

// The folder part of a path with its trailing "/" ("/web/a.htm" gives "/web/"); "" without one.
QString folderPart(const QString &path);
// True for the name an untitled document carries (its file part is "New.htm", or it is empty).
bool isUntitledName(const QString &path);
// The time text shown after "Last save: " (the first five characters of the local time of day).
QString currentTimeText();
