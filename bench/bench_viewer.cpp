// Viewer speed on a generated 1 MB HTML 3.2 page, against Qt's own rich text in the same run:
// parse + layout at 800 pixels, layout alone at 400 pixels, and the first paint of the top of
// the page in an 800x600 viewer. Prints the figures and the ratios; the target is our parse +
// layout in at most half of Qt's time.
#include "benchsupport.h"
#include "viewerpage.h"
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
    Bench::prepareProcess();
    QApplication app(argc, argv);
    const QString html = ViewerPage::generate(1000 * 1000);
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
