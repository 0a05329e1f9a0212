// The document set as a user meets it: tabs, the modified marker, saving, closing, the recent
// files and the exit questions.
#include "documents/statuspanels.h"
#include "editor/editcommands.h"
#include "common/windowharness.h"

#include <QFile>
#include <QTabWidget>

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
        h.docs().newDocument();
        QCOMPARE(h.docs().count(), 2);
        QCOMPARE(h.editor().text(), QStringLiteral("<HTML>\n<BODY>\n</BODY>\n</HTML>\n"));
        QVERIFY(h.docs().current().saved);
        QVERIFY(!h.docs().saveAction()->isEnabled());
        QCOMPARE(tabText(h, 1), QStringLiteral("New.htm"));

        h.type("x");
        QVERIFY(!h.docs().current().saved);
        QCOMPARE(tabText(h, 1), QStringLiteral("* New.htm"));
        QVERIFY(h.docs().saveAction()->isEnabled());
    }

    void aCommandInsertionIntoAFreshDocumentCountsAsAChange() {
        // Work inserted from the toolbar before any key press must still be offered for saving.
        WindowHarness h;
        h.window().editCommands()->wrap(QStringLiteral("<B>"), QStringLiteral("</B>"));
        QVERIFY(!h.docs().current().saved);
        QCOMPARE(tabText(h, 0), QStringLiteral("* New.htm"));
    }

    void switchingTabsKeepsEachDocumentsState() {
        WindowHarness h;
        const QString a = h.t.writeFile("site/a.htm", "<P>a</P>\n");
        QVERIFY(h.docs().openFile(a));
        h.type("1");
        const QString lastSaveA = h.docs().current().lastSave;
        h.docs().newDocument();
        h.docs().setCurrentIndex(1);
        QVERIFY(!h.docs().current().saved);
        QCOMPARE(h.docs().current().fileName, a);
        QCOMPARE(h.docs().current().lastSave, lastSaveA);
        QCOMPARE(tabText(h, 1), QStringLiteral("* a.htm"));
        QCOMPARE(h.window().windowTitle(), QStringLiteral("Marlo - ") + a);
        h.docs().setCurrentIndex(2);
        QVERIFY(h.docs().current().saved);
        QCOMPARE(h.docs().current().lastSave, QStringLiteral("--:--"));
        QVERIFY(!h.docs().saveAction()->isEnabled());
        h.docs().setCurrentIndex(1);
        QVERIFY(h.docs().saveAction()->isEnabled());
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
            h.docs().openStartupFiles({h.t.writeFile(QString("s/") + name, name)});
        QCOMPARE(h.docs().count(), 3); // the untouched first tab was reused
        h.docs().setCurrentIndex(closed);
        QVERIFY(h.docs().closeCurrentDocument());
        QStringList names;
        for (int i = 0; i < h.docs().count(); ++i)
            names << fileNamePart(h.docs().state(i).fileName);
        QCOMPARE(names, remaining);
        QCOMPARE(fileNamePart(h.docs().current().fileName), activated);
        QCOMPARE(h.editor().text(), activated);
    }

    void closingTheOnlyDocumentStartsAFreshOne() {
        WindowHarness h;
        h.type("abc");
        h.t.prompts.answers << Prompts::Answer::No;
        QVERIFY(h.docs().closeCurrentDocument());
        QCOMPARE(h.docs().count(), 1);
        QVERIFY(h.editor().text().isEmpty());
        QVERIFY(h.docs().current().saved);
        QVERIFY(isUntitledName(h.docs().current().fileName));
    }

    void yesThenCancelledSaveDialogKeepsTheDocument() {
        // Answering Yes and then cancelling the file name must not lose the text.
        WindowHarness h;
        h.docs().newDocument();
        h.type("precious");
        h.t.prompts.answers << Prompts::Answer::Yes;
        h.t.prompts.fileNames << QString(); // the save dialog is cancelled
        QVERIFY(!h.docs().closeCurrentDocument());
        QCOMPARE(h.docs().count(), 2);
        QCOMPARE(h.editor().text(), QStringLiteral("precious"));
        QVERIFY(!h.docs().current().saved);
        QCOMPARE(h.t.prompts.texts().first(),
                 h.docs().current().fileName + " is not saved!\nDo you wish to save it now?");
    }

    void closeAllStopsAtCancel() {
        WindowHarness h;
        h.type("1");
        h.docs().newDocument();
        h.type("2");
        h.docs().newDocument();
        h.type("3");
        h.t.prompts.answers << Prompts::Answer::No << Prompts::Answer::Cancel;
        QVERIFY(!h.docs().closeAllDocuments());
        QCOMPARE(h.docs().count(), 2);
        QCOMPARE(h.docs().editor(1)->text(), QStringLiteral("2"));
        QCOMPARE(h.t.prompts.texts().size(), 2);
    }

    void savingMovesTheFileToTheFrontOfTheRecentList() {
        WindowHarness h("[Options]\ntotd=0\nlast1=/x/A.htm\nlast2=/x/B.htm\nlast3=[empty]\n");
        const QString path = h.t.path("out/page.htm");
        QDir().mkpath(h.t.path("out"));
        h.type("<P>");
        h.t.prompts.fileNames << path;
        QVERIFY(h.docs().saveCurrentDocument());
        QCOMPARE(h.t.readFile(path), QByteArray("<P>"));
        QCOMPARE(h.t.ctx.settings.recentFiles[0], path);
        QCOMPARE(h.t.ctx.settings.recentFiles[1], QStringLiteral("/x/A.htm"));
        QVERIFY(h.t.settingsBytes().contains(("last1=" + path).toUtf8()));
        QCOMPARE(tabText(h, 0), QStringLiteral("page.htm"));
        QVERIFY(h.docs().recentAction(0)->isVisible());
        QVERIFY(!h.docs().recentAction(3)->isVisible());
    }

    void saveAsTakesTheChosenNameEvenNewHtm() {
        WindowHarness h;
        const QString path = h.t.path("New.htm");
        h.type("x");
        h.t.prompts.fileNames << path;
        QVERIFY(h.docs().saveCurrentDocumentAs());
        QCOMPARE(h.t.readFile(path), QByteArray("x"));
        QCOMPARE(h.t.prompts.records.size(), 1); // one dialog, not a second one
        QCOMPARE(h.t.prompts.unexpected, 0);
    }

    void aFailedSaveChangesNothing() {
        WindowHarness h("[Options]\ntotd=0\nlast1=/x/A.htm\n");
        const QString path = h.t.path("missing/folder/page.htm");
        h.type("work");
        h.t.prompts.fileNames << path;
        QVERIFY(!h.docs().saveCurrentDocument());
        QVERIFY(!h.docs().current().saved);
        QVERIFY(isUntitledName(h.docs().current().fileName));
        QCOMPARE(h.t.ctx.settings.recentFiles[0], QStringLiteral("/x/A.htm"));
        QCOMPARE(h.t.prompts.messages().size(), 1);
        QVERIFY(!QFile::exists(path));
    }

    void anUnchangedFileSavesByteForByte() {
        WindowHarness h;
        const QByteArray bytes = "\xEF\xBB\xBF<P>caf\xC3\xA9</P>\r\n<P>2</P>";
        const QString path = h.t.writeFile("rt/page.htm", bytes);
        QVERIFY(h.docs().openFile(path));
        h.type("x");
        QTest::keyClick(&h.editor(), Qt::Key_Backspace);
        QVERIFY(h.docs().saveCurrentDocument());
        QCOMPARE(h.t.readFile(path), bytes);
    }

    void aFileWithNulBytesIsRefusedWithoutATab() {
        WindowHarness h;
        const QString path = h.t.writeFile("bin/x.htm", QByteArray("ab\0cd", 5));
        QVERIFY(!h.docs().openFile(path));
        QCOMPARE(h.docs().count(), 1);
        QCOMPARE(h.t.prompts.messages().size(), 1);
    }

    void openRecentReplacesTheCurrentDocument() {
        WindowHarness h;
        const QString path = h.t.writeFile("r/recent.htm", "<HR>");
        h.t.ctx.settings.recentFiles[0] = path;
        h.t.ctx.settings.recentFiles[1] = h.t.path("r/gone.htm");
        h.type("unsaved");
        h.t.prompts.answers << Prompts::Answer::Cancel;
        h.docs().openRecentFile(0);
        QCOMPARE(h.editor().text(), QStringLiteral("unsaved"));

        h.t.prompts.answers << Prompts::Answer::No;
        h.docs().openRecentFile(1);
        QCOMPARE(h.t.prompts.messages(), QStringList{"The file does not exist."});
        QCOMPARE(h.editor().text(), QStringLiteral("unsaved"));

        h.t.prompts.answers << Prompts::Answer::No;
        h.docs().openRecentFile(0);
        QCOMPARE(h.docs().count(), 1);
        QCOMPARE(h.editor().text(), QStringLiteral("<HR>"));
        QVERIFY(h.docs().current().saved);
        QCOMPARE(h.t.ctx.settings.recentFiles[0], path); // opening does not reorder the list
    }

    void exportWritesUnixLineEnds() {
        WindowHarness h;
        const QString source = h.t.writeFile("e/dos.htm", "a\r\nb\r\n");
        QVERIFY(h.docs().openFile(source));
        const QString target = h.t.path("e/unix.htm");
        h.t.prompts.fileNames << target;
        h.docs().exportUnixFile();
        QCOMPARE(h.t.readFile(target), QByteArray("a\nb\n"));
        QCOMPARE(h.docs().current().fileName, source);
    }

    void backupsNeverReplaceAnOlderFile() {
        WindowHarness h;
        const QString page = h.t.writeFile("b/page.htm", "<P>");
        const QString older = h.t.writeFile("b/page.bak", "older backup");
        QVERIFY(h.docs().openFile(page));
        h.type("1");
        h.docs().backupCurrentDocument();
        h.docs().backupCurrentDocument(); // the second run reuses this run's own file
        QCOMPARE(h.t.readFile(older), QByteArray("older backup"));
        QCOMPARE(h.t.ctx.backupFiles.names(), QStringList{h.t.path("b/page~1.bak")});
        QCOMPARE(h.t.readFile(h.t.path("b/page~1.bak")), QByteArray("1<P>"));
    }

    void theCaretPositionShowsColumnThenLine() {
        WindowHarness h;
        h.type("first\nsecond\nthird");
        h.editor().setSelection(h.editor().lineStart(2) + 4, 0);
        QTest::keyClick(&h.editor(), Qt::Key_Shift); // a key release updates the status
        QCOMPARE(h.window().statusPanels()->positionText(), QStringLiteral("5:3"));
    }

    void insertTogglesTheModeIndicatorOnlyWithoutModifiers() {
        WindowHarness h;
        StatusPanels *status = h.window().statusPanels();
        QCOMPARE(status->modeText(), QStringLiteral("Insert"));
        QTest::keyClick(&h.editor(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(status->modeText(), QStringLiteral("Insert"));
        QTest::keyClick(&h.editor(), Qt::Key_Insert);
        QCOMPARE(status->modeText(), QStringLiteral("Overwrite"));
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
