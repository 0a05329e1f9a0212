#include "filepanel/linkedfiles.h"
#include "wizards/tagattributes.h"

#include <QtTest>

class TestLinkedFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scan_data();
    void scan();
    void attributeValues_data();
    void attributeValues();
};

void TestLinkedFiles::scan_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("filter"); // h html, i images, o other, l local only
    QTest::addColumn<QStringList>("listed");
    const QString page = "<BODY BACKGROUND=\"bg.gif\"><A HREF=\"a.htm\">a</A>\n"
                         "<IMG SRC=\"x.gif\" LOWSRC=\"x-low.jpg\">\n"
                         "<A HREF=\"http://w.org/r.html\">r</A><A HREF=\"mailto:me@w.org\">m</A>\n"
                         "<A HREF=\"news:comp.lang\">n</A><A HREF=\"a.htm\">again</A>\n"
                         "<FORM ACTION=\"/cgi/go.pl\"><EMBED SRC=song.mid></BODY>";
    // mailto: and news: count as local files of the other kind; a.htm is listed twice.
    QTest::newRow("everything local")
        << page << "hiol"
        << QStringList{"a.htm",  "mailto:me@w.org", "news:comp.lang", "a.htm",    "x.gif",
                       "song.mid", "bg.gif",        "/cgi/go.pl",     "x-low.jpg"};
    QTest::newRow("remote too") << page << "hio"
                                << QStringList{"a.htm", "http://w.org/r.html", "mailto:me@w.org",
                                               "news:comp.lang", "a.htm", "x.gif", "song.mid",
                                               "bg.gif", "/cgi/go.pl", "x-low.jpg"};
    QTest::newRow("pages only") << page << "hl" << QStringList{"a.htm", "a.htm"};
    QTest::newRow("images only") << page << "il" << QStringList{"x.gif", "bg.gif", "x-low.jpg"};
    QTest::newRow("LOWSRC before SRC in one tag")
        << "<IMG LOWSRC=\"low.gif\" SRC=\"hi.gif\">" << "il" << QStringList{"hi.gif", "low.gif"};
    QTest::newRow("the word in plain text") << "<P>see href and src here</P>" << "hiol"
                                            << QStringList{};
    QTest::newRow("> and < in quoted values")
        << "<A TITLE=\"a > b\" HREF=\"x.htm\">x</A><A TITLE=\"<b>\" HREF=\"y.htm\">y</A>" << "hl"
        << QStringList{"x.htm", "y.htm"};
    QTest::newRow("a tag that never closes") << "<A HREF=\"a.htm\"" << "hiol" << QStringList{};
    QTest::newRow("query and fragment") << "<A HREF=\"p.htm#top\"><A HREF=\"q.gif?x=1\">" << "hl"
                                        << QStringList{"p.htm#top"};
}

void TestLinkedFiles::scan() {
    QFETCH(QString, page);
    QFETCH(QString, filter);
    LinkedFilesFilter f;
    f.htmlFiles = filter.contains('h');
    f.imageFiles = filter.contains('i');
    f.otherFiles = filter.contains('o');
    f.localOnly = filter.contains('l');
    QTEST(listLinkedFiles(page, f), "listed");
}

void TestLinkedFiles::attributeValues_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("quoted with blank") << "<IMG SRC=\"my pic.gif\">" << "src" << "my pic.gif";
    QTest::newRow("blanks round =") << "<IMG SRC = 'a.gif' >" << "src" << "a.gif";
    QTest::newRow("unquoted before blank") << "<IMG SRC=a.gif ALT=x>" << "src" << "a.gif";
    QTest::newRow("unquoted before >") << "<IMG SRC=a.gif>" << "src" << "a.gif";
    QTest::newRow("missing") << "<IMG ALT=x>" << "src" << "";
    QTest::newRow("whole names only") << "<IMG LOWSRC=\"l.gif\">" << "src" << "";
    QTest::newRow("name inside a value") << "<A TITLE=\"href\" HREF=\"b.htm\">" << "href"
                                         << "b.htm";
}

void TestLinkedFiles::attributeValues() {
    QFETCH(QString, tag);
    QFETCH(QString, name);
    QTEST(tagAttributeValue(tag, name), "value");
}

QTEST_GUILESS_MAIN(TestLinkedFiles)
#include "tst_linkedfiles.moc"
