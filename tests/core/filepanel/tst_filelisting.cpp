#include "filepanel/filelisting.h"
#include "filepanel/previewgeometry.h"
#include "shell/appsettings.h"

#include <QtTest>

class TestFileListing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void kilobytes_data();
    void kilobytes();
    void kinds_data();
    void kinds();
    void masks_data();
    void masks();
    void popupItems_data();
    void popupItems();
    void dropTexts_data();
    void dropTexts();
    void previewSizes_data();
    void previewSizes();
    void keyMoves_data();
    void keyMoves();
};

void TestFileListing::kilobytes_data() {
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << qint64(0) << "0 KB";
    QTest::newRow("one byte") << qint64(1) << "1 KB";
    QTest::newRow("just under a half") << qint64(511) << "1 KB";
    QTest::newRow("half of one rounds to even") << qint64(1536) << "2 KB";
    QTest::newRow("half of two rounds to even") << qint64(2560) << "2 KB";
    QTest::newRow("just over a half") << qint64(2561) << "3 KB";
    QTest::newRow("large") << qint64(5LL << 30) << "5242880 KB";
    QTest::newRow("unreadable") << qint64(-1) << "???";
}

void TestFileListing::kilobytes() {
    QFETCH(qint64, bytes);
    QTEST(kilobyteText(bytes), "text");
}

void TestFileListing::kinds_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("defaultBrowser");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("icon");
    QTest::newRow("page, first browser") << "index.HTML" << true << "HTML Document"
                                         << int(FileIcon::PageDefaultBrowser);
    QTest::newRow("page, second browser") << "a.shtml" << false << "HTML Document"
                                          << int(FileIcon::PageSecondaryBrowser);
    QTest::newRow("style sheet is in the HTML mask") << "s.css" << true << "HTML Document"
                                                     << int(FileIcon::PageDefaultBrowser);
    QTest::newRow("web image") << "Photo.JPEG" << true << "Image file" << int(FileIcon::Image);
    QTest::newRow("png is a picture, though multimedia lists it") << "p.png" << true
                                                                  << "Image file"
                                                                  << int(FileIcon::Image);
    QTest::newRow("bmp is a picture") << "p.bmp" << true << "Image file" << int(FileIcon::Image);
    QTest::newRow("pcx is previewed only") << "p.pcx" << true << "Unknown file type"
                                           << int(FileIcon::None);
    QTest::newRow("no extension") << "README" << true << "Unknown file type"
                                  << int(FileIcon::None);
}

void TestFileListing::kinds() {
    QFETCH(QString, name);
    QFETCH(bool, defaultBrowser);
    AppSettings s;
    s.primaryBrowserIsDefault = defaultBrowser;
    const FileKind k = fileKind(name, s);
    QTEST(k.typeText, "type");
    QTEST(int(k.icon), "icon");
}

void TestFileListing::masks_data() {
    QTest::addColumn<bool>("html");
    QTest::addColumn<bool>("images");
    QTest::addColumn<bool>("multimedia");
    QTest::addColumn<QString>("shown"); // of a.htm a.html b.gif c.jpeg d.mid e.txt f.bmp
    QTest::newRow("all") << true << true << true << "a.htm a.html b.gif c.jpeg d.mid f.bmp";
    QTest::newRow("pages") << true << false << false << "a.htm a.html";
    QTest::newRow("images") << false << true << false << "b.gif c.jpeg f.bmp";
    QTest::newRow("multimedia") << false << false << true << "d.mid";
    QTest::newRow("images and multimedia") << false << true << true << "b.gif c.jpeg d.mid f.bmp";
    QTest::newRow("none") << false << false << false << "";
}

void TestFileListing::masks() {
    QFETCH(bool, html);
    QFETCH(bool, images);
    QFETCH(bool, multimedia);
    const AppSettings s;
    const QString mask = panelFileMask(html, images, multimedia, s);
    QStringList shown;
    for (const char *name : {"a.htm", "a.html", "b.gif", "c.jpeg", "d.mid", "e.txt", "f.bmp"})
        if (matchesFileMask(name, mask))
            shown << name;
    QTEST(shown.join(QLatin1Char(' ')), "shown");
}

void TestFileListing::popupItems_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("enabled"); // c copy, m move, d delete, v view, o open
    QTest::newRow("nothing selected") << "" << "";
    QTest::newRow("page") << "a.htm" << "cmdo";
    QTest::newRow("web image") << "a.gif" << "cmdvo";
    QTest::newRow("other image format") << "a.bmp" << "cmdvo";
    QTest::newRow("multimedia") << "a.mid" << "cmdo";
    QTest::newRow("unknown") << "a.txt" << "o";
}

void TestFileListing::popupItems() {
    QFETCH(QString, name);
    const PanelMenuState m = panelMenuState(name, AppSettings());
    QString enabled;
    if (m.copy)
        enabled += 'c';
    if (m.move)
        enabled += 'm';
    if (m.remove)
        enabled += 'd';
    if (m.view)
        enabled += 'v';
    if (m.openDefault)
        enabled += 'o';
    QTEST(enabled, "enabled");
}

void TestFileListing::dropTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("page") << "/w/p.htm" << "<A HREF=\"REF\">" << "</A>";
    QTest::newRow("web image") << "/w/i.gif" << "<IMG SRC=\"REF\">" << "";
    QTest::newRow("png, though multimedia lists it") << "/w/i.png" << "<IMG SRC=\"REF\">" << "";
    QTest::newRow("multimedia") << "/w/m.mid" << "<EMBED SRC=\"REF\">" << "";
    QTest::newRow("other") << "/w/t.txt" << "" << "";
}

void TestFileListing::dropTexts() {
    QFETCH(QString, name);
    const DropInsertion d = dropInsertion(name, QStringLiteral("REF"), AppSettings());
    QTEST(d.startText, "start");
    QTEST(d.endText, "end");
}

void TestFileListing::previewSizes_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("window");
    QTest::newRow("small picture") << QSize(300, 200) << QSize(310, 225);
    QTest::newRow("large picture") << QSize(1024, 768) << QSize(592, 411);
    QTest::newRow("wide picture") << QSize(2000, 100) << QSize(592, 125);
}

void TestFileListing::previewSizes() {
    QFETCH(QSize, picture);
    QTEST(previewWindowSize(picture), "window");
    const QSize w = previewWindowSize(picture);
    const QPoint at = centeredOrigin(QRect(0, 0, 1025, 768), w);
    QCOMPARE(at.x() * 2 + w.width() - 1025 <= 1, true); // centred to the nearest pixel
}

void TestFileListing::keyMoves_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("target");
    // A list of 20 rows.
    QTest::newRow("home") << int(Qt::Key_Home) << 7 << 0;
    QTest::newRow("home on the first row re-shows it") << int(Qt::Key_Home) << 0 << 0;
    QTest::newRow("end") << int(Qt::Key_End) << 3 << 19;
    QTest::newRow("page down on the third-to-last") << int(Qt::Key_PageDown) << 17 << 19;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 2 << 12;
    QTest::newRow("page up near the top") << int(Qt::Key_PageUp) << 4 << 0;
    QTest::newRow("down") << int(Qt::Key_Down) << 4 << 5;
    QTest::newRow("down on the last") << int(Qt::Key_Down) << 19 << -1;
    QTest::newRow("up on the first") << int(Qt::Key_Up) << 0 << -1;
    QTest::newRow("no selection") << int(Qt::Key_End) << -1 << -1;
    QTest::newRow("other key") << int(Qt::Key_A) << 4 << -1;
}

void TestFileListing::keyMoves() {
    QFETCH(int, key);
    QFETCH(int, current);
    QTEST(previewKeyTarget(key, current, 20), "target");
}

QTEST_GUILESS_MAIN(TestFileListing)
#include "tst_filelisting.moc"
