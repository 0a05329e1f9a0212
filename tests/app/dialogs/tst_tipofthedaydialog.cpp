#include "shell/tipofthedaydialog.h"
#include "shell/tips.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include <limits>

// Drives the tip window as a user does: open it with a stored number, press "Next tip >",
// toggle the box, leave by one of the ways out, and check what gets stored.
class TestTipOfTheDayDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openingBrowsingAndClosing_data() {
        QTest::addColumn<int>("totd");
        QTest::addColumn<int>("firstTip");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<int>("nexts");
        QTest::addColumn<bool>("toggle");
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("stored");
        QTest::newRow("default shows tip 2") << 1 << 2 << true << 0 << false << "close" << 2;
        QTest::newRow("6 wraps to 1") << 6 << 1 << true << 0 << false << "close" << 1;
        QTest::newRow("off: unchecked, next tip")
            << -3 << 4 << false << 0 << false << "close" << -4;
        QTest::newRow("off, ticked again") << -3 << 4 << false << 0 << true << "close" << 4;
        QTest::newRow("switching off") << 2 << 3 << true << 0 << true << "close" << -3;
        QTest::newRow("next wraps round") << 5 << 6 << true << 2 << false << "close" << 2;
        QTest::newRow("number beyond the tips") << 1000 << 1 << true << 0 << false << "close" << 1;
        QTest::newRow("most negative int")
            << std::numeric_limits<int>::min() << 1 << false << 0 << false << "close" << -1;
        // Leaving without "Close" must not lose the box's choice.
        QTest::newRow("Esc keeps tips off") << -3 << 4 << false << 0 << false << "escape" << -4;
        QTest::newRow("close box keeps tips off") << -3 << 4 << false << 1 << false << "box" << -5;
        QTest::newRow("Enter is Close") << 3 << 4 << true << 1 << false << "enter" << 5;
    }
    void openingBrowsingAndClosing() {
        QFETCH(int, totd);
        QFETCH(int, firstTip);
        QFETCH(bool, checked);
        QFETCH(int, nexts);
        QFETCH(bool, toggle);
        QFETCH(QString, way);
        QFETCH(int, stored);

        int setting = totd;
        TipOfTheDayDialog dialog(setting);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("showOnStartup"));
        auto *next = dialog.findChild<QPushButton *>(QStringLiteral("nextTipButton"));
        QVERIFY(box && next);
        QCOMPARE(dialog.currentText(), tipText(firstTip));
        QCOMPARE(box->isChecked(), checked);

        int tip = firstTip;
        for (int i = 0; i < nexts; ++i) {
            QTest::mouseClick(next, Qt::LeftButton);
            tip = tip % TipCount + 1;
            QCOMPARE(dialog.currentText(), tipText(tip));
        }
        if (toggle)
            QTest::mouseClick(box, Qt::LeftButton);
        if (way == QLatin1String("close"))
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("closeButton")),
                              Qt::LeftButton);
        else if (way == QLatin1String("escape"))
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else if (way == QLatin1String("enter"))
            QTest::keyClick(&dialog, Qt::Key_Return);
        else
            dialog.close();

        QVERIFY(!dialog.isVisible());
        QCOMPARE(setting, stored);
    }
};

QTEST_MAIN(TestTipOfTheDayDialog)
#include "tst_tipofthedaydialog.moc"
