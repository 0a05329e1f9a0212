#include "text/plaintext.h"

#include <QtTest>

class TestPlainText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lineBreaksBecomeSingleNewlines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("plain");
        QTest::newRow("CR LF") << "a\r\nb\r\n" << "a\nb\n";
        QTest::newRow("bare CR") << "a\rb" << "a\nb";
        QTest::newRow("CR before CR LF") << "a\r\r\nb" << "a\n\nb";
        QTest::newRow("trailing CR") << "a\r" << "a\n";
        QTest::newRow("LF untouched") << "a\n\nb" << "a\n\nb";
    }
    void lineBreaksBecomeSingleNewlines() {
        QFETCH(QString, text);
        QFETCH(QString, plain);
        QCOMPARE(plainLineBreaks(text), plain);
    }

    void ampersandsShowInMenus() {
        QCOMPARE(escapeAmpersands(QStringLiteral("/web/R&D & more.htm")),
                 QStringLiteral("/web/R&&D && more.htm"));
    }
};

QTEST_GUILESS_MAIN(TestPlainText)
#include "tst_plaintext.moc"
