#include "wizards/javascripttemplates.h"

#include "editor/textcommands.h"
#include "text/tagextent.h"

namespace {

const QString Head = QStringLiteral("          "); // head scripts
const QString Narrow = QStringLiteral("      ");   // ticker and slide show

QStringList indented(const QString &indent, std::initializer_list<const char *> lines) {
    QStringList out;
    for (const char *line : lines)
        out << indent + QString::fromLatin1(line);
    return out;
}

QString hex2(int value) {
    return QStringLiteral("0x") + QString::number(value, 16).rightJustified(2, u'0').toUpper();
}

QString fadeArguments(const RgbValue &a, const RgbValue &b, int speed) {
    return QStringLiteral("%1,%2,%3, %4,%5,%6, %7")
        .arg(hex2(a.red), hex2(a.green), hex2(a.blue), hex2(b.red), hex2(b.green), hex2(b.blue))
        .arg(speed);
}

} // namespace

ScriptIdentity scrollerIdentity() {
    return {QStringLiteral("onLoad=\"scroller()\""), QStringLiteral("function scroller()"),
            QStringLiteral("scroller")};
}

ScriptIdentity tickerIdentity() {
    return {QStringLiteral("onLoad=\"textticker()\""), QStringLiteral("function textticker()"),
            QStringLiteral("ticker")};
}

ScriptIdentity marqueeIdentity() {
    return {QStringLiteral("onLoad=\"marquee()\""), QStringLiteral("function marquee()"),
            QStringLiteral("marquee")};
}

ScriptIdentity autoscrollIdentity() {
    return {QString(), QString(), QStringLiteral("autoscroll")};
}

ScriptIdentity slideShowIdentity() {
    return {QStringLiteral("onLoad=\"setTimeout('change()',delay);\""),
            QStringLiteral("function change()"), QStringLiteral("slideshow")};
}

int scrollerDelay(const QString &speedWord) {
    const QString w = speedWord.trimmed().toLower();
    if (w == QLatin1String("very fast"))
        return 10;
    if (w == QLatin1String("fast"))
        return 30;
    if (w == QLatin1String("slow"))
        return 70;
    if (w == QLatin1String("very slow"))
        return 90;
    return 50;
}

QString scriptStringLiteral(const QString &text) {
    QString out = text;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    out.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    out.replace(QStringLiteral("</"), QStringLiteral("<\\/"));
    return out;
}

QStringList scrollerScript(const QString &text, int delay) {
    QStringList s = indented(Head, {"<script language=\"JavaScript\">", "<!--"});
    s << Head + QStringLiteral("var POSITION = 100")
      << Head + QStringLiteral("var DELAY    = %1").arg(delay)
      << Head + QStringLiteral("var MESSAGE  = \"%1\"").arg(scriptStringLiteral(text));
    s << indented(
        Head,
        {
            "var scrollstep = 0",
            "",
            "// The message enters from the right after POSITION blanks and runs out to the left.",
            "function scroller() {",
            "    var blanks = \"\"",
            "    for (var i = 0; i < POSITION; i++) blanks += \" \"",
            "    var line = blanks + MESSAGE",
            "    window.status = line.substring(scrollstep, line.length)",
            "    scrollstep++",
            "    if (scrollstep > line.length) scrollstep = 0",
            "    setTimeout(\"scroller()\", DELAY)",
            "}",
            "// -->",
            "</script>",
        });
    return s;
}

QStringList tickerScript(const QStringList &messages) {
    QStringList s = indented(
        Narrow, {"<script language=\"JavaScript\">", "<!--", "var tickmessages = new textlist("});
    QStringList quoted;
    for (const QString &m : messages) {
        if (!m.trimmed().isEmpty())
            quoted << Narrow + QStringLiteral("\t\"") + scriptStringLiteral(m) + QLatin1Char('"');
    }
    s << quoted.join(QStringLiteral(",\n")).split(QLatin1Char('\n'));
    s << indented(
        Narrow, {
                    ");",
                    "var tickmessage = 0",
                    "var tickchar = 0",
                    "",
                    "function textlist() {",
                    "    this.length = arguments.length",
                    "    for (var i = 0; i < arguments.length; i++) this[i] = arguments[i]",
                    "}",
                    "",
                    "// Types the messages out one character at a time and pauses after each one.",
                    "function textticker() {",
                    "    var text = tickmessages[tickmessage]",
                    "    document.tickform.tickfield.value = text.substring(0, tickchar) + \"_\"",
                    "    if (tickchar++ < text.length) {",
                    "        setTimeout(\"textticker()\", 150)",
                    "    } else {",
                    "        tickchar = 0",
                    "        tickmessage = (tickmessage + 1) % tickmessages.length",
                    "        setTimeout(\"textticker()\", 2000)",
                    "    }",
                    "}",
                    "// -->",
                    "</script>",
                });
    return s;
}

QString tickerElement(int width) {
    return QStringLiteral(
               "<form name=\"tickform\"><input type=text name=\"tickfield\" size=%1></form>")
        .arg(width);
}

int tickerAutoWidth(const QStringList &messages) {
    int width = 0;
    for (const QString &m : messages)
        width = qMax(width, int(m.size()));
    return width;
}

QStringList marqueeScript(const QString &text, int width) {
    QStringList s = indented(Head, {"<script language=\"JavaScript\">", "<!--"});
    s << Head + QStringLiteral("var marqueetext = \"%1\";").arg(scriptStringLiteral(text));
    s << indented(
        Head,
        {
            "var position = 0;",
            "",
            "// The text slides in from the right edge of the field and starts again at the left.",
            "function marquee() {",
            "    if (document.marqueeform) {",
            "        var field = document.marqueeform.marquee;",
            "        var blanks = \"\";",
            "        for (var i = position; i < field.size; i++) blanks += \" \";",
            "        field.value = blanks + marqueetext;",
        });
    s << QStringLiteral("                  if(position++==%1) position=0;").arg(width);
    s << indented(Head, {
                            "    }",
                            "    setTimeout(\"marquee()\", 200);",
                            "}",
                            "// -->",
                            "</script>",
                        });
    return s;
}

QString marqueeElement(int width) {
    return QStringLiteral("<form name=\"marqueeform\"><input type=\"text\" name=\"marquee\" "
                          "size=\"%1\"></form>")
        .arg(width);
}

QStringList autoscrollScript() {
    return indented(Head, {
                              "<script language=\"JavaScript\">",
                              "<!--",
                              "// Adjust pageheight to the height of your page.",
                              "var pageheight = 450;",
                              "var scrolltop = 0;",
                              "var scrolltimer = null;",
                              "",
                              "function autoscroll() {",
                              "    scrolltop += 6;",
                              "    window.scrollTo(0, scrolltop);",
                              "    if (scrolltop < pageheight) {",
                              "        scrolltimer = setTimeout(\"autoscroll()\", 40);",
                              "    } else {",
                              "        scrolltop = 0;",
                              "        window.scrollTo(0, 0);",
                              "        scrolltimer = setTimeout(\"autoscroll()\", 1000);",
                              "    }",
                              "}",
                              "scrolltimer = setTimeout(\"autoscroll()\", 1000);",
                              "// -->",
                              "</script>",
                          });
}

QStringList slideShowScript(const QStringList &slides, const QString &delay) {
    QStringList s = indented(Narrow, {"<script language=\"JavaScript\">", "<!--",
                                      "// index: the position of the slide show's image among the",
                                      "// images of the page, counted from 0.", "var index = 0;"});
    s << Narrow + QStringLiteral("var delay = %1;").arg(delay.trimmed())
      << Narrow + QStringLiteral("var count = %1;").arg(slides.size());
    s << indented(Narrow, {"var current = 0;", "var slides = new slidelist();", "",
                           "function slidelist() {"});
    for (int i = 0; i < slides.size(); ++i)
        s << QStringLiteral("              this[%1] = \"%2\";")
                 .arg(i)
                 .arg(scriptStringLiteral(slides.at(i)));
    s << indented(Narrow, {
                              "}",
                              "",
                              "function change() {",
                              "        current = (current + 1) % count;",
                              "        document.images[index].src = slides[current];",
                              "        setTimeout('change()', delay);",
                              "}",
                              "// -->",
                              "</script>",
                          });
    return s;
}

QString slideShowElement(const QString &firstSlide) {
    return QStringLiteral("<IMG SRC=\"%1\">").arg(firstSlide);
}

RgbValue pageColorForFade(QStringView text) {
    const RgbValue fallback{150, 150, 150};
    const int body = findText(text, u"<BODY", 0, int(text.size()));
    if (body < 0)
        return fallback;
    int tagEnd = int(tagClose(text, body));
    if (tagEnd < 0)
        tagEnd = int(text.size());
    const QStringView marker = u"BGCOLOR=\"";
    const int at = findText(text, marker, body, tagEnd);
    if (at < 0)
        return fallback;
    const int digits = at + int(marker.size()) + 1;
    if (digits + 6 > text.size() || text.at(digits - 1) != QLatin1Char('#'))
        return fallback;
    bool ok = false;
    const uint rgb = text.mid(digits, 6).toUInt(&ok, 16);
    if (!ok)
        return fallback;
    return {int(rgb >> 16) & 0xff, int(rgb >> 8) & 0xff, int(rgb) & 0xff};
}

QStringList fadeScript(const FadeOptions &o) {
    const bool fadeIn = o.type != FadeType::FadeOut;
    const bool fadeOut = o.type != FadeType::FadeIn;
    QStringList s = indented(
        Head,
        {
            "<script language=\"JavaScript\">",
            "<!--",
            "// Changes the page colour from the first to the second colour in `steps` steps.",
            "function fade(sr, sg, sb, er, eg, eb, steps) {",
            "    fadestep(sr, sg, sb, er, eg, eb, steps, 0);",
            "}",
            "",
            "function hex(value) {",
            "    var digits = \"0123456789ABCDEF\";",
            "    return digits.charAt(Math.floor(value / 16)) + digits.charAt(value % 16);",
            "}",
            "",
            "function fadestep(sr, sg, sb, er, eg, eb, steps, step) {",
            "    if (document.body) {",
            "        var r = Math.floor(sr + (er - sr) * step / steps);",
            "        var g = Math.floor(sg + (eg - sg) * step / steps);",
            "        var b = Math.floor(sb + (eb - sb) * step / steps);",
            "        document.bgColor = \"#\" + hex(r) + hex(g) + hex(b);",
            "        step++;",
            "    }",
            "    if (step <= steps)",
            "        setTimeout(function () { fadestep(sr, sg, sb, er, eg, eb, steps, step); }, "
            "10);",
            "}",
            "",
            "function fadein() {",
        });
    const QString in = QStringLiteral("fade(") + fadeArguments(o.from, o.page, o.speed) + ");";
    const QString out = QStringLiteral("fade(") + fadeArguments(o.page, o.from, o.speed) + ");";
    s << (fadeIn ? Head + in : Head + QStringLiteral("/* ") + in + QStringLiteral("*/"));
    s << indented(Head, {"}", "", "function fadeout() {"});
    s << (fadeOut ? Head + out : Head + QStringLiteral("/* ") + out + QStringLiteral("*/"));
    s << indented(Head, {"}", "", "fadein();", "// -->", "</script>"});
    return s;
}

QString fadeBodyAttribute(FadeType type) {
    return type == FadeType::FadeIn ? QString() : QStringLiteral(" onUnLoad=\"fadeout()\"");
}

QStringList clockScript() {
    return indented(
        Head,
        {
            "<script language=\"JavaScript\">",
            "<!--",
            "var clocktimer = null;",
            "var clockrunning = false;",
            "",
            "function stopclock() {",
            "    if (clockrunning) clearTimeout(clocktimer);",
            "    clockrunning = false;",
            "}",
            "",
            "function startclock() {",
            "    stopclock();",
            "    showtime();",
            "}",
            "",
            "function twodigits(value) {",
            "    return (value < 10 ? \"0\" : \"\") + value;",
            "}",
            "",
            "// Writes the time and date into the clock field every second.",
            "function showtime() {",
            "    var now = new Date();",
            "    var text = twodigits(now.getHours()) + \":\" + twodigits(now.getMinutes()) + "
            "\":\"",
            "        + twodigits(now.getSeconds()) + \"  \" + twodigits(now.getDate()) + \".\"",
            "        + twodigits(now.getMonth() + 1) + \".\" + now.getFullYear();",
            "    if (document.clock) document.clock.IN.value = text;",
            "    clocktimer = setTimeout(\"showtime()\", 1000);",
            "    clockrunning = true;",
            "}",
            "// -->",
            "</script>",
        });
}

QString clockElement() {
    return QStringLiteral("<form name=\"clock\" onSubmit=\"0\">Here is the current time and date:"
                          "<input type=\"text\" name=\"IN\" size=20 value=\"\"></form>");
}

QString clockExample(const QDateTime &moment) {
    return moment.toString(QStringLiteral("HH:mm:ss  dd.MM.yyyy"));
}

QStringList customScriptBlock(const QString &text) {
    QStringList lines = QString(text)
                            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                            .split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        line.prepend(Head);
    return lines;
}
