// The list of files a page refers to through its tag attributes (href, src, background,
// codebase, action, lowsrc), filtered by kind and by local or remote.
#pragma once

#include <QString>
#include <QStringList>

struct LinkedFilesFilter {
    bool htmlFiles = true;
    bool imageFiles = true;
    bool otherFiles = true;
    bool localOnly = true;
};

// Every reference, as written in the page, grouped by attribute name in the order above and in
// text order within a group; a file referred to twice is listed twice. Empty values are skipped.
QStringList listLinkedFiles(const QString &pageText, const LinkedFilesFilter &filter);


// Whether a reference names a file on another machine (http, ftp, wais, telnet, gopher).
bool isRemoteReference(const QString &reference);
