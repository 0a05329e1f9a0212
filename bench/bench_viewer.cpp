// Viewer speed on a generated 1 MB HTML 3.2 page, against Qt's own rich text in the same run:
// parse + layout at 800 pixels, layout alone at 400 pixels, and the first paint of the top of
// the page in an 800x600 viewer. Prints the figures and the ratios; the target is our parse +
// layout in at most half of Qt's time.
#include "viewer/htmlreader.h"
#include "viewer/htmlviewer.h"
#include "viewer/qtfontmetrics.h"
#include "viewer/sectionlist.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QString generatePage(int targetSize) {
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

double medianMs(int runs, const std::function<void()> &work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString html = generatePage(1000 * 1000);
    const int runs = 5;
    std::printf("page: %lld characters\n", static_cast<long long>(html.size()));

    int ourHeight = 0;
    const double ourParseLayout = medianMs(runs, [&] {
        QtFontMetrics metrics;
        SectionList doc;
        HtmlReader(doc).read(html);
        LayoutContext ctx;
        ctx.metrics = &metrics;
        int maxWidth = 0;
        ourHeight = doc.doLayout(ctx, 800, maxWidth);
    });
    QtFontMetrics metrics;
    SectionList doc;
    HtmlReader(doc).read(html);
    LayoutContext ctx;
    ctx.metrics = &metrics;
    int maxWidth = 0;
    doc.doLayout(ctx, 800, maxWidth);
    int ourHeight400 = 0;
    const double ourLayout400 =
        medianMs(runs, [&] { ourHeight400 = doc.doLayout(ctx, 400, maxWidth); });

    qreal qtHeight = 0;
    const double qtParseLayout = medianMs(runs, [&] {
        QTextDocument text;
        text.setTextWidth(800);
        text.setHtml(html);
        qtHeight = text.documentLayout()->documentSize().height();
    });
    QTextDocument text;
    text.setTextWidth(800);
    text.setHtml(html);
    text.documentLayout()->documentSize();
    qreal qtHeight400 = 0;
    const double qtLayout400 = medianMs(runs, [&] {
        text.setTextWidth(text.textWidth() == 400 ? 401 : 400);
        qtHeight400 = text.documentLayout()->documentSize().height();
    });

    HtmlViewer viewer;
    viewer.resize(800, 600);
    viewer.show();
    double loadMs = 0;
    const double firstPaint = medianMs(runs, [&] {
        QElapsedTimer t;
        t.start();
        viewer.loadFromString(html);
        loadMs = double(t.nsecsElapsed()) / 1e6;
        QImage shot = viewer.grab().toImage();
        (void)shot;
    });
    const double paintOnly = medianMs(runs, [&] { QImage shot = viewer.grab().toImage(); });

    std::printf("parse + layout at 800 px:  ours %8.1f ms (height %d)   Qt %8.1f ms (height %.0f)"
                "   ours/Qt %.2f\n",
                ourParseLayout, ourHeight, qtParseLayout, qtHeight, ourParseLayout / qtParseLayout);
    std::printf("layout alone at 400 px:    ours %8.1f ms (height %d)   Qt %8.1f ms (height %.0f)"
                "   ours/Qt %.2f\n",
                ourLayout400, ourHeight400, qtLayout400, qtHeight400, ourLayout400 / qtLayout400);
    std::printf("viewer 800x600: load %.1f ms, load + first paint %.1f ms, paint of the top "
                "screen %.2f ms\n",
                loadMs, firstPaint, paintOnly);
    std::printf("target parse + layout <= 0.5 of Qt: %s\n",
                ourParseLayout <= 0.5 * qtParseLayout ? "met" : "NOT met");
    return 0;
}
