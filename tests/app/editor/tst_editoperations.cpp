#include "common/editorstyles.h"
#include "editor/editoperations.h"
#include "editor/sourceeditor.h"
#include "shell/appcontext.h"

#include <QtTest>

static void typeText(QWidget *w, const QString &text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

static QString numberedLines(int count, int wordsAfter = 0) {
    QStringList l;
    for (int i = 1; i <= count; ++i)
        l << QStringLiteral("line %1").arg(i) + QStringLiteral(" word").repeated(wordsAfter);
    return l.join(u'\n');
}

class TestEditOperations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wrap_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("convertSlash");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("caret");
        QTest::newRow("empty selection") << "" << 0 << 0 << "<B>"
                                         << "</B>" << false << "<B></B>" << 3;
        QTest::newRow("selected letter") << "x" << 0 << 1 << "<B>"
                                         << "</B>" << false << "<B>x</B>" << 8;
        QTest::newRow("start text only") << "ab" << 1 << 0 << "<BR>"
                                         << "" << false << "a<BR>b" << 5;
        QTest::newRow("unused slot") << "ab" << 1 << 0 << "[empty]"
                                     << "x" << true << "ab" << 1;
        QTest::newRow("slashes converted in the texts only")
            << "c\\d" << 0 << 3 << "<A HREF=\"a\\b.htm\">"
            << "<\\A>" << true << "<A HREF=\"a/b.htm\">c\\d</A>" << 25;
        QTest::newRow("slashes kept") << "" << 0 << 0 << "<IMG SRC=\"a\\b.gif\">"
                                      << "" << false << "<IMG SRC=\"a\\b.gif\">" << 19;
        QTest::newRow("multi-line texts") << "x" << 0 << 1 << "<UL>\n<LI>"
                                          << "\n</UL>" << false << "<UL>\n<LI>x\n</UL>" << 16;
        QTest::newRow("caret between multi-line texts")
            << "" << 0 << 0 << "<UL>\n"
            << "\n</UL>" << false << "<UL>\n\n</UL>" << 5;
    }
    void wrap() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, convertSlash);
        QFETCH(QString, expected);
        QFETCH(int, caret);
        SourceEditor ed;
        ed.sourceDocument().setText(text);
        ed.setSelection(start, length);
        wrapSelection(ed, before, after, convertSlash);
        QCOMPARE(ed.sourceDocument().text(), expected);
        QCOMPARE(ed.selectionStart(), caret);
        QCOMPARE(ed.selectionLength(), 0);
        ed.undo();
        QCOMPARE(ed.sourceDocument().text(), text);
    }

    // Typing before and after a command never joins the command's undo step.
    void commandIsItsOwnUndoStep_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("afterCommand");
        QTest::newRow("wrap of a selection") << "wrap" << 3 << "ab<U>abc</U>";
        QTest::newRow("wrap at the caret") << "wrap" << 0 << "ab<U></U>";
        QTest::newRow("dialog insertion") << "pending" << 0 << "ab<IMG>";
        QTest::newRow("typed entity") << "entity" << 0 << "ab&eacute;";
    }
    void commandIsItsOwnUndoStep() {
        QFETCH(QString, command);
        QFETCH(int, selected);
        QFETCH(QString, afterCommand);
        SourceEditor ed;
        ed.sourceDocument().setText(QString());
        typeText(&ed, selected ? QStringLiteral("ababc") : QStringLiteral("ab"));
        ed.setSelection(2, selected);
        if (command == QLatin1String("wrap")) {
            wrapSelection(ed, QStringLiteral("<U>"), QStringLiteral("</U>"), false);
        } else if (command == QLatin1String("pending")) {
            PendingInsertion p;
            p.startText = QStringLiteral("<IMG>");
            p.pending = true;
            applyPendingInsertion(ed, p, false);
        } else {
            typeText(&ed, QStringLiteral("é"));
        }
        QCOMPARE(ed.sourceDocument().text(), afterCommand);
        ed.setSelection(ed.sourceDocument().textLength(), 0);
        typeText(&ed, QStringLiteral("Q"));
        ed.undo();
        QCOMPARE(ed.sourceDocument().text(), afterCommand);
        ed.undo();
        QCOMPARE(ed.sourceDocument().text(),
                 selected ? QStringLiteral("ababc") : QStringLiteral("ab"));
    }

    void wrapColoursTheTouchedLines() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("a\nb\nc\nd"));
        ed.setSelection(4, 1);
        wrapSelection(ed, QStringLiteral("<B>"), QStringLiteral("</B>"), true);
        QCOMPARE(styles(ed), QByteArray("....TTT.TTTT.."));
    }

    void pendingInsertion() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("x"));
        ed.setSelection(1, 0);
        PendingInsertion p;
        applyPendingInsertion(ed, p, true);
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("x"));
        p.startText = QStringLiteral("<IMG SRC=\"a\\b.gif\">");
        p.pending = true;
        applyPendingInsertion(ed, p, true);
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("x<IMG SRC=\"a/b.gif\">"));
        QVERIFY(!p.pending);
        QVERIFY(p.startText.isEmpty());
        QCOMPARE(styles(ed), QByteArray(".TTTTTTTTTTTTTTTTTTT"));
    }

    void pendingBlock_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caretLine");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::newRow("table below the caret's line")
            << "first\nlast" << 0 << QStringList{"<TABLE>", "</TABLE>", "\\end", "0501"}
            << "first\n<TABLE>\n</TABLE>\nlast\n " << 2 << 5;
        QTest::newRow("caret on the last line")
            << "only" << 0 << QStringList{"<P>", "\\end", "0001"} << "only\n<P>\n " << 1 << 0;
        QTest::newRow("column beyond the line")
            << "a" << 0 << QStringList{"<B>", "\\end", "9901"} << "a\n<B>\n " << 1 << 3;
    }
    void pendingBlock() {
        QFETCH(QString, text);
        QFETCH(int, caretLine);
        QFETCH(QStringList, entries);
        QFETCH(QString, expected);
        QFETCH(int, row);
        QFETCH(int, col);
        SourceEditor ed;
        ed.sourceDocument().setText(text);
        ed.setRow(caretLine);
        PendingBlock block;
        block.lines = entries;
        block.pending = true;
        applyPendingBlock(ed, block);
        QVERIFY(!block.pending);
        QCOMPARE(ed.sourceDocument().text(), expected);
        QCOMPARE(ed.row(), row);
        QCOMPARE(ed.col(), col);
        ed.undo();
        QCOMPARE(ed.sourceDocument().text(), text);
    }

    void pendingBlockColoursItsLines() {
        SourceEditor ed;
        ed.sourceDocument().setText(QStringLiteral("x"));
        PendingBlock block;
        block.lines = {"<TABLE>", "</TABLE>", "\\end", "0501"};
        block.pending = true;
        applyPendingBlock(ed, block);
        QCOMPARE(styles(ed), QByteArray("..TTTTTTT.TTTTTTTT.."));
    }

    void indentation_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("indent");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::newRow("selection ending at a line start")
            << "ab\ncd\nef" << 1 << 5 << true << "\tab\n\tcd\n\tef" << 0 << 1;
        QTest::newRow("caret only: its line")
            << "ab\ncd\nef" << 4 << 0 << true << "ab\n\tcd\nef" << 1 << 1;
        QTest::newRow("one character: caret's line")
            << "ab\ncd" << 1 << 1 << true << "\tab\ncd" << 0 << 1;
        QTest::newRow("two characters over a line break")
            << "ab\ncd" << 2 << 2 << true << "\tab\n\tcd" << 0 << 2;
        QTest::newRow("empty line indented too")
            << "a\n\nb" << 0 << 4 << true << "\ta\n\t\n\tb" << 0 << 0;
        QTest::newRow("unindent") << "\ta\n b\n\t\tc" << 0 << 9 << false << "a\n b\n\tc" << 0 << 0;
        QTest::newRow("unindent on an empty caret line does nothing")
            << "\ta\n\n\tb" << 3 << 3 << false << "\ta\n\n\tb" << 1 << 0;
    }
    void indentation() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(bool, indent);
        QFETCH(QString, expected);
        QFETCH(int, row);
        QFETCH(int, col);
        SourceEditor ed;
        ed.sourceDocument().setText(text);
        ed.setSelection(start, length);
        if (indent)
            indentLines(ed);
        else
            unindentLines(ed);
        QCOMPARE(ed.sourceDocument().text(), expected);
        QCOMPARE(ed.row(), row);
        QCOMPARE(ed.col(), col);
        if (expected != text) {
            ed.undo();
            QCOMPARE(ed.sourceDocument().text(), text);
        }
    }

    void stripAllTags_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("count");
        QTest::newRow("tags") << "a<b>c</b>d"
                              << "acd" << 2;
        QTest::newRow("lone less-than") << "a < b"
                                        << "a < b" << 0;
        QTest::newRow("over lines") << "<p>\nx</p>"
                                    << "\nx" << 2;
    }
    void stripAllTags() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(int, count);
        SourceEditor ed;
        ed.sourceDocument().setText(text);
        ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        QCOMPARE(::stripAllTags(ed), count);
        QCOMPARE(ed.sourceDocument().text(), expected);
        QCOMPARE(styles(ed), QByteArray(expected.size(), '.'));
        if (count > 0) {
            ed.undo();
            QCOMPARE(ed.sourceDocument().text(), text);
        }
    }

    void convertText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("latin1");
        QTest::addColumn<int>("slashes");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("count");
        using L = TextConversionOptions::Latin1;
        using S = TextConversionOptions::Slashes;
        QTest::newRow("entities to characters")
            << "<P>&Eacute;t&eacute; &amp;</P>" << int(L::FromEntities) << int(S::NoChange)
            << "<P>Été &amp;</P>" << 2;
        QTest::newRow("characters to entities")
            << "Été ×" << int(L::ToEntities) << int(S::NoChange) << "&Eacute;t&eacute; ×" << 2;
        QTest::newRow("slashes to backslashes")
            << "<A HREF=\"a/b\">x</A>" << int(L::NoChange) << int(S::SlashToBackslash)
            << "<A HREF=\"a\\b\">x</A>" << 1;
        QTest::newRow("nothing to convert")
            << "plain" << int(L::FromEntities) << int(S::BackslashToSlash) << "plain" << 0;
    }
    void convertText() {
        QFETCH(QString, text);
        QFETCH(int, latin1);
        QFETCH(int, slashes);
        QFETCH(QString, expected);
        QFETCH(int, count);
        SourceEditor ed;
        ed.sourceDocument().setText(text);
        ed.setSelection(2, 3);
        TextConversionOptions o;
        o.latin1 = TextConversionOptions::Latin1(latin1);
        o.slashes = TextConversionOptions::Slashes(slashes);
        QCOMPARE(::convertText(ed, o), count);
        QCOMPARE(ed.sourceDocument().text(), expected);
        QCOMPARE(ed.selectionStart(), 2);
        QCOMPARE(ed.sourceDocument().styleAt(0),
                 expected.startsWith(u'<') ? CharStyle::Tag : CharStyle::Text);
        if (count > 0) {
            ed.undo();
            QCOMPARE(ed.sourceDocument().text(), text);
        }
    }

    void findNext_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("hit"); // -1: not found, selection unchanged
        QTest::newRow("first character") << "abc" << 0 << 0 << "a" << 0;
        QTest::newRow("last character") << "abc" << 0 << 0 << "C" << 2;
        QTest::newRow("inside a word, other case") << "the WORDS" << 0 << 0 << "ord" << 5;
        QTest::newRow("from the selection start") << "xa xa" << 2 << 1 << "xa" << 3;
        QTest::newRow("behind the selected hit") << "xa xa" << 0 << 2 << "XA" << 3;
        QTest::newRow("after the last hit") << "xa xa" << 3 << 2 << "xa" << -1;
        QTest::newRow("not there") << "abc" << 1 << 1 << "z" << -1;
        QTest::newRow("line end pasted as CR LF") << "one\ntwo" << 0 << 0 << "e\r\nT" << 2;
    }
    void findNext() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, needle);
        QFETCH(int, hit);
        SourceEditor ed;
        ed.sourceDocument().setText(text);
        ed.setSelection(start, length);
        QCOMPARE(::findNext(ed, needle), hit >= 0);
        QCOMPARE(ed.selectionStart(), hit >= 0 ? hit : start);
        QCOMPARE(ed.selectionLength(), hit >= 0 ? int(needle.remove(QLatin1Char('\r')).size()) : length);
    }

    void findNextScrollsTheHitBelowTheTop() {
        SourceEditor ed;
        ed.resize(300, 120);
        ed.show();
        ed.sourceDocument().setText(numberedLines(100));
        QVERIFY(::findNext(ed, QStringLiteral("line 50")));
        QCOMPARE(ed.row(), 49);
        QCOMPARE(ed.topLine(), 48);
    }

    void replace_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::newRow("selection not a hit: finds the first") << "a b a" << 1 << 0 << "a"
                                                              << "x" << false << "a b a" << 4 << 1;
        QTest::newRow("replaces the hit, selects the next") << "a b a" << 0 << 1 << "A"
                                                            << "xy" << false << "xy b a" << 5 << 1;
        QTest::newRow("last hit replaced") << "b a" << 2 << 1 << "a"
                                           << "c" << false << "b c" << 3 << 0;
        QTest::newRow("all from the middle") << "x1\nx2\nx3" << 3 << 0 << "X"
                                             << "y" << true << "x1\ny2\ny3" << 7 << 0;
        QTest::newRow("doubling ends") << "a a a" << 0 << 0 << "a"
                                       << "aa" << true << "aa aa aa" << 8 << 0;
        QTest::newRow("nothing to replace") << "abc" << 1 << 1 << "z"
                                            << "y" << true << "abc" << 1 << 1;
        QTest::newRow("line ends pasted as CR LF") << "a\nb a\nb" << 0 << 0 << "a\r\nb"
                                                   << "x\r\ny" << true << "x\ny x\ny" << 7 << 0;
    }
    void replace() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, needle);
        QFETCH(QString, replacement);
        QFETCH(bool, all);
        QFETCH(QString, expected);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        SourceEditor ed;
        ed.sourceDocument().setText(text);
        ed.setSelection(start, length);
        ::replace(ed, needle, replacement, all);
        QCOMPARE(ed.sourceDocument().text(), expected);
        QCOMPARE(ed.selectionStart(), selectionStart);
        QCOMPARE(ed.selectionLength(), selectionLength);
        if (expected != text) {
            ed.undo();
            QCOMPARE(ed.sourceDocument().text(), text);
        }
    }

    void goToLine_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("wrap");
        for (const bool wrap : {false, true}) {
            const char *how = wrap ? ", lines wrapped" : "";
            QTest::addRow("first%s", how) << 1 << 0 << 0 << wrap;
            QTest::addRow("sixth%s", how) << 6 << 5 << 0 << wrap;
            QTest::addRow("twentieth%s", how) << 20 << 19 << 13 << wrap;
            QTest::addRow("seventieth%s", how) << 70 << 69 << 63 << wrap;
            QTest::addRow("zero%s", how) << 0 << 0 << 0 << wrap;
            QTest::addRow("negative%s", how) << -7 << 0 << 0 << wrap;
            QTest::addRow("smallest integer%s", how) << INT_MIN << 0 << 0 << wrap;
            QTest::addRow("beyond the end%s", how) << 100000 << 99 << -1 << wrap;
        }
    }
    void goToLine() {
        QFETCH(int, number);
        QFETCH(int, row);
        QFETCH(int, top);
        QFETCH(bool, wrap);
        SourceEditor ed;
        ed.resize(300, 120);
        ed.show();
        ed.setWordWrap(wrap);
        // Wrapped, every line takes a few rows of the narrow window.
        ed.sourceDocument().setText(numberedLines(100, wrap ? 20 : 0));
        ed.setTopLine(40);
        ::goToLine(ed, number);
        QCOMPARE(ed.row(), row);
        QCOMPARE(ed.col(), 0);
        // The line is in sight, six rows below the top where there are six rows above it.
        const QRect caret = ed.cursorRect();
        QVERIFY(ed.viewport()->rect().contains(caret.center()));
        if (top > 0)
            QCOMPARE(qRound(double(caret.top()) / caret.height()), 6);
        if (wrap)
            return;
        if (top >= 0)
            QCOMPARE(ed.topLine(), top);
        else
            QVERIFY(ed.topLine() > 80);
    }
};

QTEST_MAIN(TestEditOperations)
#include "tst_editoperations.moc"
