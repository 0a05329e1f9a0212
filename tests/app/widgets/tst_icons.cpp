#include "widgets/icons.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

namespace {

struct Coverage {
    int opaque = 0; // pixels with any ink at all
    int total = 0;
};

Coverage render(const QString &path, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QSvgRenderer(path).render(&painter);
    painter.end();
    Coverage coverage;
    coverage.total = size * size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) > 0)
                ++coverage.opaque;
        }
    }
    return coverage;
}

} // namespace

// The toolbar pictures are drawn by us; a broken or empty SVG would give a blank button.
class TestIcons : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ensureMarloResources(); }

    void everyIconIsAReadableSmallPicture_data() {
        QTest::addColumn<QString>("name");
        for (const QString &name : marloIconNames())
            QTest::newRow(qPrintable(name)) << name;
    }
    void everyIconIsAReadableSmallPicture() {
        QFETCH(QString, name);
        const QString path = marloIconPath(name);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 24, 24));
        QVERIFY(!marloIcon(name).isNull());

        for (int size : {16, 24}) {
            const Coverage coverage = render(path, size);
            // Something is drawn, and it is a shape rather than a filled square.
            QVERIFY2(coverage.opaque > coverage.total / 10, qPrintable(QString::number(size)));
            QVERIFY2(coverage.opaque < coverage.total * 9 / 10, qPrintable(QString::number(size)));
        }
    }

    void everyIconFileIsOffered() {
        // A picture in the resources that no name reaches is a name that drifted apart.
        const QStringList names = marloIconNames();
        const QStringList files =
            QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")}, QDir::Files);
        for (const QString &file : files) {
            const QString name = file.chopped(4);
            if (name != QLatin1String("marlo")) // the application icon, not a command
                QVERIFY2(names.contains(name), qPrintable(file));
        }
        QCOMPARE(files.size(), names.size() + 1);
    }

    void unknownNamesGiveNoIcon_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("unknown") << QStringLiteral("teleport");
        QTest::newRow("path tricks") << QStringLiteral("../splash");
        QTest::newRow("application icon") << QStringLiteral("marlo");
    }
    void unknownNamesGiveNoIcon() {
        QFETCH(QString, name);
        QVERIFY(marloIcon(name).isNull());
    }

    void applicationIconAndSplashPictureAreValid() {
        QVERIFY(QSvgRenderer(QStringLiteral(":/icons/marlo.svg")).isValid());
        QSvgRenderer splash(QStringLiteral(":/splash.svg"));
        QVERIFY(splash.isValid());
        QCOMPARE(splash.defaultSize(), QSize(400, 300));
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
