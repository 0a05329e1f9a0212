#include "shell/tips.h"

#include <QtTest>

#include <limits>

// The stored tip number survives in the settings file, so it may hold anything a user or an
// older version wrote there; every function must give a usable answer for any int.
class TestTips : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsWithQuotesAreKeptWhole_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("4: quoted menu entry")
            << 4
            << "Did you notice that you can undock the tag toolbar by choosing \"Undock "
               "toolbar\" from the right-click menu?";
        QTest::newRow("5: quoted menu entry")
            << 5
            << "You can edit existing tags through dialog windows by selecting a tag and "
               "choosing \"Edit this tag\" from the right-click menu.";
        QTest::newRow("1: markup in the text")
            << 1
            << "You can easily create <IMG>, <A HREF> and embedded object tags by dragging a "
               "file from the file viewer onto the edit window.";
    }
    void textsWithQuotesAreKeptWhole() {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(tipText(n), text);
    }

    void everyTipHasItsOwnText() {
        QSet<QString> seen;
        for (int n = 1; n <= TipCount; ++n) {
            const QString text = tipText(n);
            QVERIFY2(!text.isEmpty() && text != QLatin1String("tip: error"), qPrintable(text));
            seen.insert(text);
        }
        QCOMPARE(seen.size(), TipCount);
    }

    void numbersOutsideTheTipsGiveTheErrorText_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("0") << 0;
        QTest::newRow("7") << 7;
        QTest::newRow("-1") << -1;
        QTest::newRow("int max") << std::numeric_limits<int>::max();
        QTest::newRow("int min") << std::numeric_limits<int>::min();
    }
    void numbersOutsideTheTipsGiveTheErrorText() {
        QFETCH(int, n);
        QCOMPARE(tipText(n), QStringLiteral("tip: error"));
    }

    void nextTipWrapsAndNeverOverflows_data() {
        QTest::addColumn<int>("totd");
        QTest::addColumn<int>("next");
        QTest::newRow("never shown") << 0 << 1;
        QTest::newRow("default") << 1 << 2;
        QTest::newRow("second to last") << 5 << 6;
        QTest::newRow("last wraps") << 6 << 1;
        QTest::newRow("beyond the tips") << 7 << 1;
        QTest::newRow("int max") << std::numeric_limits<int>::max() << 1;
        QTest::newRow("negative") << -3 << 1;
    }
    void nextTipWrapsAndNeverOverflows() {
        QFETCH(int, totd);
        QFETCH(int, next);
        QCOMPARE(nextTip(totd), next);
        QCOMPARE(tipText(nextTip(totd)), tipText(next));
        QVERIFY(tipText(next) != QLatin1String("tip: error"));
    }

    void storedNumberKeepsMagnitudeAndTakesTheBoxAsSign_data() {
        QTest::addColumn<int>("totd");
        QTest::addColumn<bool>("show");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("shownAtStart");
        QTest::newRow("on, stays on") << 4 << true << 4 << true;
        QTest::newRow("on, switched off") << 4 << false << -4 << false;
        QTest::newRow("off, switched on") << -4 << true << 4 << true;
        QTest::newRow("off, stays off") << -4 << false << -4 << false;
        QTest::newRow("int min, off") << std::numeric_limits<int>::min() << false
                                      << -std::numeric_limits<int>::max() << false;
        QTest::newRow("int min, on")
            << std::numeric_limits<int>::min() << true << std::numeric_limits<int>::max() << true;
    }
    void storedNumberKeepsMagnitudeAndTakesTheBoxAsSign() {
        QFETCH(int, totd);
        QFETCH(bool, show);
        QFETCH(int, stored);
        QFETCH(bool, shownAtStart);
        QCOMPARE(storedTotd(totd, show), stored);
        QCOMPARE(tipsShownAtStart(storedTotd(totd, show)), shownAtStart);
    }

    void zeroMeansNoTipWindowAtStart() {
        QVERIFY(!tipsShownAtStart(0));
        QVERIFY(tipsShownAtStart(1));
        QVERIFY(!tipsShownAtStart(-1));
    }
};

QTEST_GUILESS_MAIN(TestTips)
#include "tst_tips.moc"
