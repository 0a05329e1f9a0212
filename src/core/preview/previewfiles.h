// Where an external preview writes its copy of the current document.
#pragma once

#include <QSet>
#include <QString>

// "temp.htm" in the folder of the document; when anything carries the name "temp.htm" there (a
// link that leads nowhere included) that this run did not write, the first free or own "temp~1.htm", "temp~2.htm", ... instead, so that no file of the
// user's is ever replaced. A name without folder gives a name relative to the current folder.
QString previewCopyName(const QString &documentName, const QSet<QString> &writtenThisRun);

// The URL a browser is given for a local file.
QString fileUrl(const QString &fileName);
