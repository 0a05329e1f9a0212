#include "common/editorstyles.h"
#include "editor/colorcodingnotice.h"
#include "editor/sourceeditor.h"

#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

static void type(QWidget *w, const QString &text) {
    for (const QChar c : text) {
        const Qt::Key key = c == u'\n' ? Qt::Key_Return : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, w, key, c == u'\n' ? QStringLiteral("\r") : QString(c),
                            Qt::NoModifier);
    }
}

static QString lines(int count) {
    QStringList l;
    for (int i = 0; i < count; ++i)
        l << QStringLiteral("<p>line %1</p>").arg(i);
    return l.join(u'\n');
}

// A page long enough to be coloured in the background, with comments and tags over lines.
static QString largePage() {
    QStringList l;
    for (int i = 0; i < 30000; ++i) {
        if (i % 97 == 0)
            l << QStringLiteral("<!-- note %1").arg(i) << QStringLiteral("<b>old</b> -->");
        else if (i % 89 == 0)
            l << QStringLiteral("<td class=\"a\"") << QStringLiteral("  title=\"x\">cell</td>");
        else
            l << QStringLiteral("<p>line %1</p> text").arg(i);
    }
    return l.join(u'\n');
}


// Pixels of (nearly) the given pure colour in the painted editor.
static int pixelsOf(SourceEditor &ed, const QColor &colour) {
    const QImage image = ed.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) < 60 && qAbs(c.green() - colour.green()) < 60 &&
                qAbs(c.blue() - colour.blue()) < 60)
                ++count;
        }
    return count;
}

class TestSourceEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void colorCodeLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("whole document")
            << "<b>x\n<!-- <i> -->y" << 0 << 300000 << QByteArray("TTT..CCCCCCCCCCCC.");
        QTest::newRow("second line only") << "<b>\n<i>\n<u>" << 1 << 1 << QByteArray("....TTT....");
        QTest::newRow("range before the start") << "<b>\n<i>" << -1 << 0 << QByteArray("TTT....");
        QTest::newRow("empty document") << "" << 0 << 300000 << QByteArray("");
    }
    void colorCodeLines() {
        QFETCH(QString, text);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QByteArray, expected);
        SourceEditor ed;
        ed.sourceDocument().setText(text);
        ed.sourceDocument().colorCodeLines(first, last);
        QCOMPARE(styles(ed), expected);
        QCOMPARE(ed.selectionStart(), 0);
    }

    void colouringKeepsSelectionAndScroll() {
        SourceEditor ed;
        ed.resize(300, 120);
        ed.show();
        ed.sourceDocument().setText(lines(300));
        ed.setSelection(ed.sourceDocument().lineStart(150) + 2, 5);
        ed.setTopLine(140);
        const int top = ed.topLine();
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        QCOMPARE(ed.selectionStart(), ed.sourceDocument().lineStart(150) + 2);
        QCOMPARE(ed.selectionLength(), 5);
        QCOMPARE(ed.topLine(), top);
        QCOMPARE(ed.sourceDocument().styleAt(ed.sourceDocument().lineStart(299)), CharStyle::Tag);
    }

    // The status bar follows a caret that code moved, once, after the move is over.
    void caretMovedByCodeIsReported() {
        SourceEditor ed;
        ed.sourceDocument().setText(lines(20));
        QSignalSpy spy(&ed, &SourceEditor::caretPositionChanged);
        ed.setRow(12);
        ed.setCol(3);
        QTRY_COMPARE(spy.size(), 1);
        QCOMPARE(spy.first().at(1).toInt(), 12);
        QCOMPARE(spy.first().at(0).toInt(), 3);
    }

    void switchOffTurnsEverythingToText() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("<b>x</b>\n<!-- c -->"));
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        ed.sourceDocument().setColorCoding(false);
        ed.sourceDocument().colorCodeLines(1, 1);
        QCOMPARE(styles(ed), QByteArray(ed.sourceDocument().textLength(), '.'));
    }

    void longRangesShowTheNotice() {
        SourceEditor ed;
        ed.sourceDocument().setText(lines(200));
        ed.sourceDocument().colorCodeLines(10, 90);
        QVERIFY(!ed.findChild<ColorCodingNotice *>());
        ed.sourceDocument().colorCodeLines(10, 91);
        auto *notice = ed.findChild<ColorCodingNotice *>();
        QVERIFY(notice);
        QVERIFY(!notice->isVisible());
        auto *caption = notice->findChild<QLabel *>();
        QCOMPARE(caption->text(), QStringLiteral("Color Coding. Please wait..."));
        QVERIFY(caption->font().bold());
    }

    void redoColorCodingRange_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("expected");
        // "<a>\n<b>\n<c>\n<d>"
        QTest::newRow("no selection: all") << 5 << 0 << QByteArray("TTT.TTT.TTT.TTT");
        QTest::newRow("ends at a line start") << 4 << 4 << QByteArray("....TTT.TTT....");
        QTest::newRow("inside one line") << 9 << 1 << QByteArray("........TTT....");
    }
    void redoColorCodingRange() {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QByteArray, expected);
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("<a>\n<b>\n<c>\n<d>"));
        ed.setSelection(start, length);
        ed.redoColorCoding();
        QCOMPARE(styles(ed), expected);
    }

    void liveColouring_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("tag typed on an empty line") << "" << 0 << "<b>x" << QByteArray("TTT.");
        QTest::newRow("plain text") << "" << 0 << "ab" << QByteArray("..");
        QTest::newRow("letter after a tag") << "<b>" << 3 << "x" << QByteArray("TTT.");
        QTest::newRow("letter in front of a tag") << "<b>" << 0 << "y" << QByteArray(".TTT");
        QTest::newRow("inside a tag") << "<b>" << 2 << "i" << QByteArray("TTTT");
        QTest::newRow("comment opened by typing") << "" << 0 << "<!-- x" << QByteArray("CCCCCC");
        QTest::newRow("dash completing a comment opener")
            << "<!-" << 3 << "-" << QByteArray("CCCC");
        QTest::newRow("comment ends after its greater-than")
            << "" << 0 << "<!--a-->b" << QByteArray("CCCCCCCC.");
        // Enter is a typed character like any other.
        QTest::newRow("new line after a tag") << "<b>" << 3 << "\nx" << QByteArray("TTT..");
        QTest::newRow("text on the line after a tag")
            << "" << 0 << "<BODY>\nHello" << QByteArray("TTTTTT......");
        QTest::newRow("new line after a comment")
            << "<!--a-->" << 8 << "\nb" << QByteArray("CCCCCCCC..");
        QTest::newRow("new line inside a tag") << "<b>" << 2 << "\n" << QByteArray("TTTT");
    }
    void liveColouring() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);
        SourceEditor ed;
        ed.sourceDocument().setText(text);
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        ed.setSelection(caret, 0);
        type(&ed, typed);
        QCOMPARE(styles(ed), expected);
    }

    void typedEntities_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("convert");
        QTest::addColumn<QString>("expected");
        QTest::newRow("e acute") << "é" << true << "&eacute;";
        QTest::newRow("capital U umlaut") << "xÜ" << true << "x&Uuml;";
        QTest::newRow("multiplication sign stays") << "×" << true << "×";
        QTest::newRow("division sign stays") << "÷" << true << "÷";
        QTest::newRow("switched off") << "é" << false << "é";
    }
    void typedEntities() {
        QFETCH(QString, typed);
        QFETCH(bool, convert);
        QFETCH(QString, expected);
        SourceEditor ed;
        ed.setConvertExtendedCharacters(convert);
        type(&ed, typed);
        QCOMPARE(ed.sourceDocument().text(), expected);
        QCOMPARE(ed.selectionStart(), ed.sourceDocument().textLength());
    }

    void typedEntityReplacesSelectionAndUndoesInOneStep() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("abc"));
        ed.setSelection(1, 1);
        type(&ed, QStringLiteral("é"));
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("a&eacute;c"));
        ed.undo();
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("abc"));
    }

    void typedEntityInOverwriteMode() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("abc"));
        ed.setOverwriteMode(true);
        ed.setSelection(1, 0);
        type(&ed, QStringLiteral("é"));
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("a&eacute;c"));
    }

    void insertKey_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("toggles");
        QTest::newRow("alone") << int(Qt::NoModifier) << true;
        QTest::newRow("with shift") << int(Qt::ShiftModifier) << false;
        QTest::newRow("with control") << int(Qt::ControlModifier) << false;
        QTest::newRow("with alt") << int(Qt::AltModifier) << false;
    }
    void insertKey() {
        QFETCH(int, modifiers);
        QFETCH(bool, toggles);
        SourceEditor ed;
        QSignalSpy spy(&ed, &SourceEditor::overwriteModeToggled);
        QTest::keyClick(&ed, Qt::Key_Insert, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(ed.isOverwriteMode(), toggles);
        QCOMPARE(spy.size(), toggles ? 1 : 0);
        if (toggles)
            QCOMPARE(spy.at(0).at(0).toBool(), true);
    }

    void caretPositionFollowsTyping() {
        SourceEditor ed;
        QSignalSpy spy(&ed, &SourceEditor::caretPositionChanged);
        type(&ed, QStringLiteral("ab\nc"));
        QVERIFY(!spy.isEmpty());
        QCOMPARE(spy.last().at(0).toInt(), 1);
        QCOMPARE(spy.last().at(1).toInt(), 1);
    }

    void rowAndColClamp_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("expectedRow");
        QTest::addColumn<int>("expectedCol");
        QTest::newRow("inside") << 1 << 2 << 1 << 2;
        QTest::newRow("last line, end of line") << 300000 << 300000 << 2 << 4;
        QTest::newRow("negative") << -4 << -1 << 0 << 0;
        QTest::newRow("empty line") << 1 << 0 << 1 << 0;
        QTest::newRow("beyond a short line") << 0 << 50 << 0 << 1;
    }
    void rowAndColClamp() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, expectedRow);
        QFETCH(int, expectedCol);
        SourceEditor ed;
        ed.sourceDocument().setText(row == 1 && col == 0 ? QStringLiteral("a\n\nlast")
                                                : QStringLiteral("a\nbcd\nlast"));
        ed.setRow(row);
        ed.setCol(col);
        QCOMPARE(ed.row(), expectedRow);
        QCOMPARE(ed.col(), expectedCol);
        QCOMPARE(ed.selectionLength(), 0);
    }

    void endOfLineMeansTheEndOfLongLines() {
        SourceEditor ed;
        ed.sourceDocument().setText(QString(300005, u'x') + QStringLiteral("\nshort"));
        ed.setRow(0);
        ed.setCol(SourceEditor::EndOfLine);
        QCOMPARE(ed.col(), 300005);
    }

    void topLineClampsAndScrolls() {
        SourceEditor ed;
        ed.resize(300, 120);
        ed.show();
        ed.sourceDocument().setText(lines(100));
        ed.setTopLine(20);
        QCOMPARE(ed.topLine(), 20);
        ed.setTopLine(-3);
        QCOMPARE(ed.topLine(), 0);
        ed.setTopLine(300000);
        QVERIFY(ed.topLine() > 80);
    }

    void textKeepsCharactersAndCountsLineBreaksOnce() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("a\u00A0b\r\nc\rd"));
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("a\u00A0b\nc\nd"));
        ed.sourceDocument().replaceRange(0, 1, QStringLiteral("x\r\ny"));
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("x\ny\u00A0b\nc\nd"));
        QCOMPARE(ed.sourceDocument().textLength(), int(ed.sourceDocument().text().size()));
        QCOMPARE(ed.sourceDocument().lineCount(), 4);
        QCOMPARE(ed.sourceDocument().lineText(1), QStringLiteral("y\u00A0b"));
        ed.setSelection(3, 4);
        QCOMPARE(ed.selectedText(), QStringLiteral("\u00A0b\nc"));
    }

    void loadingClearsUndo() {
        SourceEditor ed;
        ed.sourceDocument().replaceRange(0, 0, QStringLiteral("typed"));
        ed.sourceDocument().setText(QStringLiteral("loaded"));
        QVERIFY(!ed.document()->isUndoAvailable());
        QCOMPARE(ed.selectionStart(), 0);
    }

    void findIsACaseInsensitiveRangeSearch() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("Grüße GRÜSSE"));
        QCOMPARE(ed.sourceDocument().find(QStringLiteral("ÜSS"), 0, 12), 8);
        QCOMPARE(ed.sourceDocument().find(QStringLiteral("grü"), 1, 12), 6);
        QCOMPARE(ed.sourceDocument().find(QStringLiteral("sse"), 0, 11), -1);
    }

    void pasteInsertsPlainText() {
        // insertFromMimeData is what paste and drop go through.
        struct PasteProbe : SourceEditor {
            using SourceEditor::insertFromMimeData;
        } ed;
        QMimeData data;
        data.setHtml(QStringLiteral("<b>bold</b>"));
        data.setText(QStringLiteral("plain\r\ntext"));
        ed.insertFromMimeData(&data);
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("plain\ntext"));
        QCOMPARE(ed.sourceDocument().textLength(), 10);
    }

    void replaceRangeKeepsStylesAround() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("<b>x</b>"));
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        ed.sourceDocument().replaceRange(3, 1, QStringLiteral("yy"));
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("<b>yy</b>"));
        QCOMPARE(styles(ed), QByteArray("TTT..TTTT"));
        ed.undo();
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("<b>x</b>"));
    }

    void undoRecoloursWhatItRestores() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("a<b>c</b>d"));
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        TextEdits edits{{1, 3, QString()}, {5, 4, QString()}};
        ed.sourceDocument().applyEdits(edits);
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("acd"));
        QCOMPARE(styles(ed), QByteArray("..."));
        ed.undo();
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("a<b>c</b>d"));
        QCOMPARE(styles(ed), QByteArray(".TTT.TTTT."));
        ed.redo();
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("acd"));
    }

    void editGroupIsOneUndoStep() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("middle"));
        ed.sourceDocument().colorCodeLines(0, 0);
        ed.sourceDocument().beginEditGroup();
        ed.sourceDocument().replaceRange(0, 0, QStringLiteral("<b>"));
        ed.sourceDocument().replaceRange(ed.sourceDocument().textLength(), 0, QStringLiteral("</b>"));
        ed.sourceDocument().colorCodeLines(0, 0); // runs when the group ends
        ed.sourceDocument().endEditGroup();
        QCOMPARE(styles(ed), QByteArray("TTT......TTTT"));
        ed.undo();
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("middle"));
    }

    void colouringIsNotAnEdit() {
        SourceEditor ed;
        ed.resize(300, 200);
        ed.sourceDocument().setText(QStringLiteral("<b>x</b>\n<i>y</i>\n<!-- z -->"));
        QSignalSpy changes(&ed, &QPlainTextEdit::textChanged);
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        ed.grab();
        ed.setColors(Qt::red, Qt::black, Qt::green, Qt::white);
        ed.grab();
        QCOMPARE(changes.size(), 0);
        QVERIFY(!ed.document()->isModified());
        QVERIFY(!ed.document()->isUndoAvailable());
    }

    void paintsTagsInTheTagColour() {
        SourceEditor ed;
        ed.resize(400, 200);
        ed.setEditorFont(QStringLiteral("DejaVu Sans Mono"), 20);
        ed.setColors(QColor(255, 0, 0), QColor(0, 0, 0), QColor(0, 255, 0), QColor(255, 255, 255));
        ed.sourceDocument().setText(QStringLiteral("<BBBB> text\n<!-- MMMM -->"));
        QCOMPARE(pixelsOf(ed, Qt::red), 0);
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        QVERIFY(pixelsOf(ed, Qt::red) > 20);
        QVERIFY(pixelsOf(ed, Qt::green) > 20);
        type(&ed, QStringLiteral("<WWW"));
        const int afterTyping = pixelsOf(ed, Qt::red);
        ed.sourceDocument().setColorCoding(false);
        ed.sourceDocument().colorCodeLines(0, 0);
        QCOMPARE(pixelsOf(ed, Qt::red), 0);
        QVERIFY(afterTyping > 20);
    }

    // Whatever happens while a long colouring runs, the end is what one pass would give.
    void backgroundColouring_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("left alone") << "none";
        QTest::newRow("typing where it has not been yet") << "type";
        QTest::newRow("typing where it has been") << "type early";
        QTest::newRow("recolouring meanwhile") << "recolour";
        QTest::newRow("undo meanwhile") << "undo";
    }
    void backgroundColouring() {
        QFETCH(QString, action);
        SourceEditor ed;
        ed.resize(500, 300);
        ed.sourceDocument().setText(largePage());
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        QVERIFY(ed.sourceDocument().isColoringInBackground());
        const QString loaded = ed.sourceDocument().text();
        if (action == QLatin1String("type")) {
            // A "<" turns the rest of its line into a tag, which live colouring alone would not.
            ed.setSelection(ed.sourceDocument().lineStart(20000) + 3, 0);
            type(&ed, QStringLiteral("<q"));
        } else if (action == QLatin1String("type early")) {
            ed.grab(); // colours the first screen
            ed.setSelection(ed.sourceDocument().lineStart(2) + 3, 0);
            type(&ed, QStringLiteral("<i>q</i>"));
        } else if (action == QLatin1String("recolour")) {
            QTest::qWait(5);
            ed.setSelection(0, 0);
            ed.redoColorCoding();
        } else if (action == QLatin1String("undo")) {
            ed.sourceDocument().replaceRange(ed.sourceDocument().lineStart(25000), 0, QStringLiteral("<b>"));
            ed.undo();
            QCOMPARE(ed.sourceDocument().text(), loaded);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!ed.sourceDocument().isColoringInBackground(), 20000);
        QCOMPARE(styles(ed), fullPass(ed.sourceDocument().text()));
    }

    void shownLinesAreColouredFirst() {
        SourceEditor ed;
        ed.resize(500, 300);
        ed.sourceDocument().setText(largePage());
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        ed.setTopLine(29000);
        ed.grab();
        QVERIFY(ed.sourceDocument().isColoringInBackground());
        const int from = ed.sourceDocument().lineStart(ed.topLine());
        const int to = ed.sourceDocument().lineStart(ed.topLine() + 10);
        QCOMPARE(styles(ed).mid(from, to - from), fullPass(ed.sourceDocument().text()).mid(from, to - from));
        // The text is whole at any moment: what a save writes.
        QCOMPARE(ed.sourceDocument().text(), largePage());
    }

    void closingWhileColouring() {
        auto *ed = new SourceEditor;
        ed->sourceDocument().setText(largePage());
        ed->sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        QVERIFY(ed->sourceDocument().isColoringInBackground());
        delete ed;
        QTest::qWait(20); // the next slice must not find the editor gone
    }
};

QTEST_MAIN(TestSourceEditor)
#include "tst_sourceeditor.moc"
