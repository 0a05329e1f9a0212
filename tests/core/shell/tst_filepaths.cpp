#include "shell/appsettings.h"
#include "shell/filepaths.h"

#include <QtTest>

class TestFilePaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void references_data();
    void references();
    void extensions_data();
    void extensions();
    void fileTypes_data();
    void fileTypes();
};

void TestFilePaths::references_data() {
    QTest::addColumn<QString>("mode"); // relativ, no or absolut; "+" adds convertslash
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    const QString doc = "/web/site/index.htm";
    QTest::newRow("sibling folder") << "relativ+" << doc << "/web/img/a.gif"
                                    << "../img/a.gif";
    QTest::newRow("same folder") << "relativ+" << doc << "/web/site/a.gif"
                                 << "a.gif";
    QTest::newRow("subfolder") << "relativ+" << doc << "/web/site/pics/a.gif"
                               << "pics/a.gif";
    QTest::newRow("two levels up") << "relativ+"
                                   << "/web/site/sub/index.htm"
                                   << "/web/a.gif"
                                   << "../../a.gif";
    QTest::newRow("root file") << "relativ+" << doc << "/a.gif"
                               << "../../a.gif";
    QTest::newRow("common name prefix is no common folder")
        << "relativ+" << doc << "/web/sitemap/a.gif"
        << "../sitemap/a.gif";
    QTest::newRow("folder names compare exactly") << "relativ+" << doc << "/web/Site/a.gif"
                                                  << "../Site/a.gif";
    QTest::newRow("doubled slashes") << "relativ+" << doc << "/web//img/a.gif"
                                     << "../img/a.gif";
    QTest::newRow("no") << "no+" << doc << "/web/img/a.gif"
                        << "a.gif";
    QTest::newRow("absolut") << "absolut+" << doc << "/web/img/a.gif"
                             << "/web/img/a.gif";
    QTest::newRow("absolut and no: last wins") << "no+absolut+" << doc << "/web/img/a.gif"
                                               << "/web/img/a.gif";
    QTest::newRow("relativ and no: no wins") << "relativ+no+" << doc << "/web/img/a.gif"
                                             << "a.gif";
    QTest::newRow("none set: unchanged") << "+" << doc << "/web/img/a.gif"
                                         << "/web/img/a.gif";
    QTest::newRow("empty marker") << "relativ+" << doc << "[empty]"
                                  << "";
    QTest::newRow("empty") << "absolut+" << doc << ""
                           << "";
    QTest::newRow("relative name unchanged") << "relativ+" << doc << "img\\a.gif"
                                             << "img\\a.gif";
    QTest::newRow("url unchanged") << "relativ+" << doc << "HTTP://example.org/a.gif"
                                   << "HTTP://example.org/a.gif";
    QTest::newRow("news url") << "absolut+" << doc << "news:comp.lang"
                              << "news:comp.lang";
    // Windows-style names work the same way; backslashes follow convertslash.
    const QString wdoc = "C:\\web\\site\\index.htm";
    QTest::newRow("drive, converted") << "relativ+" << wdoc << "C:\\web\\img\\a.gif"
                                      << "../img/a.gif";
    QTest::newRow("drive, kept") << "relativ" << wdoc << "C:\\web\\img\\a.gif"
                                 << "..\\img\\a.gif";
    QTest::newRow("drive letter case") << "relativ+" << wdoc << "c:\\web\\site\\pics\\a.gif"
                                       << "pics/a.gif";
    QTest::newRow("drive absolut") << "absolut+" << wdoc << "C:\\web\\img\\a.gif"
                                   << "C:/web/img/a.gif";
    QTest::newRow("drive absolut kept") << "absolut" << wdoc << "C:\\web\\img\\a.gif"
                                        << "C:\\web\\img\\a.gif";
    QTest::newRow("other drive falls back to absolute") << "relativ+" << wdoc << "D:\\img\\a.gif"
                                                        << "D:/img/a.gif";
    QTest::newRow("share") << "relativ+"
                           << "\\\\srv\\www\\index.htm"
                           << "\\\\srv\\www\\i\\a.gif"
                           << "i/a.gif";
    QTest::newRow("untitled document elsewhere") << "relativ+"
                                                 << "/home/u/New.htm"
                                                 << "/home/u/www/a.gif"
                                                 << "www/a.gif";
}

void TestFilePaths::references() {
    QFETCH(QString, mode);
    QFETCH(QString, document);
    QFETCH(QString, file);
    QFETCH(QString, expected);
    AppSettings s;
    const QStringList parts = mode.split('+');
    s.relativeReferences = mode.contains("relativ");
    s.bareNameReferences = parts.contains("no");
    s.absoluteReferences = mode.contains("absolut");
    s.convertSlashes = mode.contains('+');
    QCOMPARE(makeReference(file, s, document), expected);
}

void TestFilePaths::extensions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("namePart");
    QTest::newRow("plain") << "/w/Photo.JPEG"
                           << ".JPEG"
                           << "Photo.JPEG";
    QTest::newRow("two dots") << "/w/a.tar.gz"
                              << ".gz"
                              << "a.tar.gz";
    QTest::newRow("dot in folder") << "/w.d/readme"
                                   << ""
                                   << "readme";
    QTest::newRow("backslash after dot") << "C:\\w.d\\readme"
                                         << ""
                                         << "readme";
    QTest::newRow("colon after dot") << "a.b:c"
                                     << ""
                                     << "a.b:c";
    QTest::newRow("trailing dot") << "/w/name."
                                  << "."
                                  << "name.";
    QTest::newRow("none") << "Makefile"
                          << ""
                          << "Makefile";
}

void TestFilePaths::extensions() {
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QFETCH(QString, namePart);
    QCOMPARE(fileExtension(name), extension);
    QCOMPARE(fileNamePart(name), namePart);
}

void TestFilePaths::fileTypes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mask"); // the HTML mask; multimedia uses the default mask
    QTest::addColumn<bool>("image");
    QTest::addColumn<bool>("webImage");
    QTest::addColumn<bool>("multimedia");
    QTest::addColumn<bool>("html");
    const QString html = "*.htm;*.shtm;*.css;";
    QTest::newRow("jpeg any case") << "/w/Photo.JPEG" << html << true << true << false << false;
    QTest::newRow("gif") << "a.gif" << html << true << true << false << false;
    QTest::newRow("png is a picture for pages") << "a.png" << html << true << true << true
                                                << false;
    QTest::newRow("bmp, which Qt reads") << "a.BMP" << html << true << true << false << false;
    QTest::newRow("pcx") << "scan.PCX" << html << true << false << false << false;
    QTest::newRow("midi") << "clip.MID" << html << false << false << true << false;
    QTest::newRow("midi not partial") << "clip.midi" << html << false << false << false << false;
    QTest::newRow("html alias") << "page.HTML" << html << false << false << false << true;
    QTest::newRow("shtml alias") << "page.shtml" << html << false << false << false << true;
    QTest::newRow("css") << "style.css" << html << false << false << false << true;
    QTest::newRow("htm") << "index.htm" << html << false << false << false << true;
    QTest::newRow("html without htm entry") << "page.html"
                                            << "*.shtm;*.css;" << false << false << false << false;
    QTest::newRow("shtml alias alone") << "page.shtml"
                                       << "*.shtm;" << false << false << false << true;
    QTest::newRow("last entry without semicolon")
        << "page.php"
        << "*.htm;*.php" << false << false << false << true;
    QTest::newRow("entry with blanks") << "page.php"
                                       << "*.htm; *.php;" << false << false << false << true;
    QTest::newRow("no extension") << "README"
                                  << "*.;" << false << false << false << false;
    QTest::newRow("empty mask") << "a.htm"
                                << "" << false << false << false << false;
    QTest::newRow("extension in folder only")
        << "/w.htm/readme" << html << false << false << false << false;
}

void TestFilePaths::fileTypes() {
    QFETCH(QString, name);
    QFETCH(QString, mask);
    QFETCH(bool, image);
    QFETCH(bool, webImage);
    QFETCH(bool, multimedia);
    QFETCH(bool, html);
    QCOMPARE(isImageFile(name), image);
    QCOMPARE(isWebImageFile(name), webImage);
    QCOMPARE(isMultimediaFile(name, AppSettings().multimediaMask), multimedia);
    QCOMPARE(isHtmlFile(name, mask), html);
}

QTEST_GUILESS_MAIN(TestFilePaths)
#include "tst_filepaths.moc"
