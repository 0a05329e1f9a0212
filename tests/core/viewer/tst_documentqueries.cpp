// What a laid-out document answers at a point (links, character positions) and over a range
// (copied text), and how controls and column spans size lines and columns. Fixed-width
// metrics: characters 6 wide and lines 15 high (ascent 12, descent 3) at 12 points.
#include "viewer/fixedfontmetrics.h"
#include "viewer/htmlreader.h"
#include "viewer/sectionlist.h"
#include "viewer/tablesection.h"
#include "viewer/textsection.h"

#include <QtTest>

namespace {

struct Laid {
    SectionList doc;
    int height = 0;
};

std::unique_ptr<Laid> lay(const QString &html, int width = 600) {
    static FixedFontMetrics metrics;
    auto l = std::make_unique<Laid>();
    HtmlReader(l->doc).read(html);
    LayoutContext ctx;
    ctx.metrics = &metrics;
    int maxWidth = 0;
    l->height = l->doc.doLayout(ctx, width, maxWidth);
    return l;
}

const TextSection *textWith(const Cell &cell, const QString &needle) {
    for (const auto &s : cell.sections()) {
        if (auto *t = dynamic_cast<const TextSection *>(s.get()); t && t->text().contains(needle))
            return t;
        if (auto *table = dynamic_cast<const TableSection *>(s.get()))
            for (const auto &e : table->entries())
                if (auto *t = textWith(*e.content, needle))
                    return t;
    }
    return nullptr;
}

const TableSection *firstTable(const Cell &cell) {
    for (const auto &s : cell.sections())
        if (auto *t = dynamic_cast<const TableSection *>(s.get()))
            return t;
    return nullptr;
}

} // namespace

class TestDocumentQueries : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linksAndCharactersAtPoints() {
        auto l = lay("<P>Hello <A HREF=x.htm>link</A> world");
        const TextSection *t = textWith(l->doc, "Hello");
        const int y = t->y() + 5;
        QCOMPARE(l->doc.linkAt(QPoint(2, y)), QString());
        QCOMPARE(l->doc.linkAt(QPoint(37, y)), QString("x.htm"));
        QCOMPARE(l->doc.linkAt(QPoint(59, y)), QString("x.htm"));
        QCOMPARE(l->doc.linkAt(QPoint(61, y)), QString());
        QCOMPARE(l->doc.linkAt(QPoint(37, y + 15)), QString()); // below the line
        QCOMPARE(l->doc.cursorAt(QPoint(13, y)), t->position() + 2);
        QCOMPARE(l->doc.cursorAt(QPoint(17, y)), t->position() + 3);
        // Above the text: its start; far below: the end of the last text.
        QCOMPARE(l->doc.cursorAt(QPoint(300, -50)), l->doc.cursorAt(QPoint(0, 0)));
        QCOMPARE(l->doc.cursorAt(QPoint(0, 5000)), t->position() + int(t->text().size()));
        QString copied;
        l->doc.copyText(t->position() + 6, t->position() + 10, copied);
        QCOMPARE(copied, QString("link"));
    }

    void pointsInTables() {
        auto l = lay("<TABLE><TR><TD>one<TD><A HREF=two.htm>two</A></TABLE>after");
        const TextSection *two = textWith(l->doc, "two");
        QVERIFY(two);
        const TableSection *table = firstTable(l->doc);
        const auto &cell = table->entries()[1];
        const QPoint inside(cell.contentX + 7, two->lines()[0].y + 2);
        QCOMPARE(l->doc.linkAt(inside), QString("two.htm"));
        QCOMPARE(l->doc.cursorAt(inside), two->position() + 1);
        QString all;
        l->doc.copyText(0, l->doc.positionCount(), all);
        QCOMPARE(all.simplified(), QString("one two after"));
    }

    void findsText() {
        auto l = lay("Alpha beta<TABLE><TR><TD>Gamma beta</TABLE>");
        const int first = l->doc.findText("beta", 0);
        QVERIFY(first >= 0);
        const int second = l->doc.findText("beta", first + 1);
        QVERIFY(second > first);
        QCOMPARE(second, textWith(l->doc, "Gamma")->position() + 6);
        QCOMPARE(l->doc.findText("BETA", second + 1), -1);
    }

    void controlLineHeights_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("height");
        QTest::newRow("text only") << "x" << 15;
        QTest::newRow("hidden") << "<INPUT TYPE=hidden>x" << 15;
        QTest::newRow("checkbox on the baseline") << "<INPUT TYPE=checkbox>x" << 16;
        QTest::newRow("radio on the baseline") << "<INPUT TYPE=radio>x" << 16;
        QTest::newRow("text field from the top") << "<INPUT SIZE=3>x" << 21;
        QTest::newRow("button from the top") << "<INPUT TYPE=submit>x" << 23;
        QTest::newRow("text area on the baseline") << "<TEXTAREA ROWS=3></TEXTAREA>x" << 54;
        QTest::newRow("drop-down from the top") << "<SELECT><OPTION>a</SELECT>x" << 21;
    }
    void controlLineHeights() {
        QFETCH(QString, html);
        QFETCH(int, height);
        auto l = lay(html);
        QCOMPARE(textWith(l->doc, "x")->lines()[0].height, height);
    }

    void spanningCellsShareTheirWidth_data() {
        QTest::addColumn<QString>("spanning");
        QTest::addColumn<QString>("widths");
        // Columns "aa" (19 with the cell overhead) and "aaaa" (31) under a spanning cell of 67.
        QTest::newRow("in proportion") << "<TD COLSPAN=2>xxxxxxxxxx"
                                       << "25,42";
        QTest::newRow("with a percentage") << "<TD COLSPAN=2 WIDTH=50>xxxxxxxxxx"
                                           << "34,34";
        QTest::newRow("narrower span changes nothing") << "<TD COLSPAN=2>x"
                                                       << "19,31";
    }
    void spanningCellsShareTheirWidth() {
        QFETCH(QString, spanning);
        QFETCH(QString, widths);
        auto l = lay("<TABLE><TR><TD>aa<TD>aaaa<TR>" + spanning + "</TABLE>");
        const auto &w = firstTable(l->doc)->columnWidths();
        QCOMPARE(QString("%1,%2").arg(w[0]).arg(w[1]), widths);
    }

    void captionBelowTheRows() {
        auto l = lay("<TABLE><CAPTION ALIGN=bottom>cap</CAPTION><TR><TD>a</TABLE>");
        const TableSection *t = firstTable(l->doc);
        const TextSection *cap = textWith(*t->caption(), "cap");
        const TextSection *cell = textWith(l->doc, "a");
        QVERIFY(cap->y() > cell->y());
        QCOMPARE(cap->y(), t->y() + 3 + 22 + 3);
    }

    void listItemsInsideCellsIndentFromTheCell() {
        auto l = lay("<TABLE><TR><TD><UL><LI>item</UL></TABLE>");
        const TextSection *item = textWith(l->doc, "item");
        QCOMPARE(item->lines()[0].x, 35);
        const auto &cell = firstTable(l->doc)->entries()[0];
        QCOMPARE(cell.contentX, 3 + 2);
    }
};

QTEST_GUILESS_MAIN(TestDocumentQueries)
#include "tst_documentqueries.moc"
