// The document set as a user meets it: tabs, the modified marker, saving, closing, the recent
// files and the exit questions.
#include "common/editorstyles.h"
#include "common/filesizelimit.h"
#include "common/windowharness.h"
#include "documents/documentprinter.h"
#include "documents/documentstatus.h"
#include "editor/editcommands.h"
#include "preview/previewcontroller.h"

#include <QFile>
#include <QPrinter>
#include <QSignalSpy>
#include <QTabWidget>

#include <cstring>
#include <sys/stat.h>

namespace {
QString tabText(WindowHarness &h, int index) {
    return h.window().findChild<QTabWidget *>(QStringLiteral("Default"))->tabText(index);
}
const QByteArray NoTips = "[Options]\ntotd=0\n";
} // namespace

class TestDocuments : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typingMarksANewDocumentButTheTemplateDoesNot() {
        WindowHarness h;
        const QString templ = h.t.writeFile("tpl/Default.htm", "<HTML>\n<BODY>\n</BODY>\n</HTML>\n");
        h.t.ctx.settings.templateFile = templ;
        h.files().newDocument();
        QCOMPARE(h.docs().count(), 2);
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("<HTML>\n<BODY>\n</BODY>\n</HTML>\n"));
        QVERIFY(!h.docs().current().isModified());
        QVERIFY(!h.action("actionSave")->isEnabled());
        QCOMPARE(tabText(h, 1), QStringLiteral("New.htm"));

        h.type("x");
        QVERIFY(h.docs().current().isModified());
        QCOMPARE(tabText(h, 1), QStringLiteral("* New.htm"));
        QVERIFY(h.action("actionSave")->isEnabled());
    }

    void aCommandInsertionIntoAFreshDocumentCountsAsAChange() {
        // Work inserted from the toolbar before any key press must still be offered for saving.
        WindowHarness h;
        h.window().editCommands()->wrap(QStringLiteral("<B>"), QStringLiteral("</B>"));
        QVERIFY(h.docs().current().isModified());
        QCOMPARE(tabText(h, 0), QStringLiteral("* New.htm"));
    }

    void switchingTabsKeepsEachDocumentsState() {
        WindowHarness h;
        const QString a = h.t.writeFile("site/a.htm", "<P>a</P>\n");
        QVERIFY(h.files().openFile(a));
        h.type("1");
        const QString lastSaveA = h.docs().current().lastSave();
        h.files().newDocument();
        h.docs().setCurrentIndex(1);
        QVERIFY(h.docs().current().isModified());
        QCOMPARE(h.docs().current().fileName(), a);
        QCOMPARE(h.docs().current().lastSave(), lastSaveA);
        QCOMPARE(tabText(h, 1), QStringLiteral("* a.htm"));
        QCOMPARE(h.window().windowTitle(), QStringLiteral("Marlo - ") + a);
        h.docs().setCurrentIndex(2);
        QVERIFY(!h.docs().current().isModified());
        QCOMPARE(h.docs().current().lastSave(), QStringLiteral("--:--"));
        QVERIFY(!h.action("actionSave")->isEnabled());
        h.docs().setCurrentIndex(1);
        QVERIFY(h.action("actionSave")->isEnabled());
    }

    // Undo and redo that bring the text back to what was last saved take the mark away again, so
    // that closing does not ask; going past the save brings it back.
    void undoAndRedoToTheSavedTextClearTheMark() {
        WindowHarness h;
        QVERIFY(h.files().openFile(h.t.writeFile("site/page.htm", "<P>x</P>\n")));
        SourceEditor &ed = h.editor();
        const int tab = h.docs().currentIndex();
        h.window().activateWindow();
        ed.setFocus();
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char *caption;
        } steps[] = {
            {Qt::Key_A, Qt::NoModifier, "* page.htm"},
            {Qt::Key_Z, Qt::ControlModifier, "page.htm"},
            {Qt::Key_Y, Qt::ControlModifier, "* page.htm"},
            {Qt::Key_S, Qt::ControlModifier, "page.htm"}, // saved with the "a"
            {Qt::Key_B, Qt::NoModifier, "* page.htm"},
            {Qt::Key_Z, Qt::ControlModifier, "page.htm"},
            {Qt::Key_Z, Qt::ControlModifier, "* page.htm"}, // before the save
            {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "page.htm"},
        };
        for (const auto &step : steps) {
            QTest::keyClick(&ed, step.key, step.modifiers);
            QCOMPARE(tabText(h, tab), QString::fromUtf8(step.caption));
            QCOMPARE(h.action("actionSave")->isEnabled(), step.caption[0] == '*');
        }
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("a<P>x</P>\n"));
        QTest::keyClick(&ed, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(h.docs().count(), tab);
        QVERIFY(h.t.prompts.texts().isEmpty());
    }

    void closingTabsActivatesTheRightNeighbour_data() {
        QTest::addColumn<int>("closed");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<QString>("activated");
        QTest::newRow("first") << 0 << QStringList{"b.htm", "c.htm"} << "b.htm";
        QTest::newRow("middle") << 1 << QStringList{"a.htm", "c.htm"} << "c.htm";
        QTest::newRow("last") << 2 << QStringList{"a.htm", "b.htm"} << "b.htm";
    }
    void closingTabsActivatesTheRightNeighbour() {
        QFETCH(int, closed);
        QFETCH(QStringList, remaining);
        QFETCH(QString, activated);
        WindowHarness h;
        for (const char *name : {"a.htm", "b.htm", "c.htm"})
            h.files().openStartupFiles({h.t.writeFile(QString("s/") + name, name)});
        QCOMPARE(h.docs().count(), 3); // the untouched first tab was reused
        h.docs().setCurrentIndex(closed);
        QVERIFY(h.files().close(h.docs().current()));
        QStringList names;
        for (int i = 0; i < h.docs().count(); ++i)
            names << fileNamePart(h.docs().document(i).fileName());
        QCOMPARE(names, remaining);
        QCOMPARE(fileNamePart(h.docs().current().fileName()), activated);
        QCOMPARE(h.editor().sourceDocument().text(), activated);
    }

    void closingTheOnlyDocumentStartsAFreshOne() {
        WindowHarness h;
        h.type("abc");
        h.t.prompts.answers << Prompts::Answer::No;
        QVERIFY(h.files().close(h.docs().current()));
        QCOMPARE(h.docs().count(), 1);
        QVERIFY(h.editor().sourceDocument().text().isEmpty());
        QVERIFY(!h.docs().current().isModified());
        QVERIFY(isUntitledName(h.docs().current().fileName()));
    }

    void yesThenCancelledSaveDialogKeepsTheDocument() {
        // Answering Yes and then cancelling the file name must not lose the text.
        WindowHarness h;
        h.files().newDocument();
        h.type("precious");
        h.t.prompts.answers << Prompts::Answer::Yes;
        h.t.prompts.fileNames << QString(); // the save dialog is cancelled
        QVERIFY(!h.files().close(h.docs().current()));
        QCOMPARE(h.docs().count(), 2);
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("precious"));
        QVERIFY(h.docs().current().isModified());
        QCOMPARE(h.t.prompts.texts().first(),
                 h.docs().current().fileName() + " is not saved!\nDo you wish to save it now?");
    }

    void closeAllStopsAtCancel() {
        WindowHarness h;
        h.type("1");
        h.files().newDocument();
        h.type("2");
        h.files().newDocument();
        h.type("3");
        h.t.prompts.answers << Prompts::Answer::No << Prompts::Answer::Cancel;
        QVERIFY(!h.files().closeAll());
        QCOMPARE(h.docs().count(), 2);
        QCOMPARE(h.docs().document(1).text(), QStringLiteral("2"));
        QCOMPARE(h.t.prompts.texts().size(), 2);
    }

    void savingMovesTheFileToTheFrontOfTheRecentList() {
        WindowHarness h("[Options]\ntotd=0\nlast1=/x/A.htm\nlast2=/x/B.htm\nlast3=[empty]\n");
        const QString path = h.t.path("out/page.htm");
        QDir().mkpath(h.t.path("out"));
        h.type("<P>");
        h.t.prompts.fileNames << path;
        QVERIFY(h.files().save(h.docs().current()));
        QCOMPARE(h.t.readFile(path), QByteArray("<P>"));
        QCOMPARE(h.t.ctx.settings.recentFiles[0], path);
        QCOMPARE(h.t.ctx.settings.recentFiles[1], QStringLiteral("/x/A.htm"));
        QVERIFY(h.t.settingsBytes().contains(("last1=" + path).toUtf8()));
        QCOMPARE(tabText(h, 0), QStringLiteral("page.htm"));
        QVERIFY(h.action("actionRecent1")->isVisible());
        QVERIFY(!h.action("actionRecent4")->isVisible());
    }

    void saveAsTakesTheChosenNameEvenNewHtm() {
        WindowHarness h;
        const QString path = h.t.path("New.htm");
        h.type("x");
        h.t.prompts.fileNames << path;
        QVERIFY(h.files().saveAs(h.docs().current()));
        QCOMPARE(h.t.readFile(path), QByteArray("x"));
        QCOMPARE(h.t.prompts.records.size(), 1); // one dialog, not a second one
        QCOMPARE(h.t.prompts.unexpected, 0);
    }

    void aFailedSaveChangesNothing() {
        WindowHarness h("[Options]\ntotd=0\nlast1=/x/A.htm\n");
        const QString path = h.t.path("missing/folder/page.htm");
        h.type("work");
        h.t.prompts.fileNames << path;
        QVERIFY(!h.files().save(h.docs().current()));
        QVERIFY(h.docs().current().isModified());
        QVERIFY(isUntitledName(h.docs().current().fileName()));
        QCOMPARE(h.t.ctx.settings.recentFiles[0], QStringLiteral("/x/A.htm"));
        QCOMPARE(h.t.prompts.messages().size(), 1);
        QVERIFY(!QFile::exists(path));
    }

    // Every command that writes a page, cut off half-way by a full disk: the file it would
    // replace keeps its bytes, the user hears of it, and unsaved work stays marked unsaved.
    void interruptedWritesKeepTheOldFile_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("save") << "save";
        QTest::newRow("export") << "export";
        QTest::newRow("backup") << "backup";
    }
    void interruptedWritesKeepTheOldFile() {
        QFETCH(QString, command);
        WindowHarness h;
        const QString page = h.t.writeFile("w/page.htm", "<P>old page</P>");
        QVERIFY(h.files().openFile(page));
        QString target = page;
        if (command == "export")
            target = h.t.writeFile("w/unix.htm", "<P>old export</P>");
        if (command == "backup") {
            h.files().backup(h.docs().current()); // a backup this run may replace
            target = h.t.path("w/page.bak");
        }
        const QByteArray before = h.t.readFile(target);
        h.window().editCommands()->wrap(QString(5000, QLatin1Char('x')), QString());
        h.t.prompts.fileNames << target;
        {
            const FileSizeLimit limit(64);
            if (command == "save")
                QVERIFY(!h.files().save(h.docs().current()));
            else if (command == "export")
                h.files().exportUnixFile(h.docs().current());
            else
                h.files().backup(h.docs().current());
        }
        QCOMPARE(h.t.readFile(target), before);
        QCOMPARE(h.t.prompts.messages().size(), 1);
        QVERIFY(h.docs().current().isModified());
        QVERIFY(h.action("actionSave")->isEnabled());
    }

    // Save All writes every modified page without bringing it to the front.
    void saveAllLeavesTheShownTabAlone() {
        WindowHarness h;
        const QString a = h.t.writeFile("s/a.htm", "a");
        const QString b = h.t.writeFile("s/b.htm", "b");
        h.files().openStartupFiles({a, b});
        h.docs().setCurrentIndex(1);
        h.type("2");
        h.docs().setCurrentIndex(0);
        h.type("1");
        QSignalSpy switches(&h.docs(), &DocumentController::currentDocumentChanged);
        h.files().saveAll();
        QCOMPARE(switches.count(), 0);
        QCOMPARE(h.t.readFile(a), QByteArray("1a"));
        QCOMPARE(h.t.readFile(b), QByteArray("2b"));
        QVERIFY(!h.docs().document(0).isModified() && !h.docs().document(1).isModified());
        QCOMPARE(tabText(h, 1), QStringLiteral("b.htm"));
    }

    void openingAFileSetsTheCaptionOnce() {
        WindowHarness h;
        const QString page = h.t.writeFile("c/page.htm", "<P>");
        QSignalSpy captions(&h.window(), &QWidget::windowTitleChanged);
        QVERIFY(h.files().openFile(page));
        QCOMPARE(captions.count(), 1);
        QCOMPARE(h.window().windowTitle(), QStringLiteral("Marlo - ") + page);
        QCOMPARE(h.window().documentStatus()->positionText(), QStringLiteral("1:1"));
    }

    void anUnchangedFileSavesByteForByte() {
        WindowHarness h;
        const QByteArray bytes = "\xEF\xBB\xBF<P>caf\xC3\xA9</P>\r\n<P>2</P>";
        const QString path = h.t.writeFile("rt/page.htm", bytes);
        QVERIFY(h.files().openFile(path));
        h.type("x");
        QTest::keyClick(&h.editor(), Qt::Key_Backspace);
        QVERIFY(h.files().save(h.docs().current()));
        QCOMPARE(h.t.readFile(path), bytes);
    }

    // A large page is coloured in the background after it opens, and its long line is held in
    // pieces; neither may show in what is saved, nor outlast its tab.
    void aLargePageSavesAndClosesWhileItIsColoured_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("save at once") << "save";
        QTest::newRow("type where no colour is yet, then save") << "type";
        QTest::newRow("close the tab") << "close";
    }
    void aLargePageSavesAndClosesWhileItIsColoured() {
        QFETCH(QString, action);
        QByteArray bytes = "<HTML>\r\n<BODY>\r\n";
        for (int i = 0; i < 40000; ++i)
            bytes += "<P CLASS=\"a\">line " + QByteArray::number(i) + "</P> <!-- c -->\r\n";
        for (int i = 0; i < 3000; ++i)
            bytes += "<B>one long line " + QByteArray::number(i) + "</B>";
        bytes += "\r\n</BODY></HTML>";
        WindowHarness h;
        const QString path = h.t.writeFile("big/page.htm", bytes);
        QVERIFY(h.files().openFile(path));
        SourceEditor &ed = h.editor();
        QVERIFY(ed.sourceDocument().isColoringInBackground());
        QVERIFY(ed.sourceDocument().pieceBreaks() > 0);
        if (action == QLatin1String("close")) {
            QVERIFY(h.files().close(h.docs().current()));
            QTest::qWait(50); // later slices must not find the editor gone
            QCOMPARE(h.docs().count(), 1); // a fresh page in its place
            QVERIFY(h.editor().sourceDocument().textLength() < 1000);
            return;
        }
        QByteArray expected = bytes;
        if (action == QLatin1String("type")) {
            ed.setRow(39000);
            QVERIFY(ed.sourceDocument().isColoringInBackground());
            h.type("<i>");
            expected.insert(bytes.indexOf("<P CLASS=\"a\">line 38998<"), "<i>");
        } else {
            h.type("x");
            QTest::keyClick(&ed, Qt::Key_Backspace);
        }
        QVERIFY(h.files().save(h.docs().current()));
        QCOMPARE(h.t.readFile(path), expected);
        QTRY_VERIFY_WITH_TIMEOUT(!ed.sourceDocument().isColoringInBackground(), 20000);
        QCOMPARE(styles(ed), fullPass(ed.sourceDocument().text()));
    }

    void aFileWithNulBytesIsRefusedWithoutATab() {
        WindowHarness h;
        const QString path = h.t.writeFile("bin/x.htm", QByteArray("ab\0cd", 5));
        QVERIFY(!h.files().openFile(path));
        QCOMPARE(h.docs().count(), 1);
        QCOMPARE(h.t.prompts.messages().size(), 1);
    }

    // Things that are not pages are refused with a message that says what they are, and no
    // open document is touched (devices and oversized files: see the reader's own tests).
    void openRefusesWhatIsNotAPage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("folder") << "folder"
                                << "is not a regular file";
        QTest::newRow("pipe") << "pipe.htm"
                              << "is not a regular file";
        QTest::newRow("missing") << "gone.htm"
                                 << "The file does not exist.";
        QTest::newRow("link loop") << "loop.htm" << QString::fromLocal8Bit(std::strerror(ELOOP));
    }
    void openRefusesWhatIsNotAPage() {
        QFETCH(QString, name);
        QFETCH(QString, fragment);
        WindowHarness h;
        QDir().mkpath(h.t.path("folder"));
        QCOMPARE(mkfifo(QFile::encodeName(h.t.path("pipe.htm")).constData(), 0600), 0);
        QVERIFY(QFile::link(h.t.path("loop.htm"), h.t.path("loop.htm")));
        h.type("unsaved work");
        h.t.prompts.fileLists << QStringList{h.t.path(name)};
        h.action("actionOpen")->trigger();
        QCOMPARE(h.docs().count(), 1);
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("unsaved work"));
        QCOMPARE(h.t.prompts.messages().size(), 1);
        QVERIFY2(h.t.prompts.messages()[0].contains(fragment), qPrintable(h.t.prompts.messages()[0]));
    }

    void aNameWithoutExtensionIsSavedAsHtm() {
        WindowHarness h;
        h.type("<P>");
        h.t.prompts.fileNames << h.t.path("first");
        QVERIFY(h.files().saveAs(h.docs().current()));
        QCOMPARE(h.t.readFile(h.t.path("first.htm")), QByteArray("<P>"));
        QVERIFY(!QFile::exists(h.t.path("first")));
    }

    // Another program changes the file of an open page.
    void savingOverAnOutsideChangeAsksFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("onDisk");
        QTest::newRow("yes overwrites") << int(Prompts::Answer::Yes) << QByteArray("x<P>");
        QTest::newRow("no keeps theirs") << int(Prompts::Answer::No) << QByteArray("<P>theirs");
    }
    void savingOverAnOutsideChangeAsksFirst() {
        QFETCH(int, answer);
        QFETCH(QByteArray, onDisk);
        WindowHarness h;
        const QString path = h.t.writeFile("c/page.htm", "<P>");
        QVERIFY(h.files().openFile(path));
        h.type("x");
        h.t.writeFile("c/page.htm", "<P>theirs");
        h.t.prompts.answers << Prompts::Answer(answer);
        QCOMPARE(h.files().save(h.docs().current()), answer == int(Prompts::Answer::Yes));
        QCOMPARE(h.t.readFile(path), onDisk);
        QCOMPARE(!h.docs().current().isModified(), answer == int(Prompts::Answer::Yes));
        QVERIFY(h.t.prompts.texts().value(0).contains("changed by another program"));
        // Once written, the file is ours again: the next save does not ask.
        h.t.prompts.clear();
        if (answer == int(Prompts::Answer::Yes)) {
            h.type("y");
            QVERIFY(h.files().save(h.docs().current()));
            QVERIFY(h.t.prompts.texts().isEmpty());
        }
    }

    void aDeletedFileIsSavedAsANewFile() {
        WindowHarness h;
        const QString path = h.t.writeFile("d/page.htm", "<P>");
        QVERIFY(h.files().openFile(path));
        h.type("x");
        QVERIFY(QFile::remove(path));
        QVERIFY(h.files().save(h.docs().current()));
        QCOMPARE(h.t.readFile(path), QByteArray("x<P>"));
        QVERIFY(h.t.prompts.texts().isEmpty());
    }

    void anUnchangedPageIsOfferedForReload_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");
        QTest::newRow("reload") << int(Prompts::Answer::Yes) << "<P>theirs";
        QTest::newRow("keep") << int(Prompts::Answer::No) << "<P>";
    }
    void anUnchangedPageIsOfferedForReload() {
        QFETCH(int, answer);
        QFETCH(QString, text);
        WindowHarness h;
        const QString path = h.t.writeFile("r/page.htm", "<P>");
        const QString other = h.t.writeFile("r/other.htm", "<B>");
        QVERIFY(h.files().openFile(path));
        QVERIFY(h.files().openFile(other));
        h.type("mine"); // unsaved work is never offered for reload
        h.t.writeFile("r/page.htm", "<P>theirs");
        h.t.writeFile("r/other.htm", "<B>theirs");
        h.t.prompts.answers << Prompts::Answer(answer);
        h.files().offerReloadOfChangedFiles();
        QCOMPARE(h.t.prompts.texts().size(), 1);
        QVERIFY(h.t.prompts.texts()[0].startsWith(path));
        QCOMPARE(h.docs().current().fileName(), path);
        QCOMPARE(h.editor().sourceDocument().text(), text);
        QVERIFY(!h.docs().current().isModified());
        // A change once declined is not offered again.
        h.files().offerReloadOfChangedFiles();
        QCOMPARE(h.t.prompts.texts().size(), 1);
        QCOMPARE(h.t.prompts.unexpected, 0);
    }

    void printingWithoutAPrinterSaysSo() {
        WindowHarness h;
        h.window().printer()->setPrinterCheck([] { return false; });
        h.action("actionPrintNow")->trigger();
        QCOMPARE(h.t.prompts.messages(), QStringList{"No printer is available."});
    }

    void aFailedPrintIsReported_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("printed");
        QTest::newRow("to a file") << "out.pdf" << true;
        QTest::newRow("to a missing folder") << "missing/out.pdf" << false;
        QTest::newRow("to no file at all") << "" << false;
    }
    void aFailedPrintIsReported() {
        QFETCH(QString, output);
        QFETCH(bool, printed);
        WindowHarness h;
        h.type("<P>print me");
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output.isEmpty() ? QString() : h.t.path(output));
        QCOMPARE(h.window().printer()->printTo(h.docs().current(), printer), printed);
        QCOMPARE(h.t.prompts.messages().size(), printed ? 0 : 1);
        if (printed)
            QVERIFY(QFileInfo(h.t.path(output)).size() > 0);
    }

    void openRecentReplacesTheCurrentDocument() {
        WindowHarness h;
        const QString path = h.t.writeFile("r/recent.htm", "<HR>");
        h.t.ctx.settings.recentFiles[0] = path;
        h.t.ctx.settings.recentFiles[1] = h.t.path("r/gone.htm");
        h.type("unsaved");
        h.t.prompts.answers << Prompts::Answer::Cancel;
        h.files().openRecentFile(0);
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("unsaved"));

        h.t.prompts.answers << Prompts::Answer::No;
        h.files().openRecentFile(1);
        QCOMPARE(h.t.prompts.messages(), QStringList{"The file does not exist."});
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("unsaved"));

        h.t.prompts.answers << Prompts::Answer::No;
        h.files().openRecentFile(0);
        QCOMPARE(h.docs().count(), 1);
        QCOMPARE(h.editor().sourceDocument().text(), QStringLiteral("<HR>"));
        QVERIFY(!h.docs().current().isModified());
        QCOMPARE(h.t.ctx.settings.recentFiles[0], path); // opening does not reorder the list
    }

    void exportWritesUnixLineEnds() {
        WindowHarness h;
        const QString source = h.t.writeFile("e/dos.htm", "a\r\nb\r\n");
        QVERIFY(h.files().openFile(source));
        const QString target = h.t.path("e/unix.htm");
        h.t.prompts.fileNames << target;
        h.files().exportUnixFile(h.docs().current());
        QCOMPARE(h.t.readFile(target), QByteArray("a\nb\n"));
        QCOMPARE(h.docs().current().fileName(), source);
        // Exported onto its own file with unsaved changes: the next save asks nothing about a
        // change by another program and writes the page's own line ends again.
        h.type("x");
        h.t.prompts.fileNames << source;
        h.files().exportUnixFile(h.docs().current());
        QCOMPARE(h.t.readFile(source), QByteArray("xa\nb\n"));
        QVERIFY(h.docs().current().isModified());
        QVERIFY(h.files().save(h.docs().current()));
        QCOMPARE(h.t.readFile(source), QByteArray("xa\r\nb\r\n"));
        QVERIFY(h.t.prompts.texts().isEmpty());
    }

    // Save as or export onto the file of a page open in another tab: that tab's unsaved work is
    // never written over, and a tab without changes shows the new text at once (before, it kept
    // the old text and took the next save for a change by another program).
    void writingOverAPageOpenInAnotherTab_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("otherUnsaved");
        QTest::addColumn<QByteArray>("onDisk");
        QTest::addColumn<bool>("throughLink"); // the name chosen is a link to the page
        QTest::newRow("save as, other tab unchanged")
            << "saveAs" << false << QByteArray("b\r\n") << false;
        QTest::newRow("save as, other tab unsaved") << "saveAs" << true << QByteArray("a\n") << false;
        QTest::newRow("save as through a link, other tab unsaved")
            << "saveAs" << true << QByteArray("a\n") << true;
        QTest::newRow("export, other tab unchanged") << "export" << false << QByteArray("b\n") << false;
        QTest::newRow("export, other tab unsaved") << "export" << true << QByteArray("a\n") << false;
    }
    void writingOverAPageOpenInAnotherTab() {
        QFETCH(QString, command);
        QFETCH(bool, otherUnsaved);
        QFETCH(QByteArray, onDisk);
        QFETCH(bool, throughLink);
        WindowHarness h;
        const QString a = h.t.writeFile("o/a.htm", "a\n");
        const QString link = h.t.path("o/link.htm");
        QVERIFY(QFile::link(a, link));
        const QString b = h.t.writeFile("o/b.htm", "b\r\n");
        QVERIFY(h.files().openFile(a));
        SourceDocument &first = h.docs().current();
        if (otherUnsaved)
            h.type("x");
        QVERIFY(h.files().openFile(b));
        SourceDocument &second = h.docs().current();
        h.t.prompts.fileNames << (throughLink ? link : a);
        if (command == "saveAs")
            QCOMPARE(h.files().saveAs(second), !otherUnsaved);
        else
            h.files().exportUnixFile(second);
        QCOMPARE(h.t.readFile(a), onDisk);
        QCOMPARE(h.t.prompts.messages().size(), otherUnsaved ? 1 : 0);
        if (otherUnsaved)
            QVERIFY(h.t.prompts.messages()[0].contains("open in another tab with unsaved changes"));
        QCOMPARE(first.text(), otherUnsaved ? QString("xa\n") : QString::fromUtf8(onDisk).remove('\r'));
        QCOMPARE(first.isModified(), otherUnsaved);
        // The tab that showed the old text saves without a question about another program.
        if (!otherUnsaved) {
            h.docs().activate(first);
            h.type("y");
            QVERIFY(h.files().save(first));
            QVERIFY(h.t.prompts.texts().isEmpty());
        }
        QCOMPARE(h.t.prompts.unexpected, 0);
    }

    // Backups and preview copies never replace what another carries the name of, and never
    // write through a link (one leading nowhere included): they take the next free name, and a
    // copy of a private page is private too.
    void copiesOfAPageLeaveWhatIsThereAlone_data() {
        QTest::addColumn<QString>("copy");
        QTest::addColumn<QString>("occupant"); // what carries the copy's usual name
        for (const char *copy : {"backup", "preview"})
            for (const char *occupant : {"a file", "a link leading nowhere", "a link to a file"})
                QTest::addRow("%s, %s", copy, occupant) << copy << occupant;
    }
    void copiesOfAPageLeaveWhatIsThereAlone() {
        QFETCH(QString, copy);
        QFETCH(QString, occupant);
        WindowHarness h;
        h.t.ctx.settings.primaryBrowser = h.t.writeFile("bin/firefox", "");
        const QString page = h.t.writeFile("b/page.htm", "<P>");
        QVERIFY(QFile::setPermissions(page, QFile::ReadOwner | QFile::WriteOwner));
        const bool backup = copy == "backup";
        const QString usual = h.t.path(backup ? "b/page.bak" : "b/temp.htm");
        const QString elsewhere = h.t.path("elsewhere/theirs.htm");
        QDir().mkpath(h.t.path("elsewhere"));
        if (occupant == "a file")
            h.t.writeFile(usual, "the user's own");
        else
            QVERIFY(QFile::link(elsewhere, usual));
        if (occupant == "a link to a file")
            h.t.writeFile(elsewhere, "the user's own");
        QVERIFY(h.files().openFile(page));
        h.type("1");
        for (int run = 0; run < 2; ++run) { // the second run replaces this run's own copy
            if (backup)
                h.files().backup(h.docs().current());
            else
                h.window().preview()->externalPreview(false);
        }
        const QString made = h.t.path(backup ? "b/page~1.bak" : "b/temp~1.htm");
        QCOMPARE(h.t.readFile(made), QByteArray("1<P>"));
        QCOMPARE(QFile::permissions(made), QFile::permissions(page));
        QCOMPARE(QFileInfo(usual).isSymLink(), occupant != "a file");
        if (occupant == "a link leading nowhere")
            QVERIFY(!QFileInfo::exists(elsewhere));
        else
            QCOMPARE(h.t.readFile(occupant == "a file" ? usual : elsewhere), "the user's own");
        if (backup)
            QCOMPARE(h.t.ctx.backupFiles.names(), QStringList{made});
    }

    void theCaretPositionShowsColumnThenLine() {
        WindowHarness h;
        h.type("first\nsecond\nthird");
        h.editor().setSelection(h.editor().sourceDocument().lineStart(2) + 4, 0);
        QTest::keyClick(&h.editor(), Qt::Key_Shift); // a key release updates the status
        QCOMPARE(h.window().documentStatus()->positionText(), QStringLiteral("5:3"));
    }

    void insertTogglesTheModeIndicatorOnlyWithoutModifiers() {
        WindowHarness h;
        DocumentStatus *status = h.window().documentStatus();
        QCOMPARE(status->modeText(), QStringLiteral("Insert"));
        QTest::keyClick(&h.editor(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(status->modeText(), QStringLiteral("Insert"));
        QTest::keyClick(&h.editor(), Qt::Key_Insert);
        QCOMPARE(status->modeText(), QStringLiteral("Overwrite"));
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
