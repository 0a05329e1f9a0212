// Recovery journals as a user's work goes: they hold the editor's text (long lines shown in
// pieces and legacy pages included), they go once the changes are saved, let go or read again
// from the file, and the next start after a run that did not end offers what they hold.
#include "common/filesizelimit.h"
#include "common/windowharness.h"
#include "documents/recoverycontroller.h"
#include "recovery/journalformat.h"
#include "recovery/recoverytexts.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDirIterator>
#include <QTreeWidget>

namespace {

const QByteArray NoTips = "[Options]\ntotd=0\n";

// The journals under a recovery folder, of every run.
QStringList journalsIn(const QString &recoveryDir) {
    QStringList found;
    QDirIterator it(recoveryDir, {"*.journal"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

// A run of the program on its own folders; `recoveryDir` shares another run's journals.
struct Run {
    explicit Run(const QString &recoveryDir = QString()) {
        t.writeSettings(NoTips);
        if (!recoveryDir.isEmpty())
            t.ctx.paths.recoveryDir = recoveryDir;
    }
    void start() {
        window = std::make_unique<MainWindow>(t.ctx, browsers);
        window->show();
        QTRY_VERIFY(window->hasStarted());
    }
    // The run stops as a kill stops it: no exit questions, the journals stay behind.
    void stop() { window.reset(); }
    DocumentController &docs() { return *window->documents(); }
    RecoveryController &recovery() { return *window->recovery(); }

    TestContext t;
    RecordingBrowserLauncher browsers;
    std::unique_ptr<MainWindow> window;
};

// Types at a position of the current editor.
void typeAt(WindowHarness &h, int position, const QString &text) {
    h.editor().setSelection(position, 0);
    h.type(text);
}

// Runs `act` on the recovery dialog as soon as the start opens it.
void whenRecoveryDialogOpens(std::function<void(QDialog *)> act) {
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != QLatin1String("recoveryDialog"))
            return;
        poll->stop();
        poll->deleteLater();
        act(dialog);
    });
    poll->start();
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theJournalHoldsTheEditorsText_data() {
        QTest::addColumn<QByteArray>("page"); // empty: an untitled page
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("page") << QByteArray("<P>one</P>\n<P>two</P>\n") << 3 << 14;
        QTest::newRow("Windows-1252, CR LF") << QByteArray("<P>Gr\xFC\xDF"
                                                           "e</P>\r\n<P>x</P>\r\n")
                                             << 5 << 0;
        // A line the editor shows in pieces: the edits lie behind many of the cuts.
        QTest::newRow("long line")
            << QByteArray(QByteArray("<SPAN>ab</SPAN> ").repeated(900) + "\n<P>end</P>\n") << 9000
            << 14000;
        QTest::newRow("untitled") << QByteArray() << 0 << 2;
    }
    void theJournalHoldsTheEditorsText() {
        QFETCH(QByteArray, page);
        QFETCH(int, first);
        QFETCH(int, second);
        WindowHarness h;
        if (page.isEmpty())
            h.files().newDocument();
        else
            QVERIFY(h.files().openFile(h.t.writeFile("site/page.htm", page)));
        RecoveryController &recovery = *h.window().recovery();
        typeAt(h, first, "<B>é\nnew</B>");
        recovery.flushNow(true);
        const QString journal = recovery.journalOf(h.docs().current());
        QVERIFY(!journal.isEmpty());
        JournalContents c = readJournal(journal);
        QVERIFY2(c.ok, qPrintable(c.problem));
        QCOMPARE(c.text, h.docs().current().text());

        // After a pause the edits are appended: typing and deleting at one place, then an
        // undone command and typing elsewhere.
        for (const auto &step : std::vector<std::function<void()>>{
                 [&] {
                     typeAt(h, second, "more");
                     QTest::keyClick(&h.editor(), Qt::Key_Backspace);
                 },
                 [&] {
                     h.docs().current().replaceRange(1, 2, "XY");
                     h.editor().undo();
                     typeAt(h, h.docs().current().textLength(), "\nlast");
                 }}) {
            step();
            recovery.flushNow(true);
            c = readJournal(journal);
            QVERIFY2(c.ok, qPrintable(c.problem));
            QCOMPARE(c.text, h.docs().current().text());
        }
        QCOMPARE(c.header.format, h.docs().current().format());
        QCOMPARE(h.t.readFile(h.t.path("site/page.htm")), page.isEmpty() ? "" : page);
    }

    void theJournalGoesWithTheUnsavedChanges_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("saved") << "save";
        QTest::newRow("closed without saving") << "close";
        QTest::newRow("read again from the file") << "reopen";
        QTest::newRow("undone back to the saved text") << "undo";
        QTest::newRow("program closed without saving") << "exit";
    }
    void theJournalGoesWithTheUnsavedChanges() {
        QFETCH(QString, how);
        WindowHarness h;
        const QString page = h.t.writeFile("site/a.htm", "<P>a</P>\n");
        QVERIFY(h.files().openFile(page));
        SourceDocument &doc = h.docs().current();
        h.type("changed ");
        RecoveryController &recovery = *h.window().recovery();
        recovery.flushNow(true);
        const QString journal = recovery.journalOf(doc);
        QVERIFY(QFile::exists(journal));

        if (how == "save") {
            QVERIFY(h.files().save(doc));
        } else if (how == "close") {
            h.t.prompts.answers << Prompts::Answer::No;
            QVERIFY(h.files().close(doc));
        } else if (how == "undo") {
            h.editor().undo();
            QVERIFY(!doc.isModified());
        } else if (how == "reopen") {
            h.t.ctx.settings.recentFiles[0] = page;
            h.t.prompts.answers << Prompts::Answer::No;
            h.files().openRecentFile(0);
            QCOMPARE(h.docs().current().text(), QStringLiteral("<P>a</P>\n"));
        } else {
            h.t.prompts.answers << Prompts::Answer::Yes << Prompts::Answer::No;
            QVERIFY(h.window().close());
        }
        if (how != "exit")
            recovery.flushNow(true);
        QCOMPARE(journalsIn(h.t.ctx.paths.recoveryDir), QStringList());
        if (how == "exit") // nothing of the run is left
            QCOMPARE(QDir(h.t.ctx.paths.recoveryDir)
                         .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                         .size(),
                     0);
    }

    void pagesOfARunThatDidNotEndAreOffered_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("fileChanged");
        QTest::newRow("recover") << "recoverButton" << false;
        QTest::newRow("recover after the file changed") << "recoverButton" << true;
        QTest::newRow("discard") << "discardButton" << false;
        QTest::newRow("later") << "laterButton" << false;
        // Space unticks the page the list starts on, Enter recovers the rest.
        QTest::newRow("keys: untick the first, Enter") << "keys" << false;
    }
    void pagesOfARunThatDidNotEndAreOffered() {
        QFETCH(QString, button);
        QFETCH(bool, fileChanged);
        Run killed;
        const QByteArray original = "<P>a</P>\r\n";
        const QString page = killed.t.writeFile("site/a.htm", original);
        killed.start();
        QVERIFY(killed.window->fileCommands()->openFile(page));
        QTest::keyClicks(&killed.docs().currentView(), "typed ");
        killed.window->fileCommands()->newDocument();
        QTest::keyClicks(&killed.docs().currentView(), "fresh");
        killed.recovery().flushNow(true);
        const QString typed = killed.docs().document(1).text();
        killed.stop();
        const QByteArray onDisk = fileChanged ? QByteArray("<P>changed</P>\n") : original;
        if (fileChanged) {
            QTest::qWait(20);
            killed.t.writeFile(page, onDisk);
        }
        const QStringList left = journalsIn(killed.t.ctx.paths.recoveryDir);
        QCOMPARE(left.size(), 2);
        const QString pageJournal =
            readJournal(left[0]).header.pageName == page ? left[0] : left[1];

        Run next(killed.t.ctx.paths.recoveryDir);
        next.t.prompts.answers << Prompts::Answer::Yes; // discard: yes, for good
        QStringList rows;
        whenRecoveryDialogOpens([&rows, button](QDialog *dialog) {
            auto *list = dialog->findChild<QTreeWidget *>("recoveryList");
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                rows << list->topLevelItem(i)->text(0) + " | " + list->topLevelItem(i)->text(3);
            if (button == "keys") {
                QTest::keyClick(list, Qt::Key_Space);
                QTest::keyClick(list, Qt::Key_Return);
            } else {
                QTest::mouseClick(dialog->findChild<QAbstractButton *>(button), Qt::LeftButton);
            }
        });
        next.start();
        QCOMPARE(rows,
                 QStringList({page + " | " + (fileChanged ? RecoveryTexts::changedOnDisk() : ""),
                              RecoveryTexts::untitled() + " | "}));
        QCOMPARE(next.t.readFile(page), onDisk); // the file stays as it is until a save

        if (button == "keys") { // the unticked page stays for a later start
            QCOMPARE(next.docs().count(), 1);
            QCOMPARE(next.docs().current().text(), QStringLiteral("fresh"));
            QStringList now = journalsIn(next.t.ctx.paths.recoveryDir);
            now.sort();
            QStringList expected = {pageJournal, next.recovery().journalOf(next.docs().current())};
            expected.sort();
            QCOMPARE(now, expected);
            return;
        }
        if (button != "recoverButton") {
            QCOMPARE(next.docs().count(), 1);
            QCOMPARE(journalsIn(next.t.ctx.paths.recoveryDir),
                     button == "laterButton" ? left : QStringList());
            return;
        }
        QCOMPARE(next.docs().count(), 2);
        const SourceDocument &recovered = next.docs().document(0);
        QCOMPARE(recovered.fileName(), page);
        QCOMPARE(recovered.text(), typed);
        QVERIFY(recovered.isModified());
        QVERIFY(recovered.format().crlf);
        QCOMPARE(next.docs().document(1).text(), QStringLiteral("fresh"));
        QVERIFY(next.docs().document(1).isModified());
        // The pages are journalled again by this run; the old journals are gone.
        QStringList now = journalsIn(next.t.ctx.paths.recoveryDir);
        now.sort();
        QStringList expected = {next.recovery().journalOf(recovered),
                                next.recovery().journalOf(next.docs().document(1))};
        expected.sort();
        QCOMPARE(now, expected);
    }

    void aFullDiskIsToldOnceAndKeepsWhatWasWritten() {
        WindowHarness h;
        QVERIFY(h.files().openFile(h.t.writeFile("site/a.htm", "<P>a</P>\n")));
        RecoveryController &recovery = *h.window().recovery();
        h.type("kept ");
        recovery.flushNow(true);
        const QString journal = recovery.journalOf(h.docs().current());
        const QString kept = h.docs().current().text();
        {
            const FileSizeLimit full(QFileInfo(journal).size() + 64);
            h.docs().current().replaceRange(0, 0, QString(500, 'x'));
            recovery.flushNow(true);
            QTRY_COMPARE(h.t.prompts.messages().size(), 1);
            QVERIFY(h.t.prompts.messages()[0].startsWith(
                RecoveryTexts::cannotKeepJournals("").left(40)));
            h.type("more");
            recovery.flushNow(true);
            QTest::qWait(20);
        }
        QCOMPARE(h.t.prompts.messages().size(), 1);
        const JournalContents c = readJournal(journal);
        QVERIFY2(c.ok, qPrintable(c.problem));
        QCOMPARE(c.text, kept);
        QVERIFY(h.files().save(h.docs().current()));
        recovery.flushNow(true);
        QCOMPARE(journalsIn(h.t.ctx.paths.recoveryDir), QStringList());
    }

    void journalsThatCannotBeUsedAreReportedAndLeftAlone() {
        Run run;
        const QString journal = run.t.ctx.paths.recoveryDir + "/100-200/1.journal";
        run.t.writeFile(journal, "MARLO JOURNAL 1\nnot really");
        run.start();
        QCOMPARE(run.t.prompts.messages(),
                 QStringList{RecoveryTexts::refused(journal, RecoveryTexts::damaged())});
        QCOMPARE(run.t.readFile(journal), QByteArray("MARLO JOURNAL 1\nnot really"));
        QCOMPARE(run.docs().count(), 1);
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
