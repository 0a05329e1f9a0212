// Tools › Check page on generated HTML 3.2 pages of 1 MB and 100 KB: the markup check, the broken
// links (half of the pictures the page shows exist in its folder) and filling the list, as the
// user waits for them. The reference is the markup library's own parse of the same page in the
// same run, which no check can avoid. Targets: 300 ms for 1 MB, 30 ms for 100 KB.
#include "benchsupport.h"
#include "pagecheck/pagecheck.h"
#include "pagecheck/pagecheckpanel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>
#include <vector>

namespace {

// Sections of text with pictures, links to other pages and to the sections' anchors, a table and
// a list; every 40th section has markup mistakes (misnested and misspelt tags, a missing ALT).
QString generatePage(int targetSize) {
    QString html = QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n<HTML><HEAD><TITLE>Club "
        "archive</TITLE></HEAD>\n<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\">\n");
    for (int s = 0; html.size() < targetSize; ++s) {
        const QString n = QString::number(s);
        html += "<H2><A NAME=\"s" + n + "\">Meeting " + n + "</A></H2>\n";
        html +=
            "<P>The club met on a <B>Tuesday</B> in the <I>library</I>; see the <A HREF=\"report" +
            n + ".htm\">report</A> and the <A HREF=\"#s" + QString::number(s / 2) +
            "\">earlier meeting</A>.\n";
        html += "<CENTER><IMG SRC=\"pics/photo" + QString::number(s % 200) +
                ".gif\" WIDTH=\"120\" HEIGHT=\"90\" ALT=\"Photo " + n + "\"></CENTER>\n";
        html += "<TABLE BORDER=\"1\"><TR><TH>Player</TH><TH>Score</TH></TR>\n"
                "<TR><TD>Anna</TD><TD>3</TD></TR><TR><TD>Ben</TD><TD>2</TD></TR></TABLE>\n";
        html += "<UL><LI>Opening: <FONT COLOR=\"#993300\">Sicilian</FONT><LI>Moves: 41</UL>\n";
        if (s % 40 == 39)
            html += "<P><B>Note <I>late</B> start</I> <BLINKK>!</BLINKK> <IMG SRC=\"x.gif\">\n";
    }
    html += "</BODY></HTML>\n";
    return html;
}

// The library alone: parsing the page, with its messages collected and dropped.
void libraryParse(const QByteArray &utf8) {
    TidyDoc doc = tidyCreate();
    TidyBuffer errors;
    tidyBufInit(&errors);
    tidySetErrorBuffer(doc, &errors);
    tidySetInCharEncoding(doc, "utf8");
    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte *>(const_cast<char *>(utf8.data())),
                  uint(utf8.size()));
    tidyParseBuffer(doc, &input);
    tidyBufDetach(&input);
    tidyBufFree(&errors);
    tidyRelease(doc);
}

} // namespace

int main(int argc, char *argv[]) {
    Bench::prepareProcess();
    QApplication app(argc, argv);
    QTemporaryDir site;
    QDir().mkpath(site.filePath(QStringLiteral("pics")));
    for (int i = 0; i < 200; i += 2) {
        QFile picture(site.filePath(QStringLiteral("pics/photo%1.gif").arg(i)));
        if (!picture.open(QIODevice::WriteOnly))
            qFatal("cannot write into %s", qPrintable(site.path()));
    }
    const QString fileName = site.filePath(QStringLiteral("index.htm"));
    PageCheckPanel panel;
    panel.resize(1000, 250);
    panel.show();

    // Wall time is what the user waits; processor time (all threads) tells the work apart from
    // the waiting on a busy machine.
    auto measure = [](const std::function<void()> &run, double *cpuMs) {
        std::vector<double> cpu;
        const double wall = Bench::medianMs(7, [&] {
            const std::clock_t start = std::clock();
            run();
            cpu.push_back(double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC);
        });
        std::sort(cpu.begin(), cpu.end());
        *cpuMs = cpu[cpu.size() / 2];
        return wall;
    };
    bool met = true;
    for (const auto &[size, label, target] :
         {std::tuple{1000 * 1000, "1 MB", 300.0}, std::tuple{100 * 1000, "100 KB", 30.0}}) {
        const QString page = generatePage(size);
        int count = 0;
        double cpu = 0;
        const double ms = measure(
            [&] {
                const PageFindings findings = checkPage(page, fileName);
                panel.showFindings(QStringLiteral("index.htm"), findings);
                count = int(findings.size());
            },
            &cpu);
        const QByteArray utf8 = page.toUtf8();
        double referenceCpu = 0;
        const double referenceMs = measure([&] { libraryParse(utf8); }, &referenceCpu);
        std::printf("check %s page: %.0f ms (target <= %.0f)\n", label, ms, target);
        std::printf("  %d findings, %.0f ms of processor time; the library's parse alone: "
                    "%.0f ms, %.0f ms of processor time (check = %.2f x)\n",
                    count, cpu, referenceMs, referenceCpu, ms / referenceMs);
        met = met && ms <= target;
    }
    return met ? 0 : 2;
}
