// The page check on pages of several styles: what the markup checker reports for each (line,
// column, severity, kind) and the doctype it checked against, and the broken links of pages in
// a folder of pages and pictures.
#include "common/testfiles.h"
#include "pagecheck/brokenlinks.h"
#include "pagecheck/markupcheck.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QString severityLetter(PageFinding::Severity s) {
    switch (s) {
    case PageFinding::Severity::Error:
        return QStringLiteral("E");
    case PageFinding::Severity::Warning:
        return QStringLiteral("W");
    case PageFinding::Severity::Info:
        break;
    }
    return QStringLiteral("I");
}

// "line:column severity kind" of each finding.
QStringList places(const PageFindings &findings) {
    QStringList out;
    for (const PageFinding &f : findings)
        out << QStringLiteral("%1:%2 %3 %4")
                   .arg(f.line)
                   .arg(f.column)
                   .arg(severityLetter(f.severity), f.kind);
    return out;
}

// "line:column message" of each finding.
QStringList messages(const PageFindings &findings) {
    QStringList out;
    for (const PageFinding &f : findings)
        out << QStringLiteral("%1:%2 %3").arg(f.line).arg(f.column).arg(f.message);
    return out;
}

} // namespace

class TestPageCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void markup_data();
    void markup();
    void brokenLinks_data();
    void brokenLinks();

private:
    QTemporaryDir m_site;
};

void TestPageCheck::markup_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QString>("looksLike");
    QTest::newRow("HTML 3.2, well-formed")
        << "html32-club.htm"
        << QStringList{"13:1 W MISSING_ATTRIBUTE", "0:0 I STRING_DOCTYPE_GIVEN",
                       "0:0 I STRING_CONTENT_LOOKS"}
        << "HTML 3.2";
    // Tab-indented lines and accented letters before findings.
    // clang-format off
    QTest::newRow("HTML 3.2, broken")
        << "html32-broken.htm"
        << QStringList{
            "8:1 W TAG_NOT_ALLOWED_IN", "6:1 I PREVIOUS_LOCATION", "8:1 W INSERTING_TAG",
            "9:1 W TAG_NOT_ALLOWED_IN", "8:1 I PREVIOUS_LOCATION", "9:19 W NON_MATCHING_ENDTAG",
            "9:35 W INSERTING_TAG", "10:1 W TAG_NOT_ALLOWED_IN", "8:1 I PREVIOUS_LOCATION",
            "11:6 W MISSING_ENDTAG_BEFORE", "11:2 I MISSING_ENDTAG_OPTIONAL",
            "14:1 I MISSING_QUOTEMARK_OPEN", "14:1 E UNKNOWN_ELEMENT",
            "14:1 W DISCARDING_UNEXPECTED", "14:32 E UNKNOWN_ELEMENT",
            "14:32 W DISCARDING_UNEXPECTED", "14:42 W DISCARDING_UNEXPECTED",
            "14:59 W DISCARDING_UNEXPECTED", "15:1 W TAG_NOT_ALLOWED_IN", "8:1 I PREVIOUS_LOCATION",
            "15:15 E UNKNOWN_ELEMENT", "15:15 W DISCARDING_UNEXPECTED",
            "15:30 W DISCARDING_UNEXPECTED", "15:40 E UNKNOWN_ELEMENT",
            "15:40 W DISCARDING_UNEXPECTED", "15:48 E UNKNOWN_ELEMENT",
            "15:48 W DISCARDING_UNEXPECTED", "15:61 W DISCARDING_UNEXPECTED",
            "17:1 E UNKNOWN_ELEMENT", "17:1 W DISCARDING_UNEXPECTED",
            "17:21 W DISCARDING_UNEXPECTED", "17:35 E UNKNOWN_ELEMENT",
            "17:35 W DISCARDING_UNEXPECTED", "17:44 W DISCARDING_UNEXPECTED",
            "8:1 W MISSING_ENDTAG_BEFORE", "16:1 W MISSING_ATTRIBUTE", "8:1 W MISSING_ATTRIBUTE",
            "7:9 W PROPRIETARY_ATTRIBUTE", "0:0 I STRING_DOCTYPE_GIVEN",
            "0:0 I STRING_CONTENT_LOOKS"}
        << "HTML 3.2";
    // clang-format on
    // Nothing about the doctype the library would write out: it writes nothing.
    QTest::newRow("HTML 4.01 without a system identifier, well-formed")
        << "html401-shop.htm"
        << QStringList{"0:0 I STRING_DOCTYPE_GIVEN", "0:0 I STRING_CONTENT_LOOKS"}
        << "HTML 4.01 Transitional";
    QTest::newRow("HTML 5, well-formed")
        << "html5-recipe.htm" << QStringList{"0:0 I STRING_CONTENT_LOOKS"} << "HTML5";
    // The same FONT and CENTER that the HTML 3.2 pages use are findings here; a character
    // outside the Basic Multilingual Plane before a finding on line 16.
    QTest::newRow("HTML 5, broken")
        << "html5-broken.htm"
        << QStringList{"11:12 W MISSING_ENDTAG_BEFORE", "11:25 W DISCARDING_UNEXPECTED",
                       "14:1 W DISCARDING_UNEXPECTED",  "15:1 W TAG_NOT_ALLOWED_IN",
                       "13:1 I PREVIOUS_LOCATION",      "16:1 W TAG_NOT_ALLOWED_IN",
                       "13:1 I PREVIOUS_LOCATION",      "16:15 E UNKNOWN_ELEMENT",
                       "16:15 W DISCARDING_UNEXPECTED", "16:25 W DISCARDING_UNEXPECTED",
                       "13:1 W MISSING_ENDTAG_BEFORE",  "12:1 W MISSING_ENDTAG_FOR",
                       "9:1 W MISSING_ENDTAG_FOR",      "7:1 W MISMATCHED_ATTRIBUTE_WARN",
                       "8:1 W REMOVED_HTML5",           "8:9 W REMOVED_HTML5",
                       "15:1 W PROPRIETARY_ATTRIBUTE",  "0:0 I STRING_CONTENT_LOOKS"}
        << "HTML5";
    QTest::newRow("no doctype") << "nodoctype.htm"
                                << QStringList{"1:1 W MISSING_DOCTYPE",
                                               "0:0 I STRING_CONTENT_LOOKS"}
                                << "HTML5";
}

void TestPageCheck::markup() {
    QFETCH(QString, page);
    QFETCH(QString, looksLike);
    const QString text = QString::fromUtf8(readFile(MARLO_TEST_DATA "/pagecheck/" + page));
    const PageFindings findings = checkMarkup(text);
    QTEST(places(findings), "found");
    const auto looks = std::find_if(findings.begin(), findings.end(), [](const PageFinding &f) {
        return f.kind == QLatin1String("STRING_CONTENT_LOOKS");
    });
    QVERIFY(looks != findings.end());
    QCOMPARE(looks->message, "Document content looks like " + looksLike);
}

void TestPageCheck::initTestCase() {
    QVERIFY(m_site.isValid());
    for (const char *file : {"site/about.htm", "site/pics/logo.gif", "site/pics/my photo.jpg",
                             "site/sub/deep.htm", "site/bg.gif"})
        writeFile(m_site.filePath(QLatin1String(file)), "x");
}

void TestPageCheck::brokenLinks_data() {
    QTest::addColumn<QString>("page"); // of site/index.htm
    QTest::addColumn<QStringList>("found");
    const QString anchors = "\n<A NAME=\"intro\">x</A><H2 ID=\"sec\">y</H2>";
    QTest::newRow("files that exist")
        << "<IMG SRC=\"pics/logo.gif\"><A HREF='about.htm'>a</A><BODY BACKGROUND=bg.gif>\n"
           "<A HREF=\"sub/deep.htm\">d</A><A HREF=\"../site/about.htm\">u</A>"
           "<A HREF=\"sub\\deep.htm\">w</A><A HREF=\"sub/\">f</A>"
        << QStringList{};
    QTest::newRow("missing file, quoted and not")
        << "<P>x\n<IMG SRC=\"pics/none.gif\"> <IMG SRC=none.gif ALT=x>\n<BODY BACKGROUND='no.gif'>"
        << QStringList{"2:11 File not found: \"pics/none.gif\"",
                       "2:36 File not found: \"none.gif\"", "3:19 File not found: \"no.gif\""};
    QTest::newRow("the same missing file twice")
        << "<A HREF=\"gone.htm\">1</A>\n<A HREF=\"gone.htm\">2</A>"
        << QStringList{"1:10 File not found: \"gone.htm\"", "2:10 File not found: \"gone.htm\""};
    QTest::newRow("wrong letter case")
        << "<IMG SRC=\"pics/Logo.gif\"><IMG SRC=\"PICS/logo.gif\"><A HREF=\"About.HTM\">a</A>"
        << QStringList{
               "1:11 File not found: \"pics/Logo.gif\" (there is \"pics/logo.gif\": letter case "
               "counts)",
               "1:36 File not found: \"PICS/logo.gif\" (there is \"pics/logo.gif\": letter case "
               "counts)",
               "1:60 File not found: \"About.HTM\" (there is \"about.htm\": letter case counts)"};
    QTest::newRow("remote and other schemes skipped")
        << "<A HREF=\"http://example.com/none.htm\">1</A><A HREF=\"mailto:me@example.com\">2</A>"
           "<IMG SRC=\"//cdn.example.com/none.gif\"><A HREF=\"javascript:go()\">3</A>"
           "<A HREF=\"HTTPS://example.com/\">4</A><A HREF=\"news:comp.lang\">5</A>"
        << QStringList{};
    QTest::newRow("query, fragment and escapes of existing files")
        << "<A HREF=\"about.htm?lang=en\">1</A><A HREF=\"about.htm#team\">2</A>"
           "<IMG SRC=\"pics/my%20photo.jpg\"><IMG SRC=\"pics/my photo.jpg\">"
        << QStringList{};
    QTest::newRow("anchors of the page")
        << "<A HREF=\"#intro\">1</A><A HREF=\"#sec\">2</A><A HREF=\"#\">3</A><A HREF=\"#top\">4</A>"
           "<A HREF=\"index.htm#sec\">5</A>" +
               anchors
        << QStringList{};
    QTest::newRow("anchors the page lacks")
        << "<A HREF=\"#nowhere\">1</A><A HREF=\"#Intro\">2</A>\n<A HREF=\"index.htm#none\">3</A>" +
               anchors
        << QStringList{"1:10 No anchor \"nowhere\" in this page",
                       "1:34 No anchor \"Intro\" in this page (there is \"intro\": letter case "
                       "counts)",
                       "2:10 No anchor \"none\" in this page"};
    // Only A NAME and ID make anchors; the words in text or another tag's NAME do not.
    QTest::newRow("names that are no anchors")
        << "<FORM><INPUT NAME=\"q\"></FORM><P>name=\"p\" id=\"t\"</P><A HREF=\"#q\">1</A>"
           "<A HREF=\"#p\">2</A><A HREF=\"#t\">3</A>"
        << QStringList{"1:61 No anchor \"q\" in this page", "1:79 No anchor \"p\" in this page",
                       "1:97 No anchor \"t\" in this page"};
    // Attribute names that merely end in a checked one, and the words inside other values.
    QTest::newRow("other attributes")
        << "<IMG SRC=\"pics/logo.gif\" LOWSRC=\"low.gif\" DATA-SRC=\"d.gif\" ALT='src=\"a.gif\"'>"
           "<P>see src=\"b.gif\" here</P>"
        << QStringList{};
    QTest::newRow("a remote base makes relative names remote")
        << "<BASE HREF=\"http://example.com/site/\"><IMG SRC=\"none.gif\"><IMG SRC=\"/none.gif\">"
        << QStringList{"1:69 File not found: \"/none.gif\""};
}

void TestPageCheck::brokenLinks() {
    QFETCH(QString, page);
    QTEST(messages(findBrokenLinks(page, m_site.filePath("site/index.htm"))), "found");
}

QTEST_GUILESS_MAIN(TestPageCheck)
#include "tst_pagecheck.moc"
