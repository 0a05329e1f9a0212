#include "shell/splashscreen.h"

#include <QMessageBox>
#include <QScreen>
#include <QtTest>

// The splash is the first thing a user sees: it must appear at once, unframed and centred,
// and show a real picture although no event loop runs yet.
class TestSplashScreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsAFramelessCentredPicture() {
        SplashScreen splash;
        splash.showAndPaint();
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.size(), QSize(400, 300));
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        const QPoint offset = splash.geometry().center() -
                              QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY(offset.manhattanLength() <= 2);

        const QImage image = splash.picture().toImage();
        const qreal ratio = splash.picture().devicePixelRatio();
        QCOMPARE(image.size() / ratio, QSize(400, 300));
        auto gray = [&](int x, int y) {
            return qGray(image.pixel(int(x * ratio), int(y * ratio)));
        };
        // A drawing with text, not a flat fill: many shades along the rows through the name
        // and the description; and light version text in the dark band at the bottom.
        QSet<int> shades;
        for (int y : {110, 208})
            for (int x = 0; x < 400; ++x)
                shades.insert(gray(x, y));
        QVERIFY2(shades.size() > 20, qPrintable(QString::number(shades.size())));
        int light = 0;
        for (int y = 262; y < 292; ++y)
            for (int x = 10; x < 150; ++x)
                light += gray(x, y) > 160 ? 1 : 0;
        QVERIFY(light > 20);
    }

    // A message while the program starts (a program to start with it that is missing) waits
    // for an answer; a splash kept on top of it would hide its buttons and stall the start.
    void stepsAsideForAWindowThatOpens_data() {
        QTest::addColumn<bool>("dialog");
        QTest::newRow("message box") << true;
        QTest::newRow("tool window") << false;
    }
    void stepsAsideForAWindowThatOpens() {
        QFETCH(bool, dialog);
        SplashScreen splash;
        splash.showAndPaint();
        bool hiddenWhenShown = false;
        QTimer::singleShot(0, [&] {
            QWidget *w = QApplication::activeModalWidget();
            hiddenWhenShown = w && !splash.isVisible();
            if (w)
                w->close();
        });
        if (dialog) {
            QMessageBox::critical(nullptr, QStringLiteral("Error"), QStringLiteral("Missing"));
            QVERIFY(hiddenWhenShown);
        } else {
            QWidget tool(nullptr, Qt::Tool);
            tool.show();
            QVERIFY(!splash.isVisible());
        }
    }
};

QTEST_MAIN(TestSplashScreen)
#include "tst_splashscreen.moc"
