#include "wizards/pageproperties.h"

#include "wizards/htmlcolors.h"
#include "text/tagextent.h"
#include "wizards/tagattributes.h"

#include <algorithm>

namespace {

struct Span {
    int start = -1;
    int length = 0;
    bool found() const { return start >= 0; }
};

// From "<body" through the next ">".
Span bodyTag(const QString &t) {
    const int at = t.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    const int gt = int(tagClose(t, at));
    if (gt < 0)
        return {};
    return {at, gt - at + 1};
}

// From "<title" through the ">" of the next "</title"; none when the element is not closed.
Span titleElement(const QString &t) {
    const int at = t.indexOf(QLatin1String("<title"), 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    const int close = t.indexOf(QLatin1String("</title"), at, Qt::CaseInsensitive);
    if (close < 0)
        return {};
    const int gt = int(tagClose(t, close));
    if (gt < 0)
        return {};
    return {at, gt - at + 1};
}

QString otherAttributes(QString rest) {
    rest = rest.trimmed();
    const qsizetype gt = tagClose(rest, 0); // not a ">" inside a quoted value
    if (gt >= 0)
        rest.remove(gt, 1);
    if (rest.startsWith(QLatin1String("body"), Qt::CaseInsensitive))
        rest.remove(0, 4);
    rest = rest.trimmed();
    while (rest.contains(QLatin1String("  ")))
        rest.replace(QLatin1String("  "), QLatin1String(" "));
    QString out;
    for (QChar c : rest)
        if (c.unicode() < 127 || c.unicode() > 160)
            out += c;
    return out;
}

QString attribute(const char *name, const QString &value) {
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value);
}

QString colorAttribute(const char *name, const QString &value) {
    return leavesColorOut(value) ? QString() : attribute(name, value);
}

QString textAttribute(const char *name, const QString &value) {
    return value.isEmpty() ? QString() : attribute(name, value.toUpper());
}

// A sample colour, or its fallback when the field adds nothing.
QString sampleColor(const QString &value, const char *fallback) {
    return leavesColorOut(value) ? QLatin1String(fallback) : value;
}

} // namespace

PageProperties readPageProperties(const QString &documentText) {
    PageProperties p;
    const Span title = titleElement(documentText);
    if (title.found()) {
        const QString element = documentText.mid(title.start, title.length);
        const int gt = int(tagClose(element, 0));
        const int lt = int(element.indexOf(QLatin1Char('<'), gt + 1));
        if (gt >= 0 && lt > gt)
            p.title = element.mid(gt + 1, lt - gt - 1);
    }
    const Span body = bodyTag(documentText);
    if (!body.found())
        return p;
    QString tag = documentText.mid(body.start + 1, body.length - 1);
    tag.replace(QLatin1Char('\r'), QLatin1Char(' '));
    tag.replace(QLatin1Char('\n'), QLatin1Char(' '));
    TagAttributes a(tag);
    auto read = [&a](const char *name) { return a.attributeValue(QLatin1String(name)); };
    p.bgcolor = normalizedHtmlColorText(read("bgcolor"));
    p.background = read("background");
    p.bgproperties = read("bgproperties");
    p.text = normalizedHtmlColorText(read("text"));
    p.link = normalizedHtmlColorText(read("link"));
    p.vlink = normalizedHtmlColorText(read("vlink"));
    p.alink = normalizedHtmlColorText(read("alink"));
    p.leftmargin = read("leftmargin");
    p.topmargin = read("topmargin");
    p.other = otherAttributes(a.remainingText());
    return p;
}

QString buildBodyTag(const PageProperties &p, const ReferenceMaker &reference) {
    QString t = QStringLiteral("<BODY");
    if (!p.background.isEmpty())
        t += attribute("BACKGROUND", reference(p.background));
    t += colorAttribute("BGCOLOR", p.bgcolor);
    t += colorAttribute("TEXT", p.text);
    t += colorAttribute("LINK", p.link);
    t += colorAttribute("VLINK", p.vlink);
    t += colorAttribute("ALINK", p.alink);
    t += textAttribute("BGPROPERTIES", p.bgproperties);
    t += textAttribute("LEFTMARGIN", p.leftmargin);
    t += textAttribute("TOPMARGIN", p.topmargin);
    if (!p.other.isEmpty())
        t += QLatin1Char(' ') + p.other;
    return t + QLatin1Char('>');
}

TextEdits pagePropertiesEdits(const QString &documentText, const PageProperties &p,
                              const ReferenceMaker &reference) {
    TextEdits edits;
    const Span body = bodyTag(documentText);
    const Span title = titleElement(documentText);
    const TextEdit bodyEdit{body.start, body.length, buildBodyTag(p, reference)};
    const TextEdit titleEdit{title.start, title.length,
                             QStringLiteral("<TITLE>") + p.title + QStringLiteral("</TITLE>")};
    // A title inside a body tag cannot happen in a page; if the spans overlap, the body wins.
    const bool overlap = body.found() && title.found() && title.start < body.start + body.length &&
                         body.start < title.start + title.length;
    if (title.found() && !overlap)
        edits.append(titleEdit);
    if (body.found())
        edits.append(bodyEdit);
    std::sort(edits.begin(), edits.end(),
              [](const TextEdit &a, const TextEdit &b) { return a.position < b.position; });
    return edits;
}

QString buildSamplePage(const PageProperties &p) {
    QString t = QStringLiteral("<HTML><HEAD></HEAD><BODY");
    if (!leavesColorOut(p.bgcolor))
        t += attribute("BGCOLOR", p.bgcolor);
    if (!leavesColorOut(p.text))
        t += attribute("TEXT", p.text);
    if (!leavesColorOut(p.link))
        t += attribute("LINK", p.link);
    t += attribute("BACKGROUND", p.background);
    t += QStringLiteral("><PRE> </PRE><BR><CENTER>This is the text color.<P>"
                        "<A HREF=\"\">This is the link color.</A><P>");
    t += QStringLiteral("<FONT COLOR=\"%1\">This is the visited link color.</FONT><P>")
             .arg(sampleColor(p.vlink, "#541484"));
    t += QStringLiteral("<FONT COLOR=\"%1\">This is the active link color.</FONT><P>")
             .arg(sampleColor(p.alink, "#FF0000"));
    return t + QStringLiteral("</CENTER></BODY></HTML>");
}
