// A page of mixed markup as hand-written and generated pages have it: comments on one line and
// over many, scripts and styles with "<" comparisons, a stray "<" in text, non-ASCII and non-BMP
// characters, attributes spanning lines, and lines of minified markup and long paragraphs over
// 5,000 characters (shown in pieces), some of them opening or closing a comment or cut into pieces
// right inside each "<!--". The same text on every run.
#pragma once

#include <QString>
#include <QStringList>

inline QString mixedPage(int characters) {
    quint32 seed = 0x4d61726cu;
    auto below = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % quint32(n));
    };
    static const char16_t *const words[] = {u"lorem",  u"ipsum", u"café", u"naïve",
                                            u"Straße", u"€ 20",  u"über", u"\U0001F600",
                                            u"a < b",  u"dolor", u"\U00020BB7 x", u"sit"};
    auto text = [&](int count) {
        QString out;
        for (int i = 0; i < count; ++i) {
            if (i)
                out += u' ';
            out += QString::fromUtf16(words[below(12)]);
        }
        return out;
    };
    QString page = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<style>\n  p > a { color: red; }\n"
                                  "</style>\n</head>\n<body>\n");
    page.reserve(characters + 30000);
    int section = 0;
    while (page.size() < characters) {
        ++section;
        page += QStringLiteral("<div class=\"section\" id=\"s%1\">\n  <h2>%2</h2>\n")
                    .arg(section)
                    .arg(text(3));
        switch (section % 10) {
        case 0:
            page += QStringLiteral("  <!-- %1 -->\n  <p>%2 <b>%3</b></p>\n").arg(text(4), text(6), text(2));
            break;
        case 1:
            page += QStringLiteral("  <!--\n    %1 <b>old</b>\n    %2\n  -->\n").arg(text(5), text(3));
            break;
        case 2:
            page += QStringLiteral("  <script>\n    if (a%1 < b && c > d) { x = '%2'; }\n  </script>\n")
                        .arg(section % 97)
                        .arg(text(2));
            break;
        case 3:
            page += QStringLiteral("  <img src=\"img/%1.png\"\n       alt=\"%2\"\n       width=\"%3\">\n")
                        .arg(section)
                        .arg(text(3))
                        .arg(below(999));
            break;
        case 4: {
            // Minified markup.
            QString line;
            const int target = 5200 + below(9000);
            while (line.size() < target)
                line += QStringLiteral("<div class=\"c%1\"><span>%2</span><a href=\"#x%3\">%4</a></div>")
                            .arg(below(50))
                            .arg(text(3))
                            .arg(below(999))
                            .arg(text(2));
            page += line + u'\n';
            break;
        }
        case 5: {
            // A long paragraph that opens a comment half-way, closed on the next line.
            QString line = QStringLiteral("<p>");
            const int target = 6000 + below(6000);
            while (line.size() < target)
                line += text(6) + QStringLiteral(" <em>") + text(2) + QStringLiteral("</em> ");
            page += line + QStringLiteral("<!-- cut ") + text(400) + QStringLiteral("\n  still -->\n");
            break;
        }
        case 6:
            page += QStringLiteral("  <ul>\n    <li>%1</li>\n    <li><a href=\"p%2.htm\">%3</a></li>\n  </ul>\n")
                        .arg(text(4))
                        .arg(section)
                        .arg(text(2));
            break;
        case 7:
            page += QStringLiteral("  <p>%1 < %2</p>\n").arg(text(5), text(3));
            break;
        case 8: {
            // Pieces of 200 characters, each ending in the "<!" of a comment the next one closes.
            QString line = QString(198, u'x') + QStringLiteral("<!");
            for (int i = 30 + below(40); i > 0; --i)
                line += QStringLiteral("--c-->") + QString(192, u'x') + QStringLiteral("<!");
            page += line + QStringLiteral("--c-->\n");
            break;
        }
        default:
            page += QStringLiteral("  <table><tr><td>%1</td><td>%2</td></tr></table>\n").arg(text(2), text(2));
            break;
        }
        page += QStringLiteral("</div>\n");
    }
    page += QStringLiteral("</body>\n</html>\n");
    return page;
}
