// The tag wizard's composition rules: entry and attribute double-clicks, catalogue lookups and
// the help keyword.
#include "wizards/tagcatalogue.h"

#include <QtTest>

class TagCatalogueTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void composeFromEntry_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("attributes and end tag") << "<A ...> - </A>" << "<A>" << "</A>";
        QTest::newRow("no end tag") << "<IMG ...>" << "<IMG>" << "";
        QTest::newRow("plain pair") << "<B> - </B>" << "<B>" << "</B>";
        QTest::newRow("comment keeps its blank") << "<!-- -->" << "<!-- -->" << "";
        QTest::newRow("doctype") << "<!DOCTYPE ...>" << "<!DOCTYPE>" << "";
    }
    void composeFromEntry() {
        QFETCH(QString, entry);
        const ComposedTag tag = ::composeFromEntry(entry);
        QTEST(tag.startTag, "start");
        QTEST(tag.endTag, "end");
    }

    void addAttribute_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("expected");
        QTest::newRow("valued") << "<IMG>" << "SRC" << "<IMG SRC=\"\">";
        QTest::newRow("second") << "<IMG SRC=\"\">" << "ALT" << "<IMG SRC=\"\" ALT=\"\">";
        QTest::newRow("flag has no value") << "<IMG SRC=\"\">" << "ISMAP" << "<IMG SRC=\"\" ISMAP>";
        QTest::newRow("already there") << "<IMG SRC=\"\">" << "SRC" << "<IMG SRC=\"\">";
        QTest::newRow("lower case counts") << "<img src=\"\">" << "SRC" << "<img src=\"\">";
        // The test is a substring test, so VALIGN blocks ALIGN.
        QTest::newRow("VALIGN blocks ALIGN") << "<TD VALIGN=\"\">" << "ALIGN" << "<TD VALIGN=\"\">";
        QTest::newRow("NOWRAP flag") << "<TD>" << "NOWRAP" << "<TD NOWRAP>";
        QTest::newRow("> in a typed value") << "<IMG ALT=\"a>b\">" << "SRC"
                                            << "<IMG ALT=\"a>b\" SRC=\"\">";
    }
    void addAttribute() {
        QFETCH(QString, start);
        QFETCH(QString, attribute);
        QTEST(::addAttribute(start, attribute), "expected");
    }

    void lookups_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("count");
        QTest::newRow("key before the dash") << "<A ...> - </A>" << "HREF" << 8;
        QTest::newRow("heading") << "<H3 ...> - </H3>" << "ALIGN" << 1;
        QTest::newRow("no attributes") << "<B> - </B>" << "" << 0;
        QTest::newRow("key compared exactly") << "<A> - </A>" << "" << 0;
    }
    void lookups() {
        QFETCH(QString, entry);
        const QVector<CatalogueAttribute> attributes = catalogueAttributes(entry);
        QTEST(int(attributes.size()), "count");
        QTEST(attributes.isEmpty() ? QString() : attributes.first().name, "first");
    }

    void markers() {
        const QVector<CatalogueAttribute> a = catalogueAttributes(QStringLiteral("<A ...> - </A>"));
        QCOMPARE(a.last().name, QStringLiteral("TARGET"));
        QCOMPARE(a.last().marker, BrowserMarker::NetscapeOnly);
        QCOMPARE(a.first().marker, BrowserMarker::None);
        const QVector<CatalogueAttribute> body = catalogueAttributes(QStringLiteral("<BODY ...> - </BODY>"));
        QCOMPARE(body.at(6).name, QStringLiteral("BGPROPERTIES"));
        QCOMPARE(body.at(6).marker, BrowserMarker::ExplorerOnly);
        bool sawBlink = false;
        for (const CatalogueEntry &e : catalogueEntries()) {
            if (e.text == QLatin1String("<BLINK> - </BLINK>")) {
                sawBlink = true;
                QCOMPARE(e.marker, BrowserMarker::NetscapeOnly);
            }
        }
        QVERIFY(sawBlink);
    }

    void helpKeyword_data() {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("keyword");
        QTest::newRow("template") << "<TABLE>...</TABLE>" << "<TABLE>";
        QTest::newRow("start tag with attribute") << "<TABLE BORDER=\"\">" << "<TABLE>";
        QTest::newRow("entry with dash") << "<A ...> - </A>" << "<A>";
        QTest::newRow("blank, no bracket") << "<FONT SIZE=1" << "<FONT>";
        QTest::newRow("neither") << "BORDER" << "";
    }
    void helpKeyword() {
        QFETCH(QString, subject);
        QTEST(::helpKeyword(subject), "keyword");
    }
};

QTEST_APPLESS_MAIN(TagCatalogueTest)
#include "tst_tagcatalogue.moc"
