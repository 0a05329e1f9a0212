// The editing commands on the 10 MB benchmark page, each one change and one undo step: Replace
// All with 100,000 hits, Strip all tags, a whole-text conversion and Ident of 10,000 lines. Each
// command and its undo is the median of several runs, printed with its ratio to a full recolour.
#include "benchpage.h"
#include "benchsupport.h"
#include "editor/editoperations.h"
#include "editor/sourceeditor.h"

#include <QApplication>
#include <cstdio>
#include <functional>

int main(int argc, char *argv[]) {
    Bench::prepareProcess();
    QApplication app(argc, argv);
    constexpr int Runs = 3;

    const QString page = benchDecode(BenchPage::generate());
    SourceEditor ed;
    ed.resize(1200, 800);
    ed.show();
    auto reload = [&] {
        ed.sourceDocument().setText(page);
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        ed.sourceDocument().finishColoring();
        QApplication::processEvents();
    };
    reload();
    // A whole pass: on a large page colouring goes on in the background, finished here at once.
    const double recolour = Bench::medianMs(Runs, [&] {
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        ed.sourceDocument().finishColoring();
    });
    std::printf(
        "page: %.2f million characters, %d lines; full recolour %.1f ms (the reference)\n\n",
        double(page.size()) / 1e6, BenchPage::Lines, recolour);
    std::printf("%-36s %9s %9s %9s %9s %8s\n", "command", "ms", "x recol", "undo ms", "x recol",
                "restored");

    struct Command {
        const char *name;
        std::function<void()> prepare;
        std::function<int()> run;
    };
    const int identFirst = BenchPage::Lines / 2;
    const Command commands[] = {
        {"Replace All (100,000 hits)", [&] { ed.setSelection(0, 0); },
         [&] {
             replace(ed, QString::fromLatin1(BenchPage::ReplaceNeedle), QStringLiteral("hit"),
                     true);
             return 0;
         }},
        {"Strip all tags", [&] { ed.setSelection(0, 0); }, [&] { return stripAllTags(ed); }},
        {"Text conversion (to entities)", [&] { ed.setSelection(0, 0); },
         [&] {
             TextConversionOptions o;
             o.latin1 = TextConversionOptions::Latin1::ToEntities;
             return convertText(ed, o);
         }},
        {"Text conversion (from entities)",
         [&] {
             // The page with its accented characters as entities, loaded untimed.
             TextConversionOptions o;
             o.latin1 = TextConversionOptions::Latin1::ToEntities;
             convertText(ed, o);
             const QString converted = ed.sourceDocument().text();
             ed.sourceDocument().setText(converted);
             ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
         },
         [&] {
             TextConversionOptions o;
             o.latin1 = TextConversionOptions::Latin1::FromEntities;
             return convertText(ed, o);
         }},
        {"Ident of 10,000 lines",
         [&] {
             const int start = ed.sourceDocument().lineStart(identFirst);
             ed.setSelection(start, ed.sourceDocument().lineStart(identFirst + 9999) + 1 - start);
         },
         [&] {
             indentLines(ed);
             return 0;
         }},
    };

    double worst = 0;
    double worstUndo = 0;
    for (const Command &c : commands) {
        std::vector<double> runMs, undoMs;
        bool restored = true;
        int count = 0;
        for (int i = 0; i < Runs; ++i) {
            reload();
            c.prepare();
            const QString before = ed.sourceDocument().text();
            QElapsedTimer t;
            t.start();
            count = c.run();
            runMs.push_back(double(t.nsecsElapsed()) / 1e6);
            t.restart();
            ed.undo();
            undoMs.push_back(double(t.nsecsElapsed()) / 1e6);
            restored = restored && ed.sourceDocument().text() == before;
        }
        std::sort(runMs.begin(), runMs.end());
        std::sort(undoMs.begin(), undoMs.end());
        const double ms = runMs[runMs.size() / 2];
        const double undo = undoMs[undoMs.size() / 2];
        worst = std::max(worst, ms);
        worstUndo = std::max(worstUndo, undo);
        std::printf("%-36s %9.1f %9.2f %9.1f %9.2f %8s", c.name, ms, ms / recolour, undo,
                    undo / recolour, restored ? "yes" : "NO");
        if (count > 0)
            std::printf("  (%d changes)", count);
        std::printf("\n");
    }
    std::printf("\ntargets: each < 1000 ms: %s; undo < 1000 ms: %s\n",
                worst < 1000 ? "met" : "MISSED", worstUndo < 1000 ? "met" : "MISSED");
    return 0;
}
