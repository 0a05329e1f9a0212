// Turning the target of a link or the source of a picture into a local file name: "file:" URLs
// and Windows-style drive paths become local paths, relative names are resolved against the
// document's base reference or its folder. Letter case is kept (file names are case-sensitive).
#pragma once

#include <QString>

namespace LinkTarget {

struct Parts {
    QString path;   // the part before "#"
    QString anchor; // the part after "#", without it
    bool hasAnchor = false;
};

// Splits "page.htm#name" at the first "#".
Parts splitAnchor(const QString &target);

// True for targets of another scheme than "file:" (http:, mailto:, ftp: ...), which name no
// local file.
bool isForeignUrl(const QString &target);

// The base reference value that leaves relative names as they are.
bool isDosPathBase(const QString &base);

// The local file a target names. `baseReference` is the document's BASE (may be empty),
// `documentDirectory` the folder of the current file (empty: relative names stay relative to
// the current directory).
QString toFileName(const QString &target, const QString &baseReference,
                   const QString &documentDirectory);

// Whether following a link to this file loads it into the viewer (".htm" and ".html").
bool isHtmlFile(const QString &fileName);

} // namespace LinkTarget
