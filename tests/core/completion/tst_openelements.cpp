#include "completion/openelements.h"

#include <QtTest>

namespace {

QString repeated(int n) { return QString(n, u'x'); }

} // namespace

class TestOpenElements : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void elementsToClose_data();
    void elementsToClose();
    void readsOnlyAsFarAsNeeded();
};

void TestOpenElements::elementsToClose_data() {
    QTest::addColumn<QString>("page"); // the "</" is typed at its end
    QTest::addColumn<int>("firstReach");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("nothing open") << "<B>x</B>" << 4096 << QStringList();
    QTest::newRow("self-closed and empty elements")
        << "<DIV><BR/><SPAN/><HR><INPUT TYPE=\"TEXT\">" << 4096 << QStringList{"DIV"};
    QTest::newRow("an end tag cancels the nearest start tag of its name, in any case")
        << "<b><b>x</B>" << 4096 << QStringList{"b"};
    QTest::newRow("misnested: the first start tag without its end")
        << "<B><I>x</B>" << 4096 << QStringList{"I"};
    QTest::newRow("a script's insides are no tags")
        << "<DIV><SCRIPT>if (a<b && c>d) go();</SCRIPT>" << 4096 << QStringList{"DIV"};
    QTest::newRow("a > in text after a comment")
        << "<DIV><!-- <B> --> a > b" << 4096 << QStringList{"DIV"};
    QTest::newRow("a comment that starts before the first reach")
        << "<DIV><!--" + repeated(50) + "<B>" + repeated(5) + "-->" << 12 << QStringList{"DIV"};
    QTest::newRow("a --> that ends no comment") << "<DIV><B> -->" << 4096 << QStringList{"B"};
    QTest::newRow("an end tag whose start lies before the first reach")
        << "<DIV><B>" + repeated(100) + "</B>" << 10 << QStringList{"DIV"};
    QTest::newRow("a script that starts before the first reach")
        << "<DIV><SCRIPT>" + repeated(100) + "if (a<b) go();</SCRIPT>" << 10
        << QStringList{"DIV"};
    QTest::newRow("an item left open, the list around it")
        << "<OL><LI>a</LI><LI>b<P>c" << 4096 << QStringList{"P", "OL"};
}

void TestOpenElements::elementsToClose() {
    QFETCH(QString, page);
    QFETCH(int, firstReach);
    QFETCH(QStringList, expected);
    const auto read = [&page](int start, int length) { return page.mid(start, length); };
    QCOMPARE(::elementsToClose(read, int(page.size()), firstReach), expected);
}

void TestOpenElements::readsOnlyAsFarAsNeeded() {
    // A "</" at the end of a large page inside an element opened near the end: the page's
    // beginning is never read.
    QString page = QStringLiteral("<HTML><BODY>");
    for (int i = 0; i < 50000; ++i)
        page += QStringLiteral("<P>line <B>bold</B> <!-- note -->\n");
    page += QStringLiteral("<TABLE><TR><TD>cell");
    qint64 read = 0;
    const auto reader = [&](int start, int length) {
        read += length;
        return page.mid(start, length);
    };
    QCOMPARE(::elementsToClose(reader, int(page.size())), QStringList{"TD"});
    QVERIFY2(read <= 4096, qPrintable(QString::number(read)));
}

QTEST_APPLESS_MAIN(TestOpenElements)
#include "tst_openelements.moc"
