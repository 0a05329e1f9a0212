// File names as the dialogs and the file panel need them: the reference text written into a page
// for a chosen file, and the classification of files by extension.
#pragma once

#include <QString>
#include <QStringList>

struct AppSettings;

// The text to insert into the page `currentFileName` for the file `fileName`, following the
// settings relativ / no / absolut (applied in that order, the last one set wins) and convertslash.
// Empty or "[empty]" gives empty text; names that are not absolute (URLs among them) come back
// unchanged. A file on another root (another drive) than the page falls back to the absolute form.
QString makeReference(const QString &fileName, const AppSettings &s,
                      const QString &currentFileName);

// The text from the last dot to the end, dot included, provided no separator follows the dot;
// empty when there is none.
QString fileExtension(const QString &fileName);
// Everything after the last "/" or "\"; the whole name when there is none.
QString fileNamePart(const QString &fileName);

// The extensions (lower case, without the dot) of every picture format this build of Qt reads,
// GIF and JPEG first.
const QStringList &readablePictureExtensions();
// "*.gif;*.jpg;*.jpeg;*.png;..." for those extensions: what "Show Image files" lets through.
QString imageFileMask();

// Formats the image preview shows: the 23 classic picture extensions and every format Qt reads.
bool isImageFile(const QString &fileName);
// Images a page can embed: every picture format Qt reads (GIF, JPEG, PNG, SVG, WebP, ...).
bool isWebImageFile(const QString &fileName);
// `multiMask` and `htmlMask` list entries of the form "*.ext;" (the last ";" may be missing).
// Extensions compare without regard to case. "*.htm" also accepts ".html", "*.shtm" ".shtml".
bool isMultimediaFile(const QString &fileName, const QString &multiMask);
bool isHtmlFile(const QString &fileName, const QString &htmlMask);
