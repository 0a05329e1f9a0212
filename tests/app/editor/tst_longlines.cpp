// A long line is held by the editor as pieces, one block each; nothing of that may show in the
// text, the positions, the lines, the colours or the undo history.
#include "common/editorstyles.h"
#include "editor/sourceeditor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QtTest>

class TestLongLines : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void randomEditsKeepTextLinesAndHistory_data();
    void randomEditsKeepTextLinesAndHistory();
    void longLineOpensInPiecesAndStaysOneLine();
    void keysAtPieceBreaksActOnTheLine();
    void shiftEnterBreaksTheLine();
};


static void press(SourceEditor &ed, Qt::Key key, const QString &text = QString(),
                  Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::sendKeyEvent(QTest::Click, &ed, key, text, mods);
}

void TestLongLines::randomEditsKeepTextLinesAndHistory_data() {
    QTest::addColumn<quint32>("seed");
    // MARLO_LONGLINE_SEEDS=500 runs more of them.
    const quint32 seeds = quint32(qEnvironmentVariableIntValue("MARLO_LONGLINE_SEEDS"));
    for (quint32 seed = 1; seed <= qMax(6u, seeds); ++seed)
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

void TestLongLines::randomEditsKeepTextLinesAndHistory() {
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    const QString alphabet = QStringLiteral("ab <>!-\n");
    auto snippet = [&](int most) {
        QString s;
        for (int n = int(rng.bounded(most + 1)); n > 0; --n)
            s += alphabet.at(int(rng.bounded(int(alphabet.size()))));
        return s;
    };
    QString model = QStringLiteral("<p>short</p>\n");
    for (int i = 0; i < 30; ++i)
        model += QStringLiteral("<b class=\"x\">bold</b> <!-- c%1 --> ").arg(i);
    model += QStringLiteral("\nend <i>");
    for (int i = 0; i < 12; ++i)
        model += QStringLiteral("word%1 <a>").arg(i);

    SourceEditor ed;
    ed.sourceDocument().setLongLineLimits(40, 16);
    ed.sourceDocument().setText(model);
    QVERIFY(ed.sourceDocument().pieceBreaks() > 20);
    const QString original = model;
    QStringList history{model};

    for (int step = 0; step < 250; ++step) {
        const int size = int(model.size());
        const int at = int(rng.bounded(size + 1));
        const int len = int(rng.bounded(qMin(20, size - at) + 1));
        int caret = at;
        const int op = int(rng.bounded(12));
        switch (op) {
        case 0: {
            const QString s = snippet(6);
            ed.setSelection(at, len);
            ed.replaceSelection(s);
            model.replace(at, len, s);
            caret = at + int(s.size());
            break;
        }
        case 1:
            ed.setSelection(at, 0);
            press(ed, Qt::Key_Backspace);
            if (at > 0) {
                model.remove(at - 1, 1);
                caret = at - 1;
            }
            break;
        case 2:
            ed.setSelection(at, 0);
            press(ed, Qt::Key_Delete);
            model.remove(at, 1);
            break;
        case 3: {
            const QChar c = QStringLiteral("x<>-! ").at(int(rng.bounded(6)));
            ed.setSelection(at, len);
            press(ed, Qt::Key_unknown, QString(c));
            model.replace(at, len, QString(c));
            caret = at + 1;
            break;
        }
        case 4:
        case 5:
            ed.setSelection(at, len);
            press(ed, Qt::Key_Return, QStringLiteral("\r"),
                  step % 2 ? Qt::ShiftModifier : Qt::NoModifier);
            model.replace(at, len, QStringLiteral("\n"));
            caret = at + 1;
            break;
        case 6:
            if (at == size) {
                caret = -1;
                break;
            }
            ed.setSelection(at, qMax(1, len));
            press(ed, Qt::Key_Backspace);
            model.remove(at, qMax(1, len));
            break;
        case 7: {
            // Two edits apart, as a Replace All makes them.
            const int second = qMin(size, at + len + int(rng.bounded(30)));
            const int secondLen = int(rng.bounded(qMin(5, size - second) + 1));
            const QString a = snippet(3), b = snippet(3);
            ed.sourceDocument().applyEdits({{at, len, a}, {second, secondLen, b}});
            model.replace(second, secondLen, b);
            model.replace(at, len, a);
            caret = -1;
            break;
        }
        case 8:
            ed.setSelection(at, len);
            ed.cut();
            model.remove(at, len);
            break;
        case 9: {
            const QString s = snippet(8);
            QGuiApplication::clipboard()->setText(s);
            ed.setSelection(at, len);
            ed.paste();
            model.replace(at, len, s);
            caret = at + int(s.size());
            break;
        }
        case 10: {
            // A word before or after the caret goes; where words end is the widget's business.
            const bool back = rng.bounded(2);
            ed.setSelection(at, 0);
            press(ed, back ? Qt::Key_Backspace : Qt::Key_Delete, QString(), Qt::ControlModifier);
            const QString now = ed.sourceDocument().text();
            const int gone = int(model.size() - now.size());
            QVERIFY(gone >= 0);
            QCOMPARE(now, back ? model.left(at - gone) + model.mid(at)
                               : model.left(at) + model.mid(at + gone));
            model = now;
            caret = back ? at - gone : at;
            break;
        }
        default:
            // Back through the history and partly forward again.
            for (int n = int(rng.bounded(4)); n > 0; --n) {
                ed.undo();
                QVERIFY(history.contains(ed.sourceDocument().text()));
            }
            if (rng.bounded(2))
                ed.redo();
            QVERIFY(history.contains(ed.sourceDocument().text()));
            model = ed.sourceDocument().text();
            caret = -1;
            break;
        }
        QVERIFY(ed.sourceDocument().breakMarksConsistent());
        QCOMPARE(ed.sourceDocument().text(), model);
        QCOMPARE(ed.sourceDocument().textLength(), int(model.size()));
        if (caret >= 0) {
            QCOMPARE(ed.selectionStart(), caret);
            QCOMPARE(ed.selectionLength(), 0);
        }
        // Lines are the text's lines, whatever the pieces.
        const QStringList lines = model.split(u'\n');
        QCOMPARE(ed.sourceDocument().lineCount(), int(lines.size()));
        const int line = int(rng.bounded(int(lines.size())));
        QCOMPARE(ed.sourceDocument().lineText(line), lines.at(line));
        QCOMPARE(ed.sourceDocument().lineLength(line), int(lines.at(line).size()));
        const int pos = int(rng.bounded(int(model.size()) + 1));
        QCOMPARE(ed.sourceDocument().lineFromPosition(pos), int(model.left(pos).count(u'\n')));
        QCOMPARE(ed.sourceDocument().lineStart(ed.sourceDocument().lineFromPosition(pos)),
                 int(model.lastIndexOf(u'\n', pos - 1 < 0 ? 0 : pos - 1) + 1) * (pos > 0));
        if (history.constLast() != model)
            history << model;
    }

    ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
    ed.sourceDocument().finishColoring();
    QCOMPARE(styles(ed), fullPass(model));

    // Every undo step goes back to a text that was, all of them back to the loaded one, and redo
    // comes forward to the last.
    const QString last = model;
    int steps = 0;
    while (ed.document()->isUndoAvailable()) {
        ed.undo();
        QVERIFY2(history.contains(ed.sourceDocument().text()), qPrintable(QStringLiteral("undo %1").arg(++steps)));
    }
    QCOMPARE(ed.sourceDocument().text(), original);
    for (; steps > 0; --steps)
        ed.redo();
    QCOMPARE(ed.sourceDocument().text(), last);
    ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
    ed.sourceDocument().finishColoring();
    QCOMPARE(styles(ed), fullPass(last));
}

void TestLongLines::longLineOpensInPiecesAndStaysOneLine() {
    QString line;
    while (line.size() < 200000)
        line += QStringLiteral("<div class=\"c\"><span>text</span><!-- n --></div>");
    const QString page = QStringLiteral("<html>\n") + line + QStringLiteral("\n</html>");
    SourceEditor ed;
    ed.resize(800, 600);
    ed.sourceDocument().setText(page);
    QVERIFY(ed.sourceDocument().pieceBreaks() >= int(line.size()) / SourceDocument::PieceCharacters);
    QCOMPARE(ed.sourceDocument().text(), page);
    QCOMPARE(ed.sourceDocument().lineCount(), 3);
    QCOMPARE(ed.sourceDocument().lineLength(1), int(line.size()));
    QCOMPARE(ed.sourceDocument().lineStart(2), 7 + int(line.size()) + 1);

    // The caret's place is reported in the line, far beyond any piece.
    ed.setRow(1);
    ed.setCol(SourceEditor::EndOfLine);
    QCOMPARE(ed.row(), 1);
    QCOMPARE(ed.col(), int(line.size()));
    QTest::sendKeyEvent(QTest::Click, &ed, Qt::Key_unknown, QStringLiteral("Z"), Qt::NoModifier);
    QCOMPARE(ed.sourceDocument().text(), QStringLiteral("<html>\n") + line + QStringLiteral("Z\n</html>"));

    // A copy over several pieces holds no break.
    ed.setSelection(7, int(line.size()));
    ed.copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), line);

    ed.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
    ed.sourceDocument().finishColoring();
    QCOMPARE(styles(ed), fullPass(ed.sourceDocument().text()));
}

void TestLongLines::shiftEnterBreaksTheLine() {
    // The widget alone would put in U+2028, which a browser does not take for a line break.
    for (const int longLine : {0, 4}) {
        SourceEditor ed;
        ed.sourceDocument().setLongLineLimits(longLine, 16);
        ed.sourceDocument().setText(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
        ed.setSelection(20, 0);
        press(ed, Qt::Key_Return, QStringLiteral("\r"), Qt::ShiftModifier);
        QCOMPARE(ed.sourceDocument().text(), QStringLiteral("abcdefghijklmnopqrst\nuvwxyz"));
    }
}

void TestLongLines::keysAtPieceBreaksActOnTheLine() {
    // Pieces of 16, 16 and 8; the caret at a break stands at the start of the next piece.
    SourceEditor ed;
    ed.sourceDocument().setLongLineLimits(20, 16);
    const QString text = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN");
    const struct {
        int caret;
        Qt::Key key;
        const char *expected;
        int caretAfter;
    } rows[] = {
        {16, Qt::Key_Backspace, "abcdefghijklmnoqrstuvwxyzABCDEFGHIJKLMN", 15},
        {16, Qt::Key_Delete, "abcdefghijklmnoprstuvwxyzABCDEFGHIJKLMN", 16},
        {32, Qt::Key_Backspace, "abcdefghijklmnopqrstuvwxyzABCDEGHIJKLMN", 31},
    };
    for (const auto &r : rows) {
        ed.sourceDocument().setText(text);
        QCOMPARE(ed.sourceDocument().pieceBreaks(), 2);
        ed.setSelection(r.caret, 0);
        press(ed, r.key);
        QCOMPARE(ed.sourceDocument().text(), QString::fromLatin1(r.expected));
        QCOMPARE(ed.selectionStart(), r.caretAfter);
        QCOMPARE(ed.sourceDocument().pieceBreaks(), 2);
        ed.undo();
        QCOMPARE(ed.sourceDocument().text(), text);
    }
}

QTEST_MAIN(TestLongLines)
#include "tst_longlines.moc"
