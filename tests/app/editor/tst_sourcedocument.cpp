// A document without any view: loading (at once and in the background), edits in text positions
// across the pieces of long lines, colouring, undo, and the file state after a save, as the
// commands, the journal and the preview see the model.
#include "common/editorstyles.h"
#include "documents/documentfile.h"
#include "editor/sourcedocument.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestSourceDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editColourAndUndoWithoutAView_data();
    void editColourAndUndoWithoutAView();
    void anEditGroupReportsOneChange_data();
    void anEditGroupReportsOneChange();
    void savedTextIsWhereUndoClearsTheMark();
    void changeReportsRebuildTheText_data();
    void changeReportsRebuildTheText();
};

void TestSourceDocument::editColourAndUndoWithoutAView_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("longLine");   // lines longer than this are held in pieces (0: never)
    QTest::addColumn<int>("background"); // pages longer than this load in the background (0: never)
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("removed");
    QTest::addColumn<QString>("inserted");

    QTest::newRow("tag typed into text")
        << QStringLiteral("<p>one</p>\ntwo\n") << 0 << 0 << 11 << 0 << QStringLiteral("<b>");
    QTest::newRow("comment opened before a tag")
        << QStringLiteral("a <b>x</b>\nz\n") << 0 << 0 << 2 << 0 << QStringLiteral("<!-- ");
    QTest::newRow("line break replaced")
        << QStringLiteral("<p>\n</p>\n") << 0 << 0 << 3 << 1 << QStringLiteral(" ");
    QTest::newRow("edit across the soft break of a long line")
        << QString(QString(40, u'x') + QStringLiteral("<i>y</i>\nend")) << 16 << 0 << 14 << 4
        << QStringLiteral("<u>\n");
    QString large;
    for (int i = 0; i < 3000; ++i)
        large += QStringLiteral("<p class=\"n%1\">line %1</p>\n").arg(i);
    QTest::newRow("large page loaded and coloured in the background")
        << large << 0 << 4096 << 100 << 3 << QStringLiteral("<!-- -->");
}

void TestSourceDocument::editColourAndUndoWithoutAView() {
    QFETCH(QString, page);
    QFETCH(int, longLine);
    QFETCH(int, background);
    QFETCH(int, at);
    QFETCH(int, removed);
    QFETCH(QString, inserted);

    SourceDocument doc;
    if (longLine > 0)
        doc.setLongLineLimits(longLine, longLine / 2);
    if (background > 0)
        doc.setBackgroundLoading(background, background / 4);
    doc.setText(page, true);
    // Nothing but the event loop drives the rest of the load and the colouring.
    QTRY_VERIFY(!doc.isLoading() && !doc.isColoringInBackground());
    QCOMPARE(doc.text(), page);
    QCOMPARE(styles(doc), fullPass(page));
    QVERIFY(!doc.isModified());

    QSignalSpy changes(&doc, &SourceDocument::textChanged);
    QSignalSpy state(&doc, &SourceDocument::fileStateChanged);
    doc.replaceRange(at, removed, inserted);
    const QString edited = QString(page).replace(at, removed, inserted);
    QCOMPARE(doc.text(), edited);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.at(0), (QVariantList{at, removed, int(inserted.size())}));
    QCOMPARE(state.size(), 1);
    QVERIFY(doc.isModified());
    doc.colorCodeLines(0, SourceDocument::LastLine);
    QCOMPARE(styles(doc), fullPass(edited));
    QVERIFY(doc.breakMarksConsistent());

    doc.undo();
    QCOMPARE(doc.text(), page);
    QCOMPARE(styles(doc), fullPass(page));
    QVERIFY(!doc.isModified());
    QVERIFY(doc.breakMarksConsistent());
    doc.redo();
    QCOMPARE(doc.text(), edited);
    QCOMPARE(styles(doc), fullPass(edited));
}

void TestSourceDocument::anEditGroupReportsOneChange_data() {
    // Replacements made in one group, each "position:length:text" in the text as it then is.
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("apart, back to front") << QStringList{"10:2:XY", "2:1:"};
    QTest::newRow("apart, front to back") << QStringList{"2:0:abc", "12:3:Z"};
    QTest::newRow("over the earlier one") << QStringList{"4:4:", "2:6:QQ"};
    QTest::newRow("inside the earlier one") << QStringList{"3:0:a longer text", "5:3:-"};
    QTest::newRow("reaching into it from before") << QStringList{"8:2:##", "5:4:"};
    QTest::newRow("line breaks") << QStringList{"1:0:\n\n", "6:1:\n"};
}

void TestSourceDocument::anEditGroupReportsOneChange() {
    QFETCH(QStringList, steps);
    const QString page = QStringLiteral("0123456789\nabcdef\n");
    SourceDocument doc;
    doc.setText(page);
    QSignalSpy changes(&doc, &SourceDocument::textChanged);
    doc.beginEditGroup();
    for (const QString &step : steps) {
        const QStringList part = step.split(u':');
        doc.replaceRange(part[0].toInt(), part[1].toInt(), part[2]);
    }
    QVERIFY(changes.isEmpty());
    doc.endEditGroup();
    // Listeners that keep a copy of the text (the journal, the preview) stay in step with it.
    QCOMPARE(changes.size(), 1);
    const int at = changes.at(0).at(0).toInt();
    const int removed = changes.at(0).at(1).toInt();
    const int added = changes.at(0).at(2).toInt();
    QCOMPARE(QString(page).replace(at, removed, doc.textRange(at, added)), doc.text());
}

void TestSourceDocument::savedTextIsWhereUndoClearsTheMark() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    SourceDocument doc;
    doc.setText(QStringLiteral("<p>a</p>\n"), true);
    doc.replaceRange(0, 0, QStringLiteral("x"));
    QVERIFY(doc.isModified());
    QCOMPARE(doc.lastSave(), NeverSavedText);

    QSignalSpy state(&doc, &SourceDocument::fileStateChanged);
    QString error;
    QVERIFY(saveDocumentFile(path, doc.text(), doc.format(), &error));
    doc.markInStepWithFile(path);
    QVERIFY(!state.isEmpty());
    QVERIFY(!doc.isModified());
    QCOMPARE(doc.fileName(), path);
    QVERIFY(doc.lastSave() != NeverSavedText);
    QVERIFY(doc.diskStamp().exists);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("x<p>a</p>\n"));

    doc.replaceRange(1, 0, QStringLiteral("y"));
    QVERIFY(doc.isModified());
    doc.undo();
    QVERIFY(!doc.isModified()); // the text as saved
    doc.undo();
    QCOMPARE(doc.text(), QStringLiteral("<p>a</p>\n"));
    QVERIFY(doc.isModified()); // older than the file
}

void TestSourceDocument::changeReportsRebuildTheText_data() {
    QTest::addColumn<int>("longLine"); // lines longer than this are held in pieces (0: never)
    QTest::addColumn<quint32>("seed");
    QTest::newRow("short lines") << 0 << 1u;
    QTest::newRow("long lines in pieces") << 12 << 2u;
    QTest::newRow("long lines in pieces, other edits") << 7 << 3u;
}

// The journal and the preview keep their copy of the text from textChanged and textReplaced
// alone: whatever edits, edit groups, undo and redo do, the copy stays the text.
void TestSourceDocument::changeReportsRebuildTheText() {
    QFETCH(int, longLine);
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    SourceDocument doc;
    if (longLine > 0)
        doc.setLongLineLimits(longLine, longLine / 2);
    QString page;
    for (int i = 0; i < 12; ++i)
        page += QString(rng.bounded(40), QChar(u'a' + i)) + QStringLiteral("<b>x</b>\n");
    doc.setText(page, true);
    QString copy = doc.text();
    connect(&doc, &SourceDocument::textChanged, this, [&](int at, int removed, int added) {
        copy.replace(at, removed, doc.textRange(at, added));
    });
    connect(&doc, &SourceDocument::textReplaced, this, [&] { copy = doc.text(); });
    const QStringList inserts = {QStringLiteral("Q"), QStringLiteral("<i>\n"),
                                 QStringLiteral("\n\n"), QString(30, u'z'), QString()};
    for (int step = 0; step < 300; ++step) {
        const int length = doc.textLength();
        const int at = int(rng.bounded(length + 1));
        const int removed = int(rng.bounded(qMin(25, length - at) + 1));
        const QString text = inserts[int(rng.bounded(int(inserts.size())))];
        switch (rng.bounded(5)) {
        case 0:
        case 1:
            doc.replaceRange(at, removed, text);
            break;
        case 2: {
            doc.beginEditGroup();
            doc.replaceRange(at, removed, text);
            const int second = int(rng.bounded(doc.textLength() + 1));
            doc.replaceRange(second, qMin(3, doc.textLength() - second), text);
            doc.endEditGroup();
            break;
        }
        case 3:
            doc.undo();
            break;
        default:
            doc.redo();
        }
        QCOMPARE(copy, doc.text());
        QVERIFY(doc.breakMarksConsistent());
    }
}

QTEST_MAIN(TestSourceDocument)
#include "tst_sourcedocument.moc"
