#include "editor/softbreaks.h"

#include <QtTest>

class TestSoftBreaks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitCutsLongLinesOnly_data();
    void splitCutsLongLinesOnly();
    void splitKeepsEveryCharacter();
    void positionsMapBothWays();
    void changesMoveAndDropBreaks();
};

// Pieces shown with "|" at each cut.
static QString cut(const QString &text, int longLine, int piece) {
    std::vector<int> breaks;
    QString doc = SoftBreaks::split(text, longLine, piece, &breaks);
    for (auto it = breaks.rbegin(); it != breaks.rend(); ++it) {
        if (doc.at(*it) != u'\n')
            return QStringLiteral("break %1 is no separator").arg(*it);
        doc[*it] = u'|';
    }
    return doc;
}

void TestSoftBreaks::splitCutsLongLinesOnly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString bmp = QString(QChar(0xD83D)) + QChar(0xDE00); // one character, two code units
    QTest::newRow("short lines stay") << "abc\ndefghijklmnopqrst\n" << "abc\ndefghijklmnopqrst\n";
    QTest::newRow("hard cut") << QString(40, u'x') << QString(16, u'x') + u'|' + QString(16, u'x') + u'|' + QString(8, u'x');
    QTest::newRow("after a tag end near the piece end")
        << "aaaaaaaaaaaaa<b>ccccccccccccccccccccccccc"
        << "aaaaaaaaaaaaa<b>|cccccccccccccccc|ccccccccc";
    QTest::newRow("after a space") << "aaaaaaaaaaaaa bbbbbbbbbbbbbbbbbbbbbbbbbb"
                                   << "aaaaaaaaaaaaa |bbbbbbbbbbbbbbbb|bbbbbbbbbb";
    QTest::newRow("a tag end too early is not used")
        << "a>aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa" << "a>aaaaaaaaaaaaaa|aaaaaaaaaaaaaaaa|aaaaaaa";
    QTest::newRow("never inside a surrogate pair")
        << QString(15, u'x') + bmp + QString(30, u'y')
        << QString(15, u'x') + u'|' + bmp + QString(14, u'y') + u'|' + QString(16, u'y');
    QTest::newRow("only the long line of several")
        << "short\n" + QString(33, u'z') + "\nend"
        << "short\n" + QString(16, u'z') + u'|' + QString(16, u'z') + u'|' + u'z' + "\nend";
}

void TestSoftBreaks::splitCutsLongLinesOnly() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(cut(text, 30, 16), expected);
}

void TestSoftBreaks::splitKeepsEveryCharacter() {
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += (i % 7 == 0 ? QStringLiteral("<a href=\"x\">") : QStringLiteral("word ")) +
                (i % 501 == 0 ? QStringLiteral("\n") : QString());
    std::vector<int> breaks;
    const QString doc = SoftBreaks::split(text, 100, 50, &breaks);
    QVERIFY(breaks.size() > 100);
    SoftBreaks soft;
    soft.assign(breaks);
    QCOMPARE(soft.strip(doc, 0), text);
    // No piece is longer than asked.
    for (const QString &piece : doc.split(u'\n'))
        QVERIFY(piece.size() <= 100);
}

void TestSoftBreaks::positionsMapBothWays() {
    // Document "ab|cd||e": text "abcde", soft breaks at 2, 5 and 6 (an empty piece between).
    SoftBreaks soft;
    soft.assign({2, 5, 6});
    const struct {
        int text, before, after;
    } rows[] = {{0, 0, 0}, {1, 1, 1}, {2, 2, 3}, {3, 4, 4}, {4, 5, 7}, {5, 8, 8}};
    for (const auto &r : rows) {
        QCOMPARE(soft.toDoc(r.text, SoftBreaks::BeforeBreak), r.before);
        QCOMPARE(soft.toDoc(r.text, SoftBreaks::AfterBreak), r.after);
        QCOMPARE(soft.toText(r.before), r.text);
        QCOMPARE(soft.toText(r.after), r.text);
    }
    QCOMPARE(soft.countIn(2, 6), 2);
    QVERIFY(soft.contains(5) && !soft.contains(4));
    QCOMPARE(soft.strip(QStringLiteral("ab\ncd\n\ne"), 0), QStringLiteral("abcde"));
    QCOMPARE(soft.strip(QStringLiteral("d\n\ne"), 4), QStringLiteral("de"));
}

void TestSoftBreaks::changesMoveAndDropBreaks() {
    SoftBreaks soft;
    soft.assign({2, 5, 9});
    // Three characters from 4 (the break at 5 among them) become one.
    QCOMPARE(soft.remove(4, 3, 1), 1);
    QCOMPARE(soft.positions(), (std::vector<int>{2, 7}));
    // An insertion in front moves them all.
    QCOMPARE(soft.remove(0, 0, 10), 0);
    QCOMPARE(soft.positions(), (std::vector<int>{12, 17}));
    soft.add({15, 3, 12});
    QCOMPARE(soft.positions(), (std::vector<int>{3, 12, 15, 17}));
}

QTEST_APPLESS_MAIN(TestSoftBreaks)
#include "tst_softbreaks.moc"
