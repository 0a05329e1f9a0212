// The viewer benchmarks' work page: a generated HTML 3.2 page of a given size with headings,
// paragraphs with inline markup and links, nested lists, tables with spans and preformatted
// text. Deterministic: the same text on every run.
#pragma once

#include <QString>
#include <QStringList>

namespace ViewerPage {

inline QString generate(int targetSize) {
    QString html = QStringLiteral("<HTML><HEAD><TITLE>Generated page</TITLE></HEAD>\n"
                                  "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#0000FF\">\n");
    const QStringList words = {"alpha", "bravo",    "charlie", "delta",  "echo",   "foxtrot",
                               "golf",  "hotel",    "india",   "juliet", "kilo",   "lima",
                               "mike",  "november", "oscar",   "papa",   "quebec", "romeo"};
    auto sentence = [&](int seed, int count) {
        QString s;
        for (int i = 0; i < count; ++i) {
            const QString &w = words[(seed * 7 + i * 13) % words.size()];
            switch ((seed + i) % 23) {
            case 3:
                s += "<B>" + w + "</B> ";
                break;
            case 7:
                s += "<I>" + w + "</I> ";
                break;
            case 11:
                s += "<A HREF=\"page" + QString::number(i) + ".htm\">" + w + "</A> ";
                break;
            case 15:
                s += "<FONT COLOR=\"#800000\" SIZE=+1>" + w + "</FONT> ";
                break;
            case 19:
                s += "<TT>" + w + "</TT> &amp; ";
                break;
            default:
                s += w + ' ';
            }
        }
        return s;
    };
    for (int block = 0; html.size() < targetSize; ++block) {
        html += QString("<H%1>Section %2</H%1>\n").arg(1 + block % 4).arg(block);
        html += "<P>" + sentence(block, 80) + "\n<P>" + sentence(block + 1, 60) + "\n";
        html += "<UL>\n";
        for (int i = 0; i < 4; ++i) {
            html += "<LI>" + sentence(block + i, 12) + "\n";
            if (i == 1) {
                html += "<OL>\n";
                for (int j = 0; j < 3; ++j)
                    html +=
                        "<LI>" + sentence(block + j, 8) + "<UL><LI>" + sentence(j, 5) + "</UL>\n";
                html += "</OL>\n";
            }
        }
        html += "</UL>\n";
        html += "<TABLE BORDER=1 CELLPADDING=3 WIDTH=90>\n<TR><TH COLSPAN=2>Head " +
                QString::number(block) + "<TH WIDTH=20>Third\n";
        for (int r = 0; r < 4; ++r) {
            html += "<TR><TD WIDTH=30>" + sentence(block + r, 6);
            if (r % 2 == 0)
                html += "<TD ROWSPAN=2>" + sentence(r, 10);
            html += "<TD>" + sentence(block * r, 4) + "\n";
        }
        html += "</TABLE>\n<PRE>\n";
        for (int i = 0; i < 6; ++i)
            html += QString("  line %1   of preformatted   text %2\n").arg(i).arg(block);
        html += "</PRE>\n";
    }
    html += "</BODY></HTML>\n";
    return html;
}

} // namespace ViewerPage
