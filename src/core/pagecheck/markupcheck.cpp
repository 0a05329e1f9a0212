#include "pagecheck/markupcheck.h"

#include <cstring>
#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>
#include <vector>

namespace {

struct Collected {
    std::vector<PageFinding> findings;
};

// Info, warnings and errors about the page; the library's own dialogue (its summary, the advice
// footnotes) and complaints about its configuration are not about the page.
bool severityOf(TidyReportLevel level, PageFinding::Severity *severity) {
    switch (level) {
    case TidyInfo:
        *severity = PageFinding::Severity::Info;
        return true;
    case TidyWarning:
    case TidyAccess:
        *severity = PageFinding::Severity::Warning;
        return true;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        *severity = PageFinding::Severity::Error;
        return true;
    default:
        return false;
    }
}

// Notes about the copy the library would write out, which a check never asks for.
bool aboutOutput(const char *key) {
    return std::strcmp(key, "STRING_NO_SYSID") == 0;
}

Bool TIDY_CALL collect(TidyMessage message) {
    auto *out = static_cast<Collected *>(tidyGetAppData(tidyGetMessageDoc(message)));
    PageFinding f;
    const char *key = tidyGetMessageKey(message);
    if (!severityOf(tidyGetMessageLevel(message), &f.severity) || aboutOutput(key))
        return no;
    f.line = qMax(0, tidyGetMessageLine(message));
    f.column = qMax(0, tidyGetMessageColumn(message));
    f.kind = QString::fromUtf8(key);
    f.message = QString::fromUtf8(tidyGetMessage(message)).trimmed();
    out->findings.push_back(std::move(f));
    return no; // collected here; nothing goes to the library's own output
}

// The library counts columns in characters (code points) with a tab as one, having been told
// so; the editor counts UTF-16 units. Lines past the end stay as reported (the end of the page).
void toEditorColumns(const QString &text, std::vector<PageFinding> &findings) {
    std::vector<qsizetype> lineStarts{0};
    for (qsizetype i = text.indexOf(QLatin1Char('\n')); i >= 0;
         i = text.indexOf(QLatin1Char('\n'), i + 1))
        lineStarts.push_back(i + 1);
    for (PageFinding &f : findings) {
        if (f.line < 1 || f.column < 1 || size_t(f.line) > lineStarts.size())
            continue;
        const qsizetype start = lineStarts[size_t(f.line - 1)];
        const qsizetype end =
            size_t(f.line) < lineStarts.size() ? lineStarts[size_t(f.line)] - 1 : text.size();
        qsizetype i = start;
        for (int c = 1; c < f.column && i < end; ++c)
            i += (text.at(i).isHighSurrogate() && i + 1 < end && text.at(i + 1).isLowSurrogate())
                     ? 2
                     : 1;
        f.column = int(i - start) + 1;
    }
}

} // namespace

PageFindings checkMarkup(const QString &pageText) {
    Collected collected;
    TidyDoc doc = tidyCreate();
    TidyBuffer errors;
    tidyBufInit(&errors);
    tidySetErrorBuffer(doc, &errors); // whatever the callback lets through: never to stderr
    tidySetAppData(doc, &collected);
    tidySetMessageCallback(doc, collect);
    tidyOptSetBool(doc, TidyQuiet, yes);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    tidyOptSetBool(doc, TidyShowInfo, yes);
    tidyOptSetValue(doc, TidyDoctype, "auto"); // the page's own doctype
    tidyOptSetInt(doc, TidyTabSize, 1);        // columns as the editor counts them
    // The editor's text is Unicode whatever the file's encoding was; handed over as UTF-8 and
    // declared so, every character reaches the library as the user sees it.
    tidySetInCharEncoding(doc, "utf8");

    QByteArray bytes = pageText.toUtf8();
    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte *>(bytes.data()), uint(bytes.size()));
    if (tidyParseBuffer(doc, &input) >= 0 && tidyCleanAndRepair(doc) >= 0)
        tidyRunDiagnostics(doc); // the doctype given and what the content looks like
    tidyBufDetach(&input);
    tidyBufFree(&errors);
    tidyRelease(doc);

    toEditorColumns(pageText, collected.findings);
    return PageFindings(collected.findings.begin(), collected.findings.end());
}
