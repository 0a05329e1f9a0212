// The markup half of the page check: HTML Tidy's library reads the page as the editor holds it
// and reports what it finds wrong (unclosed or misplaced tags, unknown elements and attributes,
// missing doctype ...). Checking only: the library's repaired copy is never written anywhere,
// the page is never changed.
#pragma once

#include "pagecheck/pagefinding.h"

// The findings in the order the library reports them. The page's own doctype decides what it
// is checked against (an HTML 3.2 page as HTML 3.2); without one the library chooses. Lines and
// columns are the editor's (lines separated by "\n", columns in UTF-16 characters).
PageFindings checkMarkup(const QString &pageText);
