#include "wizards/scriptinsertion.h"

#include "text/tagextent.h"
#include "wizards/wizardtexts.h"

#include <algorithm>

namespace {

struct Anchors {
    int body = -1;
    int headEnd = -1;
    bool found() const { return body >= 0 && headEnd >= 0; }
};

Anchors findAnchors(QStringView text) {
    const int n = int(text.size());
    return {findText(text, u"<BODY", 0, n), findText(text, u"</HEAD", 0, n)};
}

bool overlaps(int start, int length, int tag, int tagLength) {
    return start < tag + tagLength && tag < start + length;
}

// The element replaces the selection unless that would cut into "<BODY" or "</HEAD"; then it is
// only inserted, at the selection's start, or in front of the tag the start lies in.
void addElement(TextEdits &edits, const Anchors &a, int start, int length, const QString &element) {
    if (element.isEmpty())
        return;
    if (!overlaps(start, length, a.body, 5) && !overlaps(start, length, a.headEnd, 6)) {
        edits.append({start, length, element});
        return;
    }
    int at = start;
    if (a.body < at && at < a.body + 5)
        at = a.body;
    if (a.headEnd < at && at < a.headEnd + 6)
        at = a.headEnd;
    edits.append({at, 0, element});
}

void sortEdits(TextEdits &edits) {
    std::stable_sort(edits.begin(), edits.end(),
                     [](const TextEdit &a, const TextEdit &b) { return a.position < b.position; });
}

// The block goes directly before the line holding "</HEAD": the caret on the line above. When
// "</HEAD" stands on the first line, it is moved to a line of its own first.
void addBlock(ScriptPlacement &p, QStringView text, int headEnd, const QStringList &lines) {
    if (!text.left(headEnd).contains(QLatin1Char('\n')))
        p.edits.append({headEnd, 0, QStringLiteral("\n")});
    sortEdits(p.edits);
    const QString after = applyTextEdits(text, p.edits);
    const int head = findText(after, u"</HEAD", 0, int(after.size()));
    p.caretLine = int(QStringView(after).left(head).count(QLatin1Char('\n'))) - 1;
    p.block = lines;
    p.block << QStringLiteral("\\end") << QStringLiteral("0000");
    p.insertBlock = true;
}

} // namespace

ScriptPlacement placeScript(QStringView text, int selectionStart, int selectionLength,
                            const ScriptRequest &r) {
    ScriptPlacement p;
    const Anchors a = findAnchors(text);
    if (!a.found()) {
        p.message = WizardTexts::BasicTags;
        return p;
    }
    if (!r.identity.bodyAttribute.isEmpty())
        p.edits.append({a.body + 5, 0, QLatin1Char(' ') + r.identity.bodyAttribute});
    addElement(p.edits, a, selectionStart, selectionLength, r.element);
    if (findText(text, r.identity.marker, 0, a.headEnd) >= 0) {
        p.message = WizardTexts::scriptExists(r.identity.name);
        sortEdits(p.edits);
        return p;
    }
    addBlock(p, text, a.headEnd, r.lines);
    return p;
}

ScriptPlacement placeFade(QStringView text, const QStringList &lines, FadeType type) {
    ScriptPlacement p;
    const Anchors a = findAnchors(text);
    if (!a.found()) {
        p.message = WizardTexts::BasicTagsHtml;
        return p;
    }
    const QString attribute = fadeBodyAttribute(type);
    if (!attribute.isEmpty())
        p.edits.append({a.body + 5, 0, attribute});
    if (findText(text, FadeMarker, 0, a.headEnd) >= 0) {
        p.message = WizardTexts::FadeExists;
        return p;
    }
    addBlock(p, text, a.headEnd, lines);
    return p;
}

ScriptPlacement placeClock(QStringView text, int selectionStart, int selectionLength) {
    ScriptPlacement p;
    const Anchors a = findAnchors(text);
    if (!a.found()) {
        p.message = WizardTexts::BasicTagsHtml;
        return p;
    }
    const int n = int(text.size());
    addElement(p.edits, a, selectionStart, selectionLength, clockElement());
    if (findText(text, u"onLoad=\"startclock()", 0, n) < 0) {
        int tagEnd = int(tagClose(text, a.body));
        if (tagEnd < 0)
            tagEnd = n;
        const QStringView onLoad = u"onLoad=\"";
        const int existing = findText(text, onLoad, a.body, tagEnd);
        if (existing >= 0)
            p.edits.append({existing + int(onLoad.size()), 0, QStringLiteral("startclock(); ")});
        else
            p.edits.append({a.body + 5, 0, QStringLiteral(" onLoad=\"startclock()\"")});
    }
    if (findText(text, ClockMarker, 0, n) >= 0) {
        sortEdits(p.edits);
        return p;
    }
    addBlock(p, text, a.headEnd, clockScript());
    return p;
}

DetourEdit planDetour(QStringView text, const QString &location, const QString &title) {
    DetourEdit d;
    const int n = int(text.size());
    auto closingBracket = [&](QStringView tag) {
        const int at = findText(text, tag, 0, n);
        return at < 0 ? -1 : int(tagClose(text, at));
    };
    const int titleStart = closingBracket(u"<TITLE");
    if (titleStart < 0) {
        d.message = WizardTexts::NoTitleTag;
        return d;
    }
    const int titleEnd = closingBracket(u"</TITLE");
    if (titleEnd < 0) {
        d.message = WizardTexts::NoTitleEndTag;
        return d;
    }
    const int body = closingBracket(u"<BODY");
    if (body < 0) {
        d.message = WizardTexts::NoBodyTag;
        return d;
    }
    d.edits.append({titleStart + 1, 0, title});
    d.edits.append({titleEnd + 1, 0,
                    QStringLiteral("\n<META HTTP-EQUIV=\"Refresh\" CONTENT=\"5; URL=") + location +
                        QStringLiteral("\">")});
    d.edits.append({body + 1, 0,
                    QStringLiteral("\n<H1>This page has moved!</H1><P>\n<H2>Please update your "
                                   "bookmarks to:<P>\n<A HREF=\"") +
                        location + QStringLiteral("\">") + location +
                        QStringLiteral("</A></H2><P>\nYou will be transferred automatically in 5 "
                                       "seconds.<P>")});
    sortEdits(d.edits);
    return d;
}

namespace {
JavaScriptResult missing(const QString &message) {
    JavaScriptResult r;
    r.message = message;
    r.fieldsMissing = true;
    return r;
}
JavaScriptResult from(const ScriptPlacement &p) {
    JavaScriptResult r;
    static_cast<ScriptPlacement &>(r) = p;
    return r;
}
} // namespace

JavaScriptResult buildJavaScript(QStringView text, int start, int length,
                                 const JavaScriptFields &f) {
    switch (f.effect) {
    case JavaScriptEffect::Scroller:
        if (f.text.isEmpty())
            return missing(WizardTexts::NoText);
        return from(placeScript(
            text, start, length,
            {scrollerScript(f.text, scrollerDelay(f.speed)), scrollerIdentity(), QString()}));
    case JavaScriptEffect::Ticker: {
        const QStringList lines = f.text.split(QLatin1Char('\n'));
        if (f.text.trimmed().isEmpty())
            return missing(WizardTexts::NoTickerText);
        return from(placeScript(text, start, length,
                                {tickerScript(lines), tickerIdentity(), tickerElement(f.width)}));
    }
    case JavaScriptEffect::Marquee:
        if (f.text.isEmpty())
            return missing(WizardTexts::NoMarqueeText);
        return from(placeScript(
            text, start, length,
            {marqueeScript(f.text, f.width), marqueeIdentity(), marqueeElement(f.width)}));
    case JavaScriptEffect::Autoscroll:
        return from(placeScript(text, start, length,
                                {autoscrollScript(), autoscrollIdentity(), QString()}));
    case JavaScriptEffect::SlideShow:
        if (f.slides.isEmpty())
            return missing(WizardTexts::NoSlides);
        if (f.delay.trimmed().toUInt() == 0)
            return missing(WizardTexts::DelayNotANumber);
        return from(placeScript(text, start, length,
                                {slideShowScript(f.slides, f.delay), slideShowIdentity(),
                                 slideShowElement(f.slides.first())}));
    case JavaScriptEffect::Fade: {
        FadeOptions o = f.fade;
        o.page = pageColorForFade(text);
        return from(placeFade(text, fadeScript(o), o.type));
    }
    case JavaScriptEffect::Clock:
        return from(placeClock(text, start, length));
    case JavaScriptEffect::Detour: {
        if (f.location.trimmed().isEmpty())
            return missing(WizardTexts::NoLocation);
        const DetourEdit d = planDetour(text, f.location.trimmed(), f.title);
        JavaScriptResult r;
        r.message = d.message;
        r.edits = d.edits;
        return r;
    }
    case JavaScriptEffect::Custom:
        if (f.text.trimmed().isEmpty())
            return missing(WizardTexts::NoCustomScript);
        return from(placeScript(text, start, length,
                                {customScriptBlock(f.text), ScriptIdentity{}, QString()}));
    }
    return {};
}
