#include "widgets/colorcombobox.h"

#include <QApplication>
#include <QtTest>

class TestColorComboBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listWithLeadingItem();
    void addingSharesNewColoursOnly();
};

void TestColorComboBox::listWithLeadingItem() {
    ColorComboBox box;
    box.setColorList({QStringLiteral("blue"), QStringLiteral("#541484")},
                     {{QStringLiteral("default"), QColor(0xC0, 0xC0, 0xC0)}});
    QCOMPARE(box.count(), 3);
    QCOMPARE(box.selectedName(), QStringLiteral("default"));
    QCOMPARE(box.selectedColor(), QColor(0xC0, 0xC0, 0xC0));
    QVERIFY(box.selectColor(QStringLiteral("#541484")));
    QCOMPARE(box.selectedColor(), QColor(0x54, 0x14, 0x84));
    QVERIFY(!box.selectColor(QStringLiteral("BLUE"))); // names match exactly
    QCOMPARE(box.selectedName(), QStringLiteral("#541484"));
}

void TestColorComboBox::addingSharesNewColoursOnly() {
    ColorComboBox a, b;
    a.setColorList({QStringLiteral("red")});
    b.setColorList({});
    QVERIFY(ColorComboBox::addColorTextToAll({&a, &b}, QStringLiteral("red"))); // new to b
    QCOMPARE(a.count(), 1);
    QCOMPARE(b.findColor(QStringLiteral("red")), 0);
    QVERIFY(!ColorComboBox::addColorTextToAll({&a, &b}, QStringLiteral("red")));
    QVERIFY(!ColorComboBox::addColorTextToAll({&a, &b}, QStringLiteral("nosuchcolour")));
    QCOMPARE(b.count(), 1);
}

QTEST_MAIN(TestColorComboBox)
#include "tst_colorcombobox.moc"
