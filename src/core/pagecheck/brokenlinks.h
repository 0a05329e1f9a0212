// The link half of the page check: every HREF, SRC and BACKGROUND that the linked-files scan
// finds in the page and that names a local file which does not exist, or an anchor the page
// does not have. Only asks the file system whether names exist; reads no file.
#pragma once

#include "pagecheck/pagefinding.h"

// `pageFileName` is the page's full name; relative references are resolved against its folder
// (an untitled page's is the folder it would be saved in). Remote URLs (http:, ftp:, mailto:
// and any other scheme, "//host/..."), and every relative reference of a page whose BASE is a
// remote URL, are skipped. File names are compared as the file system does (on Linux a wrong
// letter case is a missing file; the finding names the file that differs only in case). "#name"
// is checked against the page's A NAME and ID attributes; "#" and "#top" (the top of the page)
// need none. In text order, each with the place of its value.
PageFindings findBrokenLinks(const QString &pageText, const QString &pageFileName);
