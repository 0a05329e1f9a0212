#include "shell/tips.h"

#include <QtTest>

#include <limits>

// The stored tip number comes from the settings file, so it may hold anything a user or an
// older version wrote there; every function must give a usable answer for any int.
class TestTips : public QObject {
    Q_OBJECT
    static constexpr int Max = std::numeric_limits<int>::max();
    static constexpr int Min = std::numeric_limits<int>::min();

private Q_SLOTS:
    void tipTexts_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes kept") << 4
                                     << "Did you notice that you can undock the tag toolbar by "
                                        "choosing \"Undock toolbar\" from the right-click menu?";
        QTest::newRow("last tip") << 6
                                  << "Not sure which tags are supported by Netscape Navigator "
                                     "and Internet Explorer? Use the Tag Wizard (CTRL-T)!";
        for (int n : {0, 7, -1, Max, Min})
            QTest::addRow("%d", n) << n << "tip: error";
    }
    void tipTexts() {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(tipText(n), text);
    }

    void nextTipWrapsAndNeverOverflows_data() {
        QTest::addColumn<int>("totd");
        QTest::addColumn<int>("next");
        QTest::newRow("never shown") << 0 << 1;
        QTest::newRow("default") << 1 << 2;
        QTest::newRow("last wraps") << 6 << 1;
        QTest::newRow("beyond the tips") << 7 << 1;
        QTest::newRow("int max") << Max << 1;
    }
    void nextTipWrapsAndNeverOverflows() {
        QFETCH(int, totd);
        QFETCH(int, next);
        QCOMPARE(nextTip(totd), next);
    }

    void storedNumberTakesTheBoxAsSign_data() {
        QTest::addColumn<int>("totd");
        QTest::addColumn<bool>("show");
        QTest::addColumn<int>("stored");
        QTest::newRow("on, stays on") << 4 << true << 4;
        QTest::newRow("on, switched off") << 4 << false << -4;
        QTest::newRow("off, switched on") << -4 << true << 4;
        QTest::newRow("int min, off") << Min << false << -Max;
        QTest::newRow("int min, on") << Min << true << Max;
    }
    void storedNumberTakesTheBoxAsSign() {
        QFETCH(int, totd);
        QFETCH(bool, show);
        QFETCH(int, stored);
        QCOMPARE(storedTotd(totd, show), stored);
        QCOMPARE(tipsShownAtStart(stored), show);
    }
};

QTEST_GUILESS_MAIN(TestTips)
#include "tst_tips.moc"
