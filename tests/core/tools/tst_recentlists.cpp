#include "shell/appsettings.h"
#include "tools/recentlists.h"

#include <QtTest>

namespace {

// The filled part of a list, up to its first "[empty]".
QStringList filled(const std::array<QString, AppSettings::RecentListSlots> &list) {
    QStringList out;
    for (const QString &s : list) {
        if (s == MarkerEmpty)
            break;
        out << s;
    }
    return out;
}

QStringList colors(const AppSettings &s) {
    QStringList out;
    for (int i = AppSettings::FixedColorCount; i < AppSettings::ColorListSize; ++i)
        out << s.colorList[i];
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

} // namespace

class TestRecentLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pushSequences_data();
    void pushSequences();
    void fullListKeepsTwentyAndEndMarker();
    void colorsHaveNoDuplicateCheck();
    void clearing();
};

void TestRecentLists::pushSequences_data() {
    QTest::addColumn<QStringList>("pushes");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("newest first") << QStringList{"A", "B", "C"} << QStringList{"C", "B", "A"};
    QTest::newRow("known entry to front")
        << QStringList{"B", "A", "C", "A"} << QStringList{"A", "C", "B"};
    QTest::newRow("first stays") << QStringList{"B", "A", "A"} << QStringList{"A", "B"};
    QTest::newRow("last entry to front")
        << QStringList{"C", "B", "A", "C"} << QStringList{"C", "A", "B"};
    QTest::newRow("then a new one")
        << QStringList{"C", "B", "A", "C", "D"} << QStringList{"D", "C", "A", "B"};
    QTest::newRow("exact comparison")
        << QStringList{"a.gif", "A.gif"} << QStringList{"A.gif", "a.gif"};
    QTest::newRow("empty ignored") << QStringList{"A", "", "[empty]"} << QStringList{"A"};
}

void TestRecentLists::pushSequences() {
    QFETCH(QStringList, pushes);
    QFETCH(QStringList, expected);
    AppSettings s;
    for (const QString &p : pushes) {
        pushRecentLink(s, p);
        pushRecentImage(s, p);
    }
    QCOMPARE(filled(s.previousLinks), expected);
    QCOMPARE(filled(s.previousImages), expected);
}

void TestRecentLists::fullListKeepsTwentyAndEndMarker() {
    AppSettings s;
    for (int i = 1; i <= 21; ++i)
        pushRecentLink(s, QString("L%1").arg(i));
    QCOMPARE(filled(s.previousLinks).size(), 20);
    QCOMPARE(s.previousLinks[0], QString("L21"));
    QCOMPARE(s.previousLinks[19], QString("L2"));
    QCOMPARE(s.previousLinks[20], MarkerEmpty);
    // The oldest entry brought back to the front.
    pushRecentLink(s, "L2");
    QCOMPARE(s.previousLinks[0], QString("L2"));
    QCOMPARE(s.previousLinks[19], QString("L3"));
    QCOMPARE(s.previousLinks[20], MarkerEmpty);
    QCOMPARE(QSet<QString>(s.previousLinks.begin(), s.previousLinks.begin() + 20).size(), 20); // no duplicates
}

void TestRecentLists::colorsHaveNoDuplicateCheck() {
    AppSettings s;
    pushRecentColor(s, "#FF0000");
    pushRecentColor(s, "#FF0000");
    QCOMPARE(colors(s), QStringList({"#FF0000", "#FF0000"}));
    for (int i = 0; i < 25; ++i)
        pushRecentColor(s, QString::number(i));
    QCOMPARE(colors(s).size(), 20);
    QCOMPARE(colors(s).first(), QString("24"));
    QCOMPARE(colors(s).last(), QString("5"));
    QCOMPARE(s.colorList[0], QString()); // the fixed names are not the recent part
}

void TestRecentLists::clearing() {
    AppSettings s;
    s.colorList[0] = "blue";
    pushRecentLink(s, "a");
    pushRecentImage(s, "b");
    pushRecentColor(s, "red");
    clearRecentLinks(s);
    QVERIFY(filled(s.previousLinks).isEmpty());
    QCOMPARE(filled(s.previousImages), QStringList{"b"});
    clearRecentImages(s);
    QVERIFY(filled(s.previousImages).isEmpty());
    QCOMPARE(s.previousImages[20], MarkerEmpty);
    clearRecentColors(s);
    QVERIFY(colors(s).isEmpty());
    QCOMPARE(s.colorList[0], QString("blue"));
}

QTEST_GUILESS_MAIN(TestRecentLists)
#include "tst_recentlists.moc"
