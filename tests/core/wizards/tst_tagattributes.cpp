#include "wizards/tagattributes.h"
#include "wizards/tagclassification.h"

#include <QtTest>

class TestTagAttributes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void values_data();
    void values();
    void readAttributesAreTakenOut();
    void elementTexts_data();
    void elementTexts();
    void classification_data();
    void classification();
};

void TestTagAttributes::values_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("quoted with blank") << R"(<IMG SRC="my pic.gif" ALT="x">)" << "SRC" << "my pic.gif";
    QTest::newRow("unquoted before blank") << "<IMG SRC=a.gif WIDTH=20>" << "src" << "a.gif";
    QTest::newRow("unquoted before >") << "<IMG SRC=a.gif WIDTH=20>" << "WIDTH" << "20";
    QTest::newRow("missing") << "<IMG SRC=a.gif>" << "ALT" << "";
    QTest::newRow("lowsrc before src") << R"(<IMG LOWSRC="low.gif" SRC="high.gif">)" << "SRC"
                                       << "high.gif";
    QTest::newRow("name inside a value") << R"(<IMG ALT="SRC=x" SRC="y.gif">)" << "SRC" << "y.gif";
    QTest::newRow("blanks around =") << R"(<A HREF = "x.htm">)" << "href" << "x.htm";
    QTest::newRow("single quotes") << "<IMG SRC='a b.gif'>" << "SRC" << "a b.gif";
    QTest::newRow("> inside quotes") << R"(<A TITLE="a>b" HREF=c>)" << "TITLE" << "a>b";
    QTest::newRow("flag has no value") << "<IMG ISMAP SRC=a.gif>" << "ISMAP" << "";
    QTest::newRow("tag spread over lines") << "<BODY\n  BGCOLOR=\"#FFFFFF\"\n>" << "bgcolor"
                                           << "#FFFFFF";
}

void TestTagAttributes::values() {
    QFETCH(QString, tag);
    QFETCH(QString, name);
    QFETCH(QString, value);
    TagAttributes attributes(tag);
    QCOMPARE(attributes.attributeValue(name), value);
}

void TestTagAttributes::readAttributesAreTakenOut() {
    TagAttributes a(QStringLiteral(R"(<IMG SRC="a.gif" USEMAP="#ismap" ISMAP BORDER=0>)"));
    QVERIFY(a.hasAttributeWord(QStringLiteral("ismap")));
    QCOMPARE(a.attributeValue(QStringLiteral("USEMAP")), QStringLiteral("#ismap"));
    QCOMPARE(a.attributeValue(QStringLiteral("USEMAP")), QString()); // read once only
    QCOMPARE(a.attributeNames(), QStringList({"SRC", "ISMAP", "BORDER"}));
    QCOMPARE(a.attributeValue(QStringLiteral("ISMAP")), QString());
    QVERIFY(!a.hasAttributeWord(QStringLiteral("ISMAP")));
    QCOMPARE(a.tagName(), QStringLiteral("IMG"));
}

void TestTagAttributes::elementTexts_data() {
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << R"(<A HREF="x">Home</A>)" << "Home";
    QTest::newRow("markup inside is kept") << R"(<a href="x"><IMG SRC="b.gif"> Home</a>)"
                                           << R"(<IMG SRC="b.gif"> Home)";
    QTest::newRow("no end tag: up to the next tag") << "<B>bold<I>" << "bold";
    QTest::newRow("no tag") << "text" << "";
    QTest::newRow("> in a quoted value") << R"(<A HREF="a.htm" TITLE="x > y">Home</A>)" << "Home";
}

void TestTagAttributes::elementTexts() {
    QFETCH(QString, element);
    QFETCH(QString, text);
    QCOMPARE(elementText(element), text);
}

void TestTagAttributes::classification_data() {
    QTest::addColumn<QString>("selection");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("edited");
    const QString img = QStringLiteral(R"(<IMG SRC="a.gif">)");
    QTest::newRow("bold offers nothing") << "<B>x</B>" << int(TagKind::None) << "";
    QTest::newRow("no tag") << "plain text" << int(TagKind::None) << "";
    QTest::newRow("unclosed tag") << "<IMG SRC=" << int(TagKind::None) << "";
    QTest::newRow("image") << "see " + img + " here" << int(TagKind::Image) << img;
    QTest::newRow("> in a quoted value")
        << R"(<IMG SRC="a.gif" ALT="x > y" WIDTH="5"> after)" << int(TagKind::Image)
        << R"(<IMG SRC="a.gif" ALT="x > y" WIDTH="5">)";
    QTest::newRow("body with a script") << R"x(<BODY onload="if(a>b)go()" TEXT="red">)x"
                                        << int(TagKind::Body)
                                        << R"x(<BODY onload="if(a>b)go()" TEXT="red">)x";
    QTest::newRow("image named body") << R"(<IMG SRC="body.gif">)" << int(TagKind::Image)
                                      << R"(<IMG SRC="body.gif">)";
    QTest::newRow("body") << "<body bgcolor=white>" << int(TagKind::Body) << "<body bgcolor=white>";
    QTest::newRow("link") << R"(x <A HREF="a.htm">A</A> y)" << int(TagKind::Link)
                          << R"(<A HREF="a.htm">A</A>)";
    QTest::newRow("link with two blanks") << R"(<A  HREF="a.htm">A</A>)" << int(TagKind::Link)
                                          << R"(<A  HREF="a.htm">A</A>)";
    QTest::newRow("link in lower case") << R"(<a href="a.htm">a</a>)" << int(TagKind::Link)
                                        << R"(<a href="a.htm">a</a>)";
    QTest::newRow("link without end") << R"(<A HREF="a.htm">A)" << int(TagKind::None) << "";
    QTest::newRow("mail") << R"(<A HREF="MailTo:x@y.z">x</A>)" << int(TagKind::MailLink)
                          << R"(<A HREF="MailTo:x@y.z">x</A>)";
    QTest::newRow("mailto only in the text") << R"(<A HREF="a.htm">mailto:</A>)"
                                             << int(TagKind::Link) << R"(<A HREF="a.htm">mailto:</A>)";
    QTest::newRow("href before name") << R"(<A NAME="n" HREF="a">x</A>)" << int(TagKind::Link)
                                      << R"(<A NAME="n" HREF="a">x</A>)";
    QTest::newRow("anchor") << R"(<A NAME="top"></A>)" << int(TagKind::Anchor)
                            << R"(<A NAME="top"></A>)";
    QTest::newRow("title") << "<TITLE>x</TITLE>" << int(TagKind::Title) << "<TITLE>";
    QTest::newRow("title end tag") << "</TITLE>" << int(TagKind::None) << "";
    QTest::newRow("embed") << "<embed src=a.mid>" << int(TagKind::Embed) << "<embed src=a.mid>";
    QTest::newRow("basefont") << "<BASEFONT SIZE=3>" << int(TagKind::BaseFont) << "<BASEFONT SIZE=3>";
    QTest::newRow("font") << "<FONT FACE=Arial>" << int(TagKind::Font) << "<FONT FACE=Arial>";
    QTest::newRow("form") << "<FORM ACTION=x>" << int(TagKind::Form) << "<FORM ACTION=x>";
    QTest::newRow("font named in a value") << R"(<P CLASS="font">)" << int(TagKind::None) << "";
}

void TestTagAttributes::classification() {
    QFETCH(QString, selection);
    QFETCH(int, kind);
    QFETCH(QString, edited);
    const TagClassification c = classifyTag(selection);
    QCOMPARE(int(c.kind), kind);
    QCOMPARE(c.editedText, edited);
    if (c.kind != TagKind::None)
        QCOMPARE(selection.mid(c.offset, edited.size()), edited);
}

QTEST_GUILESS_MAIN(TestTagAttributes)
#include "tst_tagattributes.moc"
