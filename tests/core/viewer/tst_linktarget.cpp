// Link targets and picture sources to local file names, and the picture cache's ageing.
#include "viewer/imagecache.h"
#include "viewer/linktarget.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

class TestLinkTarget : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toFileName_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("file");
        QTest::newRow("relative") << "sub/page.htm"
                                  << ""
                                  << "/web"
                                  << "/web/sub/page.htm";
        QTest::newRow("relative keeps case") << "Sub/Page.HTM"
                                             << ""
                                             << "/web"
                                             << "/web/Sub/Page.HTM";
        QTest::newRow("parent folder") << "../a.htm"
                                       << ""
                                       << "/web/sub"
                                       << "/web/a.htm";
        QTest::newRow("backslashes") << "sub\\page.htm"
                                     << ""
                                     << "/web/"
                                     << "/web/sub/page.htm";
        QTest::newRow("no folder") << "page.htm"
                                   << ""
                                   << ""
                                   << "page.htm";
        QTest::newRow("absolute") << "/srv/a.htm"
                                  << ""
                                  << "/web"
                                  << "/srv/a.htm";
        QTest::newRow("file url drive form") << "file:///C|/web/a.htm"
                                             << ""
                                             << "/x"
                                             << "/web/a.htm";
        QTest::newRow("file url drive colon") << "file:///c:/web/a.htm"
                                              << ""
                                              << "/x"
                                              << "/web/a.htm";
        QTest::newRow("file url") << "file:///home/u/My%20Page.htm"
                                  << ""
                                  << "/x"
                                  << "/home/u/My Page.htm";
        QTest::newRow("file url localhost") << "file://localhost/srv/a.htm"
                                            << ""
                                            << "/x"
                                            << "/srv/a.htm";
        QTest::newRow("windows path") << "C:\\web\\a.htm"
                                      << ""
                                      << "/x"
                                      << "/web/a.htm";
        QTest::newRow("base folder") << "a.htm"
                                     << "file:///C|/web/"
                                     << "/x"
                                     << "/web/a.htm";
        QTest::newRow("base file") << "img/b.gif"
                                   << "file:///srv/site/index.htm"
                                   << "/x"
                                   << "/srv/site/img/b.gif";
        QTest::newRow("base plain path") << "a.htm"
                                         << "/srv/site/"
                                         << "/x"
                                         << "/srv/site/a.htm";
        QTest::newRow("base ignored for absolute") << "/a.htm"
                                                   << "/srv/"
                                                   << "/x"
                                                   << "/a.htm";
        QTest::newRow("DosPath base") << "sub/a.htm"
                                      << "dospath"
                                      << "/x"
                                      << "sub/a.htm";
    }
    void toFileName() {
        QFETCH(QString, target);
        QFETCH(QString, base);
        QFETCH(QString, directory);
        QFETCH(QString, file);
        QCOMPARE(LinkTarget::toFileName(target, base, directory), file);
    }

    void schemesAndAnchors_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("foreign");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("page") << "a.htm" << false << "a.htm"
                              << "";
        QTest::newRow("anchor only") << "#top" << false << ""
                                     << "top";
        QTest::newRow("page and anchor") << "a.htm#x#y" << false << "a.htm"
                                         << "x#y";
        QTest::newRow("mail") << "mailto:a@b.c" << true << "mailto:a@b.c"
                              << "";
        QTest::newRow("web") << "http://host/a.htm#s" << true << "http://host/a.htm"
                             << "s";
        QTest::newRow("file") << "file:///a.htm" << false << "file:///a.htm"
                              << "";
        QTest::newRow("drive") << "C:/a.htm" << false << "C:/a.htm"
                               << "";
    }
    void schemesAndAnchors() {
        QFETCH(QString, target);
        QFETCH(bool, foreign);
        QFETCH(QString, path);
        QFETCH(QString, anchor);
        QCOMPARE(LinkTarget::isForeignUrl(target), foreign);
        const auto parts = LinkTarget::splitAnchor(target);
        QCOMPARE(parts.path, path);
        QCOMPARE(parts.anchor, anchor);
    }

    void htmlFiles() {
        QVERIFY(LinkTarget::isHtmlFile("a.htm"));
        QVERIFY(LinkTarget::isHtmlFile("A.HTML"));
        QVERIFY(!LinkTarget::isHtmlFile("a.gif"));
        QVERIFY(!LinkTarget::isHtmlFile("a.shtml.txt"));
    }

    void cacheAgesPictures() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.png"), b = dir.filePath("b.gif");
        QImage(7, 5, QImage::Format_RGB32).save(a);
        QImage(3, 2, QImage::Format_RGB32)
            .save(b, "PNG"); // Qt writes no GIF; the reader goes by content
        ImageCache cache;
        cache.setMaxAge(1);
        QCOMPARE(cache.size(a), QSize(7, 5));
        QVERIFY(!cache.image(a).isNull());
        cache.age(); // a is one load old: kept
        QVERIFY(cache.contains(a));
        QCOMPARE(cache.size(b), QSize(3, 2));
        cache.age(); // a two loads old: dropped; b one load old: kept
        QVERIFY(!cache.contains(a));
        QVERIFY(cache.contains(b));
        cache.setMaxAge(0); // b is older than 0 now
        QVERIFY(!cache.contains(b));
        cache.setMaxAge(99);
        QCOMPARE(cache.maxAge(), 20);
    }

    void cacheShowsOnlyPictureFiles() {
        QTemporaryDir dir;
        const QString tif = dir.filePath("a.tif"), missing = dir.filePath("none.png");
        QImage(4, 4, QImage::Format_RGB32).save(tif, "PNG");
        ImageCache cache;
        QVERIFY(cache.size(tif).isEmpty());
        QVERIFY(cache.image(tif).isNull());
        QVERIFY(cache.size(missing).isEmpty());
        QVERIFY(cache.image(missing).isNull());
    }
};

QTEST_GUILESS_MAIN(TestLinkTarget)
#include "tst_linktarget.moc"
