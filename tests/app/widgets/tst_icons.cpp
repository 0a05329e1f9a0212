#include "widgets/icons.h"

#include <QDir>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

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
        QSvgRenderer renderer(marloIconPath(name));
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 24, 24));
        QVERIFY(!marloIcon(name).isNull());
        for (int size : {16, 24}) {
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter);
            painter.end();
            int inked = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
            // Something is drawn, and it is a shape rather than a filled square.
            QVERIFY2(inked > size * size / 10 && inked < size * size * 9 / 10,
                     qPrintable(QString::number(size)));
        }
    }

    void everyIconFileIsOfferedAndNothingElse() {
        const QStringList names = marloIconNames();
        const QStringList files =
            QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")}, QDir::Files);
        QCOMPARE(files.size(), names.size() + 1); // and the application icon
        for (const QString &file : files)
            QVERIFY2(names.contains(file.chopped(4)) || file == QLatin1String("marlo.svg"),
                     qPrintable(file));
        for (const QString &name : {QString(), QStringLiteral("teleport"),
                                    QStringLiteral("../splash"), QStringLiteral("marlo")})
            QVERIFY2(marloIcon(name).isNull(), qPrintable(name));
        QVERIFY(QSvgRenderer(QStringLiteral(":/icons/marlo.svg")).isValid());
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
