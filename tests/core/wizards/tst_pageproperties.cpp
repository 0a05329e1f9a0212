#include "editor/textcommands.h"
#include "wizards/pageproperties.h"

#include <QtTest>

namespace {
const ReferenceMaker Ref = [](const QString &name) { return QStringLiteral("ref:") + name; };

QString rewrite(const QString &text, const PageProperties &p) {
    return applyTextEdits(text, pagePropertiesEdits(text, p, Ref));
}
} // namespace

class TestPageProperties : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reading();
    void readingWithoutBodyOrTitle();
    void writing_data();
    void writing();
    void pageWithoutBodyOrTitleStaysAsItIs();
    void samplePage();
};

void TestPageProperties::reading() {
    const QString page = QStringLiteral(
        "<html><head><title>My page</title></head>\n"
        "<Body bgcolor=\"#ff00cc\" onLoad=\"init()\"\r\n   TEXT=Navy link=\"ABC\"\n"
        "  leftmargin=5  background=\"bg.gif\" class=\"a  b\">\n<p>x</p></body></html>");
    const PageProperties p = readPageProperties(page);
    QCOMPARE(p.title, QStringLiteral("My page"));
    QCOMPARE(p.bgcolor, QStringLiteral("#FF00CC"));
    QCOMPARE(p.text, QStringLiteral("navy"));
    QCOMPARE(p.link, QStringLiteral("abc"));
    QCOMPARE(p.vlink, QString());
    QCOMPARE(p.background, QStringLiteral("bg.gif"));
    QCOMPARE(p.leftmargin, QStringLiteral("5"));
    QCOMPARE(p.other, QStringLiteral("onLoad=\"init()\" class=\"a b\""));

    // A ">" inside a quoted value neither ends the tag nor stays behind in the other attributes.
    const QString script = QStringLiteral(R"x(<BODY onload="if(a>b)go()" TEXT="red">x)x");
    PageProperties s = readPageProperties(script);
    QCOMPARE(s.text, QStringLiteral("red"));
    QCOMPARE(s.other, QStringLiteral(R"x(onload="if(a>b)go()")x"));
    s.text = QStringLiteral("navy");
    QCOMPARE(rewrite(script, s), QStringLiteral(R"x(<BODY TEXT="navy" onload="if(a>b)go()">x)x"));
}

void TestPageProperties::readingWithoutBodyOrTitle() {
    const PageProperties p = readPageProperties(QStringLiteral("<title>open <p>no end"));
    QCOMPARE(p.title, QString()); // an unclosed title is not read
    QCOMPARE(p.other, QString());
}

void TestPageProperties::writing_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("colors"); // bgcolor, text, link, vlink, alink
    QTest::addColumn<QString>("after");
    const QStringList none = {"", "", "", "", ""};
    QTest::newRow("plain body")
        << "<TITLE>Old</TITLE>\n<body>" << "New" << none << "<TITLE>New</TITLE>\n<BODY>";
    QTest::newRow("default and no colours stay out")
        << "<body text=red>" << "" << QStringList{"default", "no", "red", "#541484", "default"}
        << R"(<BODY LINK="red" VLINK="#541484">)";
    QTest::newRow("body over several lines")
        << "a<body\nbgcolor=white\n>b" << "" << QStringList{"white", "", "", "", ""}
        << R"(a<BODY BGCOLOR="white">b)";
    QTest::newRow("title without end is left alone")
        << "<title>Old<body>" << "New" << none << "<title>Old<BODY>";
    QTest::newRow("lower-case title element") << "<title lang=en>a</title >" << "b" << none
                                              << "<TITLE>b</TITLE>";
}

void TestPageProperties::writing() {
    QFETCH(QString, before);
    QFETCH(QString, title);
    QFETCH(QStringList, colors);
    QFETCH(QString, after);
    PageProperties p;
    p.title = title;
    p.bgcolor = colors[0];
    p.text = colors[1];
    p.link = colors[2];
    p.vlink = colors[3];
    p.alink = colors[4];
    QCOMPARE(rewrite(before, p), after);
}

void TestPageProperties::pageWithoutBodyOrTitleStaysAsItIs() {
    PageProperties p;
    p.title = QStringLiteral("T");
    p.bgcolor = QStringLiteral("red");
    const QString page = QStringLiteral("<p>Just a fragment</p>");
    QCOMPARE(rewrite(page, p), page);

    PageProperties all;
    all.background = QStringLiteral("bg.gif");
    all.bgcolor = QStringLiteral("#FFFFFF");
    all.alink = QStringLiteral("red");
    all.bgproperties = QStringLiteral("fixed");
    all.leftmargin = QStringLiteral("0px");
    all.topmargin = QStringLiteral("1em");
    all.other = QStringLiteral("onload=\"go()\"");
    QCOMPARE(buildBodyTag(all, Ref),
             QStringLiteral(R"(<BODY BACKGROUND="ref:bg.gif" BGCOLOR="#FFFFFF" ALINK="red" )"
                            R"x(BGPROPERTIES="FIXED" LEFTMARGIN="0PX" TOPMARGIN="1EM" onload="go()">)x"));
}

void TestPageProperties::samplePage() {
    PageProperties p;
    p.text = QStringLiteral("white");
    p.link = QStringLiteral("default");
    p.vlink = QStringLiteral("#00FF00");
    p.background = QStringLiteral("bg.gif");
    const QString page = buildSamplePage(p);
    QVERIFY(page.contains(QStringLiteral(R"(<BODY TEXT="white" BACKGROUND="bg.gif">)")));
    QVERIFY(page.contains(QStringLiteral(R"(<FONT COLOR="#00FF00">This is the visited)")));
    QVERIFY(page.contains(QStringLiteral(R"(<FONT COLOR="#FF0000">This is the active)")));
}

QTEST_GUILESS_MAIN(TestPageProperties)
#include "tst_pageproperties.moc"
