// The multiple-file search and replace over 2,000 generated pages (100 MB), against grep -F -c
// and sed -i over the same files in the same run. Prints one line per comparison:
//   search: ours X ms, grep Y ms, ours/grep R
//   search -i: ours X ms, grep Y ms, ours/grep R
// Then the peak memory of a replace in eight pages of 120 MB each:
//   replace peak memory 8 x 120 MB: N MiB (target <= 600)
#include "benchsupport.h"
#include "filepanel/multifilereplace.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

constexpr int PageCount = 2000;
constexpr int PageBytes = 50 * 1024;

QByteArray page(int n) {
    QByteArray out = "<HTML><HEAD><TITLE>Page " + QByteArray::number(n) + "</TITLE></HEAD>\r\n<BODY>\r\n";
    int line = 0;
    while (out.size() < PageBytes) {
        out += "<P CLASS=\"c\">Line " + QByteArray::number(line) +
               " of the text with a <A HREF=\"page" + QByteArray::number((n + line) % PageCount) +
               ".htm\">link</A> and <B>bold</B> words";
        // One page in ten carries accented letters, as real sites do.
        if (n % 10 == 0 && line % 7 == 0)
            out += " Gr\xC3\xBC\xC3\x9F"
                   "e";
        if (line % 50 == 0)
            out += " alpha";
        out += "</P>\r\n";
        ++line;
    }
    return out + "</BODY></HTML>\r\n";
}

double runTool(const QString &program, const QStringList &args, int times = 3) {
    return Bench::medianMs(times, [&] {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(program, args);
        p.waitForFinished(-1);
    });
}

void printLine(const char *what, double ours, const char *tool, double theirs) {
    std::printf("%s: ours %.0f ms, %s %.0f ms, ours/%s %.2f\n", what, ours, tool, theirs, tool,
                ours / theirs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList files;
    qint64 total = 0;
    for (int i = 0; i < PageCount; ++i) {
        const QString path = dir.filePath(QStringLiteral("page%1.htm").arg(i));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        const QByteArray bytes = page(i);
        f.write(bytes);
        total += bytes.size();
        files << path;
    }
    std::printf("%d files, %.1f MB, %d threads\n", PageCount, double(total) / (1 << 20),
                QThread::idealThreadCount());

    MultiFileRequest search;
    search.needle = QStringLiteral("alpha");
    search.cs = Qt::CaseSensitive;
    int hits = 0;
    runTool(QStringLiteral("grep"), QStringList{QStringLiteral("-F"), QStringLiteral("-c"),
                                                QStringLiteral("alpha")} + files); // warm cache
    const double ours = Bench::medianMs(3, [&] {
        hits = 0;
        for (const FileOutcome &o : processFiles(files, search))
            hits += o.count;
    });
    const double grep = runTool(QStringLiteral("grep"), QStringList{QStringLiteral("-F"),
                                                                    QStringLiteral("-c"),
                                                                    QStringLiteral("alpha")} +
                                                            files);
    printLine("search", ours, "grep", grep);

    search.cs = Qt::CaseInsensitive;
    const double oursI = Bench::medianMs(3, [&] { processFiles(files, search); });
    const double grepI = runTool(QStringLiteral("grep"),
                                 QStringList{QStringLiteral("-F"), QStringLiteral("-i"),
                                             QStringLiteral("-c"), QStringLiteral("alpha")} +
                                     files);
    printLine("search -i", oursI, "grep", grepI);

    // Ours turns alpha into omega, sed turns it back: the same work on the same files each time.
    MultiFileRequest replace;
    replace.mode = MultiFileRequest::Mode::Replace;
    replace.needle = QStringLiteral("alpha");
    replace.replacement = QStringLiteral("omega");
    replace.cs = Qt::CaseSensitive;
    std::vector<double> oursMs, sedMs;
    for (int i = 0; i < 3; ++i) {
        oursMs.push_back(Bench::medianMs(1, [&] { processFiles(files, replace); }));
        sedMs.push_back(runTool(QStringLiteral("sed"),
                                QStringList{QStringLiteral("-i"), QStringLiteral("s/omega/alpha/g")} +
                                    files,
                                1));
    }
    std::sort(oursMs.begin(), oursMs.end());
    std::sort(sedMs.begin(), sedMs.end());
    printLine("replace", oursMs[1], "sed", sedMs[1]);
    std::printf("(%d hits per search)\n", hits);

    // Eight large pages: the pages above, one after another, to 120 MB each.
    constexpr int LargeCount = 8;
    constexpr qint64 LargeBytes = qint64(120) << 20;
    QStringList large;
    QByteArray chunk;
    for (int i = 0; i < 40; ++i)
        chunk += page(i);
    for (int i = 0; i < LargeCount; ++i) {
        const QString path = dir.filePath(QStringLiteral("large%1.htm").arg(i));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        for (qint64 written = 0; written < LargeBytes; written += chunk.size())
            f.write(chunk);
        large << path;
    }
    replace.replacement = QStringLiteral("omega!");
    // The peak since this point only ("5" resets it, Linux 4.0 and later).
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    const qint64 before = Bench::statusKb("VmRSS");
    QElapsedTimer t;
    t.start();
    int failed = 0;
    for (const FileOutcome &o : processFiles(large, replace))
        failed += o.error.isEmpty() && o.changed ? 0 : 1;
    const double ms = double(t.nsecsElapsed()) / 1e6;
    std::printf("replace peak memory %d x %lld MB: %lld MiB (target <= 600)\n", LargeCount,
                LargeBytes >> 20, Bench::statusKb("VmHWM") / 1024);
    std::printf("  (%.0f ms, %d file(s) not replaced; %lld MiB before)\n", ms, failed,
                before / 1024);
    return 0;
}
