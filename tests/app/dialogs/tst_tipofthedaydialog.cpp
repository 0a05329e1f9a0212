#include "shell/tipofthedaydialog.h"
#include "shell/tips.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include <limits>

// Drives the tip window as a user does: open it with a stored number, read the tip, press
// "Next tip >", toggle the box, leave by one of the ways out, and check what gets stored.
class TestTipOfTheDayDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openingBrowsingAndClosing_data() {
        QTest::addColumn<int>("totd");
        QTest::addColumn<int>("firstTip");
        QTest::addColumn<bool>("boxChecked");
        QTest::addColumn<int>("nextPresses");
        QTest::addColumn<bool>("toggleBox");
        QTest::addColumn<QString>("way"); // how the window is left
        QTest::addColumn<int>("stored");

        QTest::newRow("default shows tip 2") << 1 << 2 << true << 0 << false << "close" << 2;
        QTest::newRow("last tip wraps to 1") << 6 << 1 << true << 0 << false << "close" << 1;
        QTest::newRow("switched off: unchecked, next tip, stays off")
            << -3 << 4 << false << 0 << false << "close" << -4;
        QTest::newRow("switched off, box ticked again")
            << -3 << 4 << false << 0 << true << "close" << 4;
        QTest::newRow("switching off") << 2 << 3 << true << 0 << true << "close" << -3;
        QTest::newRow("next wraps round") << 5 << 6 << true << 2 << false << "close" << 2;
        QTest::newRow("next while switched off") << -6 << 1 << false << 1 << false << "close" << -2;
        QTest::newRow("never shown before") << 0 << 1 << true << 0 << false << "close" << 1;
        QTest::newRow("number beyond the tips") << 1000 << 1 << true << 0 << false << "close" << 1;
        QTest::newRow("most negative int")
            << std::numeric_limits<int>::min() << 1 << false << 0 << false << "close" << -1;
        // Leaving without "Close" must not lose the box's choice.
        QTest::newRow("Esc keeps tips off") << -3 << 4 << false << 0 << false << "escape" << -4;
        QTest::newRow("window close keeps tips off")
            << -3 << 4 << false << 0 << false << "closebox" << -4;
        QTest::newRow("Esc after switching off") << 1 << 2 << true << 0 << true << "escape" << -2;
        QTest::newRow("Enter presses Close") << 3 << 4 << true << 1 << false << "enter" << 5;
    }
    void openingBrowsingAndClosing() {
        QFETCH(int, totd);
        QFETCH(int, firstTip);
        QFETCH(bool, boxChecked);
        QFETCH(int, nextPresses);
        QFETCH(bool, toggleBox);
        QFETCH(QString, way);
        QFETCH(int, stored);

        int setting = totd;
        TipOfTheDayDialog dialog(setting);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("showOnStartup"));
        auto *next = dialog.findChild<QPushButton *>(QStringLiteral("nextTipButton"));
        auto *close = dialog.findChild<QPushButton *>(QStringLiteral("closeButton"));
        QVERIFY(box && next && close);

        QCOMPARE(dialog.currentTip(), firstTip);
        QCOMPARE(dialog.currentText(), tipText(firstTip));
        QCOMPARE(box->isChecked(), boxChecked);
        QCOMPARE(setting, firstTip); // the number follows the tip on screen

        int expectedTip = firstTip;
        for (int i = 0; i < nextPresses; ++i) {
            QTest::mouseClick(next, Qt::LeftButton);
            expectedTip = expectedTip % TipCount + 1;
            QCOMPARE(dialog.currentText(), tipText(expectedTip));
        }
        if (toggleBox)
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));

        if (way == QLatin1String("close"))
            QTest::mouseClick(close, Qt::LeftButton);
        else if (way == QLatin1String("escape"))
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else if (way == QLatin1String("enter"))
            QTest::keyClick(&dialog, Qt::Key_Return);
        else
            dialog.close();

        QVERIFY(!dialog.isVisible());
        QCOMPARE(setting, stored);
    }

    void isAToolWindowWithCloseAsDefault() {
        int setting = 1;
        TipOfTheDayDialog dialog(setting);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Tip of the day"));
        QVERIFY(dialog.windowFlags().testFlag(Qt::Tool));
        auto *close = dialog.findChild<QPushButton *>(QStringLiteral("closeButton"));
        auto *next = dialog.findChild<QPushButton *>(QStringLiteral("nextTipButton"));
        QVERIFY(close && close->isDefault());
        QVERIFY(next && !next->isDefault());
    }
};

QTEST_MAIN(TestTipOfTheDayDialog)
#include "tst_tipofthedaydialog.moc"
