#include "pagecheck/pagecheck.h"

#include "pagecheck/brokenlinks.h"
#include "pagecheck/markupcheck.h"

#include <future>

PageFindings checkPage(const QString &pageText, const QString &pageFileName) {
    // The two halves share nothing but the (read-only) text: the links are looked up on a
    // second thread while the markup checker reads the page.
    std::future<PageFindings> links =
        std::async(std::launch::async, findBrokenLinks, pageText, pageFileName);
    PageFindings findings = checkMarkup(pageText);
    findings += links.get();
    return findings;
}
