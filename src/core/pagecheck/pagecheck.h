// Checking a page as the user asks for it: the markup checker's findings in its order, then
// the broken links in text order. The links are checked on a thread of their own meanwhile.
#pragma once

#include "pagecheck/pagefinding.h"

PageFindings checkPage(const QString &pageText, const QString &pageFileName);
