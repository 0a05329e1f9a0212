#include "editor/tagtables.h"

#include <QSet>
#include <QtTest>

class TestTagTables : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void templatesSplitAtTheFirstThreeDots_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("pair") << "<B>...</B>" << "<B>" << "</B>";
        QTest::newRow("single") << "<HR>" << "<HR>" << "";
        QTest::newRow("spaces kept") << "<STRONG> ... </STRONG>" << "<STRONG> " << " </STRONG>";
        QTest::newRow("comment") << "<!--...-->" << "<!--" << "-->";
        QTest::newRow("first of several") << "a...b...c" << "a" << "b...c";
    }
    void templatesSplitAtTheFirstThreeDots() {
        QFETCH(QString, entry);
        QFETCH(QString, start);
        QFETCH(QString, end);
        const TemplateParts parts = splitTemplate(entry);
        QCOMPARE(parts.startText, start);
        QCOMPARE(parts.endText, end);
    }

    void catalogueDropDownsOfferEachEntryOnce() {
        // A doubled entry is a typo in the table and shows twice in the drop-down.
        const QStringList &templates = tagTemplates();
        QCOMPARE(QSet<QString>(templates.begin(), templates.end()).size(), templates.size());
        const QStringList &names = attributeNames();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        QVERIFY(templates.contains(QStringLiteral("<A HREF=\"\">...</A>")));
        QVERIFY(names.contains(QStringLiteral("HTTP-EQUIV")));
    }

    void menuShortcutsAreDistinct() {
        QSet<QString> seen;
        for (const WrapCommand &c : wrapCommands()) {
            if (c.shortcut.isEmpty())
                continue;
            QVERIFY2(!c.menuText.isEmpty(), qPrintable(c.startText));
            QVERIFY2(!seen.contains(c.shortcut.toString()), qPrintable(c.shortcut.toString()));
            seen.insert(c.shortcut.toString());
        }
    }

    void everyButtonShowsACaptionOrAnIcon() {
        for (const WrapCommand &c : wrapCommands())
            QVERIFY2(!c.caption.isEmpty() || !c.iconName.isEmpty(), qPrintable(c.hint));
    }
};

QTEST_GUILESS_MAIN(TestTagTables)
#include "tst_tagtables.moc"
