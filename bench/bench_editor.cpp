// Opening, recolouring and typing into the 10 MB benchmark page, with peak memory; every figure
// is the median of several runs and is printed with its ratio to reading and decoding the file.
#include "benchpage.h"
#include "benchsupport.h"
#include "editor/sourceeditor.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int Runs = 5;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    qint64 fileSize = 0;
    {
        const QByteArray page = BenchPage::generate();
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(page) != page.size())
            qFatal("cannot write the page");
        fileSize = page.size();
    }
    std::printf("page: %.2f MB, %d lines; decoder: %s\n", double(fileSize) / (1024 * 1024),
                BenchPage::Lines, MARLO_BENCH_DECODER);

    const qint64 hwmBefore = Bench::statusKb("VmHWM");
    const qint64 rssBefore = Bench::statusKb("VmRSS");

    // The first open in a fresh process, before any allocator reuse.
    double firstOpen = 0;
    {
        QElapsedTimer t;
        t.start();
        auto ed = std::make_unique<SourceEditor>();
        ed->resize(1200, 800);
        ed->setDocumentText(Bench::readAndDecode(path));
        ed->colorCodeLines(0, SourceEditor::LastLine);
        ed->show();
        QApplication::processEvents();
        ed->grab();
        firstOpen = double(t.nsecsElapsed()) / 1e6;
    }
    const qint64 hwmOpen = Bench::statusKb("VmHWM");

    const double floor = Bench::medianMs(Runs, [&] { Bench::readAndDecode(path); });

    std::unique_ptr<SourceEditor> ed;
    const double open = Bench::medianMs(
        Runs,
        [&] {
            ed = std::make_unique<SourceEditor>();
            ed->resize(1200, 800);
            ed->setDocumentText(Bench::readAndDecode(path));
            ed->colorCodeLines(0, SourceEditor::LastLine);
            ed->show();
            QApplication::processEvents();
            ed->grab();
        },
        [&] { ed.reset(); });

    double load = Bench::medianMs(Runs, [&] { ed->setDocumentText(Bench::readAndDecode(path)); });
    const double recolour =
        Bench::medianMs(Runs, [&] { ed->colorCodeLines(0, SourceEditor::LastLine); });
    const double redo = Bench::medianMs(Runs, [&] {
        ed->setSelection(0, 0);
        ed->redoColorCoding();
    });

    // Typing: characters that exercise every live-colouring rule, at three places.
    const QString typed = QStringLiteral("<b>x</b>y<!--z-->w <i>long</i> text\n");
    struct Place {
        const char *name;
        int line;
    } places[] = {{"start", 10}, {"middle", BenchPage::Lines / 2}, {"end", BenchPage::Lines - 10}};
    std::printf("\n%-34s %10s %10s\n", "figure", "ms", "x floor");
    auto row = [&](const char *name, double ms) {
        std::printf("%-34s %10.3f %10.2f\n", name, ms, ms / floor);
    };
    row("read + decode (floor)", floor);
    row("open: first in the process", firstOpen);
    row("open (read, load, colour, paint)", open);
    row("  of it: load into the editor", load);
    row("full recolour", recolour);
    row("Redo Color Coding (whole)", redo);
    double worstKey = 0;
    for (const Place &p : places) {
        ed->setRow(p.line);
        ed->setCol(SourceEditor::EndOfLine);
        const int keys = 400;
        double perKey =
            Bench::medianMs(Runs,
                            [&] {
                                for (int i = 0; i < keys; ++i)
                                    Bench::typeKey(ed.get(), typed.at(i % typed.size()));
                            }) /
            keys;
        // With the event loop run after each key: the changed line is painted as on screen.
        double perKeyPainted =
            Bench::medianMs(Runs,
                            [&] {
                                for (int i = 0; i < keys; ++i) {
                                    Bench::typeKey(ed.get(), typed.at(i % typed.size()));
                                    QApplication::processEvents();
                                }
                            }) /
            keys;
        worstKey = std::max(worstKey, perKey);
        std::printf("%-34s %10.4f\n", qPrintable(QStringLiteral("keystroke at the %1").arg(p.name)),
                    perKey);
        std::printf("%-34s %10.4f\n",
                    qPrintable(QStringLiteral("keystroke + paint at the %1").arg(p.name)),
                    perKeyPainted);
    }
    ed.reset();
    const qint64 hwmEnd = Bench::statusKb("VmHWM");

    std::printf("\nmemory: before open %lld MB RSS; peak after the first open %lld MB, at the end "
                "%lld MB\n",
                rssBefore / 1024, hwmOpen / 1024, hwmEnd / 1024);
    std::printf("peak / file size: %.1fx (growth over the pre-open peak: %.1fx)\n",
                double(hwmOpen) * 1024 / double(fileSize),
                double(hwmOpen - hwmBefore) * 1024 / double(fileSize));
    std::printf("\ntargets: open < 1000 ms: %s; recolour < 500 ms: %s; keystroke < 1 ms: %s; "
                "peak < 20x: %s\n",
                open < 1000 ? "met" : "MISSED", recolour < 500 ? "met" : "MISSED",
                worstKey < 1 ? "met" : "MISSED",
                double(hwmOpen) * 1024 / double(fileSize) < 20 ? "met" : "MISSED");
    return 0;
}
