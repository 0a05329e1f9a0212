// Layout figures with fixed-width metrics (every character half its point size wide, ascent
// the point size, descent a quarter of it), so the expected pixels can be worked out by hand.
#include "viewer/fixedfontmetrics.h"
#include "viewer/htmlreader.h"
#include "viewer/imageprovider.h"
#include "viewer/sectionlist.h"
#include "viewer/tablesection.h"
#include "viewer/textsection.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

// Pictures named "<width>x<height>.gif" have that size; others do not exist.
class SizedByName : public ImageProvider {
public:
    QSize imageSize(const QString &source) override {
        const auto m = QRegularExpression("(\\d+)x(\\d+)").match(source);
        return m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
    }
    QImage image(const QString &) override { return {}; }
};

struct Laid {
    SectionList doc;
    int height = 0;
    int maxWidth = 0;
};

std::unique_ptr<Laid> lay(const QString &html, int width, int defaultSize = 12) {
    static FixedFontMetrics metrics;
    static SizedByName images;
    auto l = std::make_unique<Laid>();
    l->doc.setDefaultFontSize(defaultSize);
    HtmlReader(l->doc).read(html);
    LayoutContext ctx;
    ctx.metrics = &metrics;
    ctx.images = &images;
    l->height = l->doc.doLayout(ctx, width, l->maxWidth);
    return l;
}

std::vector<const TextSection *> texts(const Cell &cell) {
    std::vector<const TextSection *> out;
    for (const auto &s : cell.sections())
        if (auto *t = dynamic_cast<const TextSection *>(s.get()); t && !t->isEmpty())
            out.push_back(t);
    return out;
}

const TableSection *table(const Cell &cell) {
    for (const auto &s : cell.sections())
        if (auto *t = dynamic_cast<const TableSection *>(s.get()))
            return t;
    return nullptr;
}

QString ints(const std::vector<int> &v) {
    QStringList l;
    for (int x : v)
        l << QString::number(x);
    return l.join(',');
}

} // namespace

class TestSectionLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void spacingHeights_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("defaultSize");
        QTest::addColumn<int>("height");
        QTest::newRow("paragraph at 12") << "<P>" << 12 << 14;
        QTest::newRow("paragraph at 10") << "<P>" << 10 << 12;
        QTest::newRow("rule") << "<HR>" << 12 << 20;
        QTest::newRow("rule at 6") << "<HR>" << 6 << 10;
        QTest::newRow("h1 space") << "<H1></H1>" << 12 << 32;
        QTest::newRow("h2 space") << "<H2></H2>" << 12 << 24;
        QTest::newRow("h6 space") << "<H6></H6>" << 12 << 8;
        QTest::newRow("h7 space") << "<H7></H7>" << 12 << 16;
    }
    void spacingHeights() {
        QFETCH(QString, html);
        QFETCH(int, defaultSize);
        QFETCH(int, height);
        QCOMPARE(lay(html, 600, defaultSize)->height, height);
    }

    void textLines() {
        // 12 points: characters 6 wide, lines 15 high.
        auto l = lay("aaaa bbbb cccc dddd", 60);
        const auto t = texts(l->doc);
        QCOMPARE(t.size(), size_t(1));
        QStringList lines;
        for (const auto &line : t[0]->lines())
            lines << t[0]->text().mid(line.start, line.end - line.start);
        QCOMPARE(lines, QStringList({"aaaa bbbb ", "cccc dddd"}));
        QCOMPARE(l->height, 30);
    }

    void wideWordStaysWhole() {
        auto l = lay("ab " + QString(50, 'x') + " cd", 100);
        const auto t = texts(l->doc)[0];
        QCOMPARE(int(t->lines().size()), 3);
        QCOMPARE(t->lines()[1].width, 300);
        QCOMPARE(l->maxWidth, 300);
    }

    void preformattedNeverWraps() {
        auto l = lay("<PRE>" + QString("word ").repeated(100) + "</PRE>", 100);
        const auto t = texts(l->doc);
        QCOMPARE(t.size(), size_t(1));
        QCOMPARE(int(t[0]->lines().size()), 1);
        int mn = 0, mx = 0;
        LayoutContext ctx;
        FixedFontMetrics metrics;
        ctx.metrics = &metrics;
        ctx.document = &l->doc;
        const_cast<TextSection *>(t[0])->minMaxWidth(ctx, mn, mx);
        QCOMPARE(mx, 500 * 5); // 10 points: 5 pixels a character
        QCOMPARE(mn, 500);
    }

    // A float begins at the y of the line it stands in, at its start or further in, and the
    // lines beside it are narrower.
    void floatNarrowsLines_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("align");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("left") << "" << "LEFT" << 105 << 400;
        QTest::newRow("right") << "" << "RIGHT" << 0 << 295;
        QTest::newRow("left in the line") << "in line " << "LEFT" << 105 << 400;
        QTest::newRow("right in the line") << "in line " << "RIGHT" << 0 << 295;
    }
    void floatNarrowsLines() {
        QFETCH(QString, before);
        QFETCH(QString, align);
        QFETCH(int, left);
        QFETCH(int, right);
        auto l = lay(before + "<IMG SRC=\"100x50.gif\" ALIGN=" + align + ">" +
                         QString("word ").repeated(200),
                     400);
        const auto t = texts(l->doc)[0];
        for (const auto &line : t->lines()) {
            const bool beside = line.y <= 50;
            QVERIFY2(line.x == (beside ? left : 0), qPrintable(QString::number(line.y)));
            QVERIFY(line.x + line.width <= (beside ? right : 400));
        }
        const auto &image = t->objects().front();
        QCOMPARE(image.x, align == "LEFT" ? 0 : 300);
        QCOMPARE(image.y, 0);
    }

    void floatKeepsTheSectionTallEnough() {
        auto l = lay("<IMG SRC=\"10x100.gif\" ALIGN=LEFT>short<P>next", 400);
        // The first section reaches down to the bottom of the picture.
        QCOMPARE(l->doc.sections()[0]->height(), 100);
        QCOMPARE(texts(l->doc)[1]->lines()[0].x, 0);
    }

    void lineHeightWithInlinePictures_data() {
        QTest::addColumn<QString>("align");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("pictureTop");
        // Font height 15, descent 3, picture 40 high.
        QTest::newRow("bottom") << "BOTTOM" << 43 << 0;
        QTest::newRow("top") << "TOP" << 40 << 0;
        QTest::newRow("middle") << "MIDDLE" << 41 << 1;
    }
    void lineHeightWithInlinePictures() {
        QFETCH(QString, align);
        QFETCH(int, height);
        QFETCH(int, pictureTop);
        auto l = lay("a<IMG SRC=\"10x40.gif\" ALIGN=" + align + ">b", 400);
        const auto t = texts(l->doc)[0];
        QCOMPARE(t->lines()[0].height, height);
        QCOMPARE(t->objects()[0].y, pictureTop);
        QCOMPARE(t->objects()[0].x, 6);
    }

    void alignmentAndIndent_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("x");
        QTest::newRow("centre") << "<CENTER>abc</CENTER>" << 291;
        QTest::newRow("right") << "<P ALIGN=right>abc" << 582;
        QTest::newRow("list") << "<UL><LI>abc</UL>" << 35;
        QTest::newRow("nested list") << "<UL><LI>x<UL><LI>abc</UL></UL>" << 70;
        QTest::newRow("blockquote") << "<BLOCKQUOTE>abc</BLOCKQUOTE>" << 35;
        QTest::newRow("definition") << "<DL><DT>x<DD>abc</DL>" << 35;
    }
    void alignmentAndIndent() {
        QFETCH(QString, html);
        QFETCH(int, x);
        auto l = lay(html, 600);
        QCOMPARE(texts(l->doc).back()->lines()[0].x, x);
    }

    void tallDocumentIsNotCut() {
        auto l = lay(QString("x<P>").repeated(3000), 600);
        QCOMPARE(l->height, 3000 * (15 + 14));
    }

    void distribution_data() {
        QTest::addColumn<QString>("minW");
        QTest::addColumn<QString>("maxW");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<int>("available");
        QTest::addColumn<bool>("tablePercent");
        QTest::addColumn<QString>("widths");
        QTest::newRow("wide: widest widths") << "10,20"
                                             << "50,100"
                                             << "0,0" << 500 << false << "50,100";
        QTest::newRow("narrow: in proportion") << "10,20"
                                               << "50,100"
                                               << "0,0" << 90 << false << "30,60";
        QTest::newRow("too narrow: narrowest") << "10,20"
                                               << "50,100"
                                               << "0,0" << 20 << false << "10,20";
        QTest::newRow("percent fits") << "10,10"
                                      << "50,50"
                                      << "50,0" << 400 << false << "50,50";
        QTest::newRow("percent table width") << "10,10"
                                             << "50,50"
                                             << "50,0" << 400 << true << "200,200";
        QTest::newRow("percent too wide") << "10,100"
                                          << "500,200"
                                          << "80,0" << 300 << false << "198,102";
        QTest::newRow("percent above 100 ignored") << "10,10"
                                                   << "50,50"
                                                   << "80,80" << 400 << false << "50,50";
    }
    void distribution() {
        QFETCH(QString, minW);
        QFETCH(QString, maxW);
        QFETCH(QString, percent);
        QFETCH(int, available);
        QFETCH(bool, tablePercent);
        QFETCH(QString, widths);
        auto parse = [](const QString &s) {
            std::vector<int> v;
            for (const QString &x : s.split(','))
                v.push_back(x.toInt());
            return v;
        };
        QCOMPARE(ints(TableSection::distributeWidths(parse(minW), parse(maxW), parse(percent),
                                                     available, tablePercent)),
                 widths);
    }

    void tableInWideAndNarrowAreas_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("columns");
        // Cells "aaa bbb" (narrowest 18, widest 42) and "cc" (12), plus 7 of padding and
        // spacing each; 3 of spacing come off the area.
        QTest::newRow("wide") << 600 << "49,19";
        QTest::newRow("narrow") << 53 << "31,19";
        QTest::newRow("too narrow") << 20 << "25,19";
    }
    void tableInWideAndNarrowAreas() {
        QFETCH(int, width);
        QFETCH(QString, columns);
        auto l = lay("<TABLE><TR><TD>aaa bbb<TD>cc</TABLE>", width);
        QCOMPARE(ints(table(l->doc)->columnWidths()), columns);
    }

    void tableWidthPercent() {
        auto l = lay("<TABLE WIDTH=50><TR><TD>a</TABLE>", 600);
        const TableSection *t = table(l->doc);
        QCOMPARE(t->columnWidths()[0], 300 - t->spacing());
        QCOMPARE(t->width(), 300);
    }

    void tableAlignment_data() {
        QTest::addColumn<QString>("align");
        QTest::addColumn<int>("x");
        QTest::newRow("left") << "" << 0;
        QTest::newRow("center") << "ALIGN=center" << 100;
        QTest::newRow("right") << "ALIGN=RIGHT" << 200;
    }
    void tableAlignment() {
        QFETCH(QString, align);
        QFETCH(int, x);
        auto l = lay("<TABLE WIDTH=50 " + align + "><TR><TD>a</TABLE>", 400);
        QCOMPARE(table(l->doc)->x(), x);
    }

    void rowSpanSharesItsHeight() {
        // Default size 6: line height 7; pictures aligned to the top set the content height.
        // Padding 1 and no spacing leave 2 of overhead: rows of 10, a spanning cell of 50.
        auto l = lay("<TABLE CELLPADDING=0 CELLSPACING=-1><TR>"
                     "<TD ROWSPAN=2><IMG SRC=1x48.gif ALIGN=TOP>"
                     "<TD><IMG SRC=1x8.gif ALIGN=TOP>"
                     "<TR><TD><IMG SRC=1x8.gif ALIGN=TOP></TABLE>",
                     600, 6);
        const TableSection *t = table(l->doc);
        QCOMPARE(ints(t->rowHeights()), QString("26,26"));
    }

    void cellContentIsAlignedVertically_data() {
        QTest::addColumn<QString>("valign");
        QTest::addColumn<int>("offset");
        QTest::newRow("top") << "TOP" << 0;
        QTest::newRow("middle") << "MIDDLE" << 42;
        QTest::newRow("bottom") << "BOTTOM" << 85;
    }
    void cellContentIsAlignedVertically() {
        QFETCH(QString, valign);
        QFETCH(int, offset);
        auto l = lay(
            "<TABLE><TR><TD VALIGN=" + valign + ">a<TD><IMG SRC=1x100.gif ALIGN=TOP></TABLE>", 600);
        const TableSection *t = table(l->doc);
        const auto &cell = t->entries()[0];
        const int contentTop = cell.content->sections().front()->y();
        QCOMPARE(contentTop - (cell.y + t->padding()), offset);
    }

    void tableHeightAddsSpacingAndCaption() {
        auto l = lay("<TABLE><CAPTION>cap</CAPTION><TR><TD>a</TABLE>", 600);
        const TableSection *t = table(l->doc);
        // Caption line 15, spacing 3, one row (15 + 2*2 + 3), spacing 3.
        QCOMPARE(t->height(), 15 + 3 + 22 + 3);
        QCOMPARE(ints(t->rowHeights()), QString("22"));
    }

    void deepNestingLaysOut_data() {
        QTest::addColumn<QString>("open");
        QTest::newRow("lists") << "<UL><LI>x";
        QTest::newRow("tables") << "<TABLE WIDTH=90><TR><TD>x";
        QTest::newRow("blockquotes") << "<BLOCKQUOTE>x";
    }
    void deepNestingLaysOut() {
        QFETCH(QString, open);
        auto l = lay(open.repeated(10000), 800);
        QVERIFY(l->height > 0);
    }
};

QTEST_GUILESS_MAIN(TestSectionLayout)
#include "tst_sectionlayout.moc"
