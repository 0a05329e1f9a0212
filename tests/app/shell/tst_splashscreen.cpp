#include "shell/splashscreen.h"

#include <QScreen>
#include <QtTest>

// The splash is the first thing a user sees; it must appear at once, unframed, centred, and
// show a real picture even though no event loop runs yet.
class TestSplashScreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsAFramelessCentredPicture() {
        SplashScreen splash;
        splash.showAndPaint(); // no event loop needed
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.size(), QSize(400, 300));
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(splash.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(splash.geometry().center().y() - screen.center().y()) <= 1);
        splash.repaintNow();
    }

    void pictureIsDrawnNotBlank() {
        SplashScreen splash;
        const QImage image = splash.picture().toImage();
        const qreal ratio = splash.picture().devicePixelRatio();
        QCOMPARE(image.size() / ratio, QSize(400, 300));
        auto at = [&](int x, int y) { return image.pixel(int(x * ratio), int(y * ratio)); };
        // The picture is a drawing with text, not a flat fill: count distinct colours along a
        // few rows through the name, the description and the version band.
        QSet<QRgb> colours;
        for (int y : {100, 120, 200, 208, 270, 280})
            for (int x = 0; x < 400; ++x)
                colours.insert(at(x, y));
        QVERIFY2(colours.size() > 20, qPrintable(QString::number(colours.size())));
        // The version band at the bottom carries light text on dark ground.
        int light = 0;
        for (int y = 262; y < 292; ++y)
            for (int x = 10; x < 150; ++x)
                light += qGray(at(x, y)) > 160 ? 1 : 0;
        QVERIFY(light > 20);
    }
};

QTEST_MAIN(TestSplashScreen)
#include "tst_splashscreen.moc"
