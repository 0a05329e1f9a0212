// A large page opens with its first part and loads the rest in the background: whatever the user
// or a command does meanwhile, the text, the colours and the history end as after a whole load.
#include "common/editorstyles.h"
#include "common/mixedpage.h"
#include "common/windowharness.h"
#include "editor/sourceeditor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

class TestBackgroundLoading : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void whateverHappensMeanwhileTheEndIsAWholeLoad_data();
    void whateverHappensMeanwhileTheEndIsAWholeLoad();
    void aNewLoadReplacesOneStillRunning();
    void aLargePageOpenedInTheWindowIsColouredToItsEnd_data();
    void aLargePageOpenedInTheWindowIsColouredToItsEnd();
};

static QString page() {
    return mixedPage(600000);
}


static void waitForAll(SourceEditor &ed) {
    QTRY_VERIFY_WITH_TIMEOUT(!ed.sourceDocument().isLoading() && !ed.sourceDocument().isColoringInBackground(), 30000);
}

void TestBackgroundLoading::whateverHappensMeanwhileTheEndIsAWholeLoad_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("left alone") << "none";
    QTest::newRow("moving about the first part") << "move";
    QTest::newRow("typing") << "type";
    QTest::newRow("a command reads the text") << "text";
    QTest::newRow("select all and copy") << "copy";
    QTest::newRow("going to a line not yet in") << "row";
    QTest::newRow("scrolling to the end") << "scroll";
}

void TestBackgroundLoading::whateverHappensMeanwhileTheEndIsAWholeLoad() {
    QFETCH(QString, action);
    const QString text = page();
    SourceEditor ed;
    ed.resize(600, 400);
    ed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ed));
    ed.sourceDocument().setBackgroundLoading(100000, 20000);
    ed.sourceDocument().setText(text);
    ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
    QScrollBar *bar = ed.verticalScrollBar();
    const int range = bar->maximum(); // the whole page's from the start
    QSignalSpy modified(ed.document(), &QTextDocument::modificationChanged);
    QSignalSpy changed(&ed, &QPlainTextEdit::textChanged);
    QVERIFY(ed.sourceDocument().isLoading());
    ed.grab(); // the first screen, coloured without waiting for the rest
    qsizetype shown = 0; // the first 15 lines, well within the screen
    for (int line = 0; line < 15; ++line)
        shown = text.indexOf(u'\n', shown) + 1;
    QCOMPARE(styles(ed, shown), fullPass(text).left(shown));
    QVERIFY(ed.sourceDocument().isLoading());
    QString expected = text;
    if (action == QLatin1String("move")) {
        for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_Down, Qt::Key_End, Qt::Key_PageUp})
            QTest::keyClick(&ed, key);
        QVERIFY(ed.sourceDocument().isLoading());
        QVERIFY(ed.row() > 0);
    } else if (action == QLatin1String("type")) {
        QTest::keyClicks(&ed, QStringLiteral("xy"));
        QVERIFY(!ed.sourceDocument().isLoading());
        expected.prepend(QStringLiteral("xy"));
    } else if (action == QLatin1String("text")) {
        QCOMPARE(ed.sourceDocument().text(), text);
    } else if (action == QLatin1String("copy")) {
        QTest::keyClick(&ed, Qt::Key_A, Qt::ControlModifier);
        ed.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
    } else if (action == QLatin1String("row")) {
        const int line = int(text.count(u'\n')) * 3 / 4;
        ed.setRow(line);
        QCOMPARE(ed.row(), line);
    } else if (action == QLatin1String("scroll")) {
        bar->setValue(range);
        QVERIFY(!ed.sourceDocument().isLoading());
        QVERIFY(ed.topLine() > ed.sourceDocument().lineCount() - 100); // the end of the page, not its top
    }
    waitForAll(ed);
    QCOMPARE(ed.sourceDocument().text(), expected);
    QCOMPARE(styles(ed), fullPass(expected));
    QCOMPARE(ed.sourceDocument().lineCount(), int(expected.count(u'\n')) + 1);
    // The same but for a line of the last screenful, which may be partly shown.
    QVERIFY(qAbs(bar->maximum() - range) <= 1);
    QVERIFY(ed.sourceDocument().breakMarksConsistent());
    // Loading is no change: nothing to undo but what was typed, never modified by itself.
    if (action == QLatin1String("type")) {
        ed.undo();
        QCOMPARE(ed.sourceDocument().text(), text);
    } else {
        QVERIFY(modified.isEmpty());
        QVERIFY(changed.isEmpty());
    }
    QVERIFY(!ed.document()->isUndoAvailable());
}

void TestBackgroundLoading::aNewLoadReplacesOneStillRunning() {
    SourceEditor ed;
    ed.sourceDocument().setBackgroundLoading(100000, 20000);
    ed.sourceDocument().setText(page());
    ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
    QVERIFY(ed.sourceDocument().isLoading());
    ed.sourceDocument().setText(QStringLiteral("<p>small</p>"));
    QVERIFY(!ed.sourceDocument().isLoading());
    QTest::qWait(30);
    QCOMPARE(ed.sourceDocument().text(), QStringLiteral("<p>small</p>"));
    // Going away while loading leaves nothing behind that runs later.
    auto *other = new SourceEditor;
    other->sourceDocument().setBackgroundLoading(100000, 20000);
    other->sourceDocument().setText(page());
    other->sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
    QVERIFY(other->sourceDocument().isLoading());
    delete other;
    QTest::qWait(30);
}

void TestBackgroundLoading::aLargePageOpenedInTheWindowIsColouredToItsEnd_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("left alone") << "none";
    QTest::newRow("paging down") << "page";
    QTest::newRow("Ctrl+End") << "end";
    QTest::newRow("typing and saving") << "save";
    QTest::newRow("another tab in front") << "tab";
    QTest::newRow("Redo Color Coding") << "recolour";
}

void TestBackgroundLoading::aLargePageOpenedInTheWindowIsColouredToItsEnd() {
    // Opened as the window opens a file, over the size that loads in the background, and left to
    // the event loop: nothing here finishes the loading or the colouring.
    QFETCH(QString, action);
    WindowHarness h;
    const QString text = mixedPage(SourceDocument::BackgroundLoadingCharacters + 100000);
    const QString path = h.t.writeFile(QStringLiteral("big.htm"), text.toUtf8());
    QVERIFY(h.files().openFile(path));
    SourceEditor &ed = h.editor();
    const int tab = h.docs().currentIndex();
    QVERIFY(ed.sourceDocument().isLoading());
    h.window().activateWindow();
    ed.setFocus();
    QString expected = text;
    if (action == QLatin1String("page")) {
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(&ed, Qt::Key_PageDown);
    } else if (action == QLatin1String("end")) {
        QTest::keyClick(&ed, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(ed.row(), ed.sourceDocument().lineCount() - 1);
    } else if (action == QLatin1String("save")) {
        QTest::keyClicks(&ed, QStringLiteral("xy"));
        QTest::keyClick(&ed, Qt::Key_S, Qt::ControlModifier);
        expected.prepend(QStringLiteral("xy"));
        QVERIFY(!h.docs().current().isModified());
    } else if (action == QLatin1String("tab")) {
        QTest::keyClick(&ed, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(h.docs().currentIndex() != tab);
        QTest::qWait(200);
    } else if (action == QLatin1String("recolour")) {
        QTest::qWait(100);
        QTest::keyClick(&ed, Qt::Key_F3, Qt::ShiftModifier);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!ed.sourceDocument().isLoading() && !ed.sourceDocument().isColoringInBackground(), 60000);
    h.docs().setCurrentIndex(tab);
    QCOMPARE(ed.sourceDocument().text(), expected);
    const QByteArray want = fullPass(expected);
    const QByteArray got = styles(ed);
    for (const int line : {0, ed.sourceDocument().lineCount() / 2, ed.sourceDocument().lineCount() - 2}) {
        const int start = ed.sourceDocument().lineStart(line);
        QCOMPARE(got.mid(start, ed.sourceDocument().lineLength(line)), want.mid(start, ed.sourceDocument().lineLength(line)));
    }
    QVERIFY(got == want);
}

QTEST_MAIN(TestBackgroundLoading)
#include "tst_backgroundloading.moc"
