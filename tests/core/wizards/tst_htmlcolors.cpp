#include "common/scriptedprompts.h"
#include "shell/appsettings.h"
#include "wizards/htmlcolors.h"

#include <QtTest>

class TestHtmlColors : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textToColor_data();
    void textToColor();
    void colorToText_data();
    void colorToText();
    void listStopsAtFirstEmptyEntry();
    void pickedColorBecomesText();
};

void TestHtmlColors::textToColor_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("value");
    const quint32 none = HtmlColors::NoColor;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("hex red") << "#ff0000" << 0x020000FFu;
    QTest::newRow("hex mixed") << "#541484" << 0x02841454u;
    QTest::newRow("four digits tried as a name") << "#ff00" << none;
    QTest::newRow("seven but not hex") << "#GG0000" << none;
    QTest::newRow("name") << "red" << 0x0000FFu;
    QTest::newRow("name any case") << "Navy" << 0x800000u;
    QTest::newRow("unknown name") << "rebeccapurple" << none;
    QTest::newRow("digits are no name") << "123" << none;
}

void TestHtmlColors::textToColor() {
    QFETCH(QString, text);
    QFETCH(quint32, value);
    QCOMPARE(htmlColorToColor(text), value);
    QCOMPARE(htmlColorToQColor(text).isValid(), value != HtmlColors::NoColor);
}

void TestHtmlColors::colorToText_data() {
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain name") << QColor(255, 0, 0) << "red";
    QTest::newRow("silver") << QColor(0xC0, 0xC0, 0xC0) << "silver";
    QTest::newRow("hex upper case") << QColor(0x54, 0x14, 0xab) << "#5414AB";
    QTest::newRow("leading zeros") << QColor(0, 0, 1) << "#000001";
}

void TestHtmlColors::colorToText() {
    QFETCH(QColor, color);
    QFETCH(QString, text);
    QCOMPARE(colorToHtmlText(color), text);
    QCOMPARE(htmlColorToQColor(text), color);
}

void TestHtmlColors::listStopsAtFirstEmptyEntry() {
    AppSettings s;
    for (int i = 0; i < 16; ++i)
        s.colorList[i] = QStringLiteral("c%1").arg(i);
    s.colorList[16] = QStringLiteral("#123456");
    s.colorList[18] = QStringLiteral("after a gap");
    const QStringList list = htmlColorList(s);
    QCOMPARE(list.size(), 17);
    QCOMPARE(list.last(), QStringLiteral("#123456"));
}

void TestHtmlColors::pickedColorBecomesText() {
    ScriptedPrompts prompts;
    prompts.colors.enqueue(QColor(0x12, 0x34, 0x56));
    prompts.colors.enqueue(std::nullopt);
    QCOMPARE(pickHtmlColor(prompts, QStringLiteral("red")).value_or(QString()),
             QStringLiteral("#123456"));
    QVERIFY(!pickHtmlColor(prompts, QString()).has_value());
}

QTEST_GUILESS_MAIN(TestHtmlColors)
#include "tst_htmlcolors.moc"
