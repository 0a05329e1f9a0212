// The recovery journal as a user meets it: what it adds to each keystroke on the 10 MB page, and
// what a pause costs on a 50 MB page (the longest the window stops answering while the journal
// is written, the time until it is on disk, and what later pauses write). Pages are opened and
// typed into through the program's own document set, with journalling on and, for reference,
// off.
#include "benchpage.h"
#include "benchsupport.h"
#include "documents/documentcontroller.h"
#include "documents/filecommands.h"
#include "documents/recoverycontroller.h"
#include "editor/sourceeditor.h"
#include "recovery/journalwriter.h"
#include "shell/actionregistry.h"
#include "shell/appcontext.h"
#include "shell/prompts.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// The program's document set on a window of its own.
struct DocumentSet {
    DocumentSet(const QString &folder, bool journal) {
        ctx.prompts = &prompts;
        ctx.paths.configDir = folder + "/config";
        ctx.paths.recoveryDir = journal ? folder + "/recovery" : QString();
        QDir().mkpath(ctx.paths.configDir);
        tabs.resize(1200, 800);
        tabs.show();
        docs = new DocumentController(ctx, &tabs, nullptr);
        docs->createFirstDocument(folder + "/New.htm");
        files = new FileCommands(ctx, *docs, commands, nullptr);
        recovery = new RecoveryController(ctx, *docs, nullptr);
    }
    ~DocumentSet() {
        delete recovery;
        delete files;
        docs->releaseAllEditors();
        delete docs;
    }
    // Opens a page and waits (without helping) until it is loaded and coloured.
    SourceEditor *open(const QString &path) {
        files->openFile(path);
        SourceEditor *ed = &docs->currentView();
        const SourceDocument &doc = ed->sourceDocument();
        while (doc.isLoading() || doc.isColoringInBackground())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        return ed;
    }

    Bench::QuietPrompts prompts{Prompts::Answer::Yes, Prompts::Answer::No};
    AppContext ctx;
    QTabWidget tabs;
    ActionRegistry commands{&tabs};
    DocumentController *docs;
    FileCommands *files;
    RecoveryController *recovery;
};

QString writePage(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[size_t(p * double(v.size() - 1))];
}

// Lets the event loop run until `done` (or `maxMs`), as an idle window does, and returns the
// longest time it did not answer a 1 ms timer.
double longestStallUntil(const std::function<bool()> &done, int maxMs = 60000) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    qint64 longest = 0;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (done() || clock.elapsed() > maxMs)
            loop.quit();
    });
    tick.start();
    loop.exec();
    return double(longest) / 1e6;
}

void pause(int ms) {
    QElapsedTimer clock;
    clock.start();
    longestStallUntil([&] { return clock.elapsed() >= ms; });
}

// Types `count` keys where the caret is, each followed by what the event loop does after a
// key; returns the time of each key in microseconds.
std::vector<double> typeKeys(SourceEditor *ed, int count) {
    static const QString typed = QStringLiteral("<b>x</b>y<!--z-->w <i>long</i> text\n");
    std::vector<double> us;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer t;
        t.start();
        Bench::typeKey(ed, typed.at(i % typed.size()));
        QApplication::processEvents();
        us.push_back(double(t.nsecsElapsed()) / 1e3);
    }
    return us;
}

} // namespace

int main(int argc, char *argv[]) {
    Bench::prepareProcess();
    QApplication app(argc, argv);
    QTemporaryDir dir;

    // ---- 10 MB: each keystroke, with and without the journal ------------------------------
    {
        const QString path = writePage(dir.filePath("10.htm"), BenchPage::generate());
        DocumentSet with(dir.filePath("with"), true), without(dir.filePath("without"), false);
        SourceEditor *edWith = with.open(path);
        SourceEditor *edWithout = without.open(path);
        std::vector<double> keysWith, keysWithout;
        double flushStall = 0;
        const int lines[] = {10, BenchPage::Lines / 2, BenchPage::Lines - 10};
        // Blocks of typing in turn, so both meet the same machine; a pause after each lets the
        // journal reach the disk.
        for (int block = 0; block < 12; ++block) {
            for (SourceEditor *ed : {edWith, edWithout}) {
                ed->setRow(lines[block % 3] + block);
                ed->setCol(SourceEditor::EndOfLine);
                QApplication::processEvents();
                std::vector<double> keys = typeKeys(ed, 50);
                (ed == edWith ? keysWith : keysWithout)
                    .insert((ed == edWith ? keysWith : keysWithout).end(), keys.begin(),
                            keys.end());
            }
            const double stall = longestStallUntil(
                [&] {
                    return with.recovery->writer().isIdle() &&
                           with.recovery->writer().bytesWritten() > 0;
                },
                RecoveryController::FlushDelay * 3);
            flushStall = std::max(flushStall, stall);
            pause(50);
        }
        const double med = percentile(keysWith, 0.5) - percentile(keysWithout, 0.5);
        std::printf("journal cost 10 MB page: %.0f us per key (target <= 100)\n",
                    std::max(0.0, med));
        std::printf("  keystroke incl. repaint, median with the journal %.0f us, without %.0f us "
                    "(p90 %.0f / %.0f us); longest stall at a pause %.1f ms\n",
                    percentile(keysWith, 0.5), percentile(keysWithout, 0.5),
                    percentile(keysWith, 0.9), percentile(keysWithout, 0.9), flushStall);
    }

    // ---- 50 MB: a pause after typing ------------------------------------------------------
    {
        const QString path =
            writePage(dir.filePath("50.htm"), BenchPage::generate(BenchPage::Lines * 5));
        const double fileMb = double(QFileInfo(path).size()) / (1024.0 * 1024.0);
        double firstKeyWithout = 0;
        {
            // For reference: the first key on the same page without a journal.
            DocumentSet plain(dir.filePath("50plain"), false);
            SourceEditor *ed = plain.open(path);
            ed->setRow(BenchPage::Lines * 5 / 2);
            ed->setCol(SourceEditor::EndOfLine);
            QApplication::processEvents();
            firstKeyWithout = typeKeys(ed, 1).front() / 1000.0;
        }
        DocumentSet set(dir.filePath("50"), true);
        SourceEditor *ed = set.open(path);
        JournalWriter &writer = set.recovery->writer();
        ed->setRow(BenchPage::Lines * 5 / 2);
        ed->setCol(SourceEditor::EndOfLine);
        QApplication::processEvents();
        QElapsedTimer wall;
        wall.start();
        const double firstKey = typeKeys(ed, 1).front() / 1000.0;
        const double stall = longestStallUntil([&] { return writer.isIdle(); });
        const double onDisk = double(wall.nsecsElapsed()) / 1e6;
        const qint64 firstBytes = writer.bytesWritten();
        // The same wait with nothing to write: what the machine itself costs the window.
        QElapsedTimer idle;
        idle.start();
        const double idleStall = longestStallUntil([&] { return idle.elapsed() >= onDisk; });
        std::printf("journal write after a pause 50 MB page: on disk %.0f ms after the first "
                    "change, the window's longest stall meanwhile %.1f ms (target < 16; "
                    "%.1f ms over as long a time with nothing written)\n",
                    onDisk, stall, idleStall);
        std::printf("  the key that starts it %.1f ms (%.1f ms without a journal); %.1f MB "
                    "written (the %.1f MB page file as its base, read and written by the "
                    "journal's own thread)\n",
                    firstKey, firstKeyWithout, double(firstBytes) / (1024.0 * 1024.0), fileMb);

        typeKeys(ed, 20);
        wall.restart();
        const double laterStall = longestStallUntil(
            [&] { return writer.isIdle() && writer.bytesWritten() > firstBytes; });
        std::printf("  a later pause after 20 keys: %lld bytes appended, on disk after %.0f ms "
                    "(the flush waits %d ms), longest stall %.1f ms\n",
                    writer.bytesWritten() - firstBytes, double(wall.nsecsElapsed()) / 1e6,
                    RecoveryController::FlushDelay, laterStall);

        // A page whose file cannot serve as the base (untitled, or changed on disk since it was
        // read) gives its whole text on this thread instead.
        typeKeys(ed, 1);
        QElapsedTimer take;
        take.start();
        const qsizetype characters = ed->sourceDocument().text().size();
        std::printf("  a page whose file cannot be the base (untitled, or changed on disk) hands "
                    "its text over on the window's thread: %.0f ms for %.0f M characters\n",
                    double(take.nsecsElapsed()) / 1e6, double(characters) / 1e6);
    }
    return 0;
}
