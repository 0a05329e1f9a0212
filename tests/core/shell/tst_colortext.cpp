#include "shell/colortext.h"

#include <QtTest>

class TestColorText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writing_data();
    void writing();
    void reading_data();
    void reading();
    void everyNameRoundTrips();
    void resolving();
};

void TestColorText::writing_data() {
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("unnamed") << quint32(0x00123456) << "$00123456";
    QTest::newRow("blue") << quint32(0x00FF0000) << "clBlue";
    QTest::newRow("red") << quint32(0x000000FF) << "clRed";
    QTest::newRow("first system") << quint32(0x80000000) << "clScrollBar";
    QTest::newRow("window") << quint32(0x80000005) << "clWindow";
    QTest::newRow("last system") << quint32(0x80000018) << "clInfoBk";
    QTest::newRow("past the system list") << quint32(0x80000019) << "$80000019";
    QTest::newRow("none") << quint32(0x1FFFFFFF) << "clNone";
    QTest::newRow("upper-case hex") << quint32(0x00ABCDEF) << "$00ABCDEF";
}

void TestColorText::writing() {
    QFETCH(quint32, value);
    QFETCH(QString, text);
    QCOMPARE(colorToText(value), text);
}

void TestColorText::reading_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<quint32>("value");
    QTest::newRow("name") << "clMaroon" << true << quint32(0x000080);
    QTest::newRow("name any case") << "CLWINDOWTEXT" << true << quint32(0x80000008);
    QTest::newRow("3D name") << "cl3DDkShadow" << true << quint32(0x80000015);
    QTest::newRow("dollar") << "$00123456" << true << quint32(0x123456);
    QTest::newRow("dollar short") << "$FF" << true << quint32(0xFF);
    QTest::newRow("0x") << "0x80000005" << true << quint32(0x80000005);
    QTest::newRow("decimal") << "255" << true << quint32(255);
    QTest::newRow("decimal past int") << "2147483653" << true << quint32(0x80000005);
    QTest::newRow("negative decimal") << "-2147483643" << true << quint32(0x80000005);
    QTest::newRow("html colour") << "#FF0000" << false << quint32(0);
    QTest::newRow("unknown name") << "clPink" << false << quint32(0);
    QTest::newRow("empty") << "" << false << quint32(0);
    QTest::newRow("too long hex") << "$123456789" << false << quint32(0);
}

void TestColorText::reading() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(quint32, value);
    const auto parsed = colorFromText(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

void TestColorText::everyNameRoundTrips() {
    QList<quint32> named = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000,  0x800080,
                            0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00,  0x00FFFF,
                            0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, 0x1FFFFFFF};
    for (quint32 i = 0; i < 25; ++i)
        named << 0x80000000u + i;
    QSet<QString> names;
    for (quint32 v : named) {
        const QString text = colorToText(v);
        QVERIFY2(text.startsWith("cl"), qPrintable(text));
        names.insert(text);
        QCOMPARE(colorFromText(text).value_or(0xDEAD), v);
    }
    QCOMPARE(names.size(), 42);
}

void TestColorText::resolving() {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(7, 8, 9));
    palette.setColor(QPalette::Active, QPalette::ToolTipBase, QColor(10, 11, 12));
    QCOMPARE(resolveColor(0x80000005, palette), QColor(1, 2, 3));    // window
    QCOMPARE(resolveColor(0x80000008, palette), QColor(4, 5, 6));    // window text
    QCOMPARE(resolveColor(0x8000000D, palette), QColor(7, 8, 9));    // highlight
    QCOMPARE(resolveColor(0x80000018, palette), QColor(10, 11, 12)); // info background
    QCOMPARE(resolveColor(0x00123456, palette), QColor(0x56, 0x34, 0x12));
    QCOMPARE(resolveColor(0x00FF0000, palette), QColor(Qt::blue));
    QCOMPARE(resolveColor(0x1FFFFFFF, palette).alpha(), 0);
    for (quint32 i = 0; i < 25; ++i)
        QVERIFY(resolveColor(0x80000000u + i, palette).isValid());
}

QTEST_GUILESS_MAIN(TestColorText)
#include "tst_colortext.moc"
