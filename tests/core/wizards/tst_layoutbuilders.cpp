#include "wizards/tagattributes.h"
#include "wizards/formbuilders.h"
#include "wizards/framelayout.h"
#include "wizards/htmlattributes.h"
#include "wizards/tablebuilder.h"

#include <QtTest>

Q_DECLARE_METATYPE(TableContent)
Q_DECLARE_METATYPE(WrapTexts)

namespace {

QStringList lines(std::initializer_list<const char *> l) {
    QStringList out;
    for (const char *s : l)
        out << QString::fromUtf8(s);
    return out;
}

QString asIs(const QString &url) { return url; }

} // namespace

class TestLayoutBuilders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tables_data() {
        QTest::addColumn<TableContent>("content");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("fresh 1x1") << TableContent() << lines({
            "<TABLE CELLPADDING=\"0\" CELLSPACING=\"0\" WIDTH=\"0\" HEIGHT=\"0\" BORDER=\"0\">",
            "       <CAPTION></CAPTION>", "<TR>", "\t<TD></TD>", "</TR>", "</TABLE>", "\\end",
            "0000"});

        TableContent nowrap;
        nowrap.texts[0][0] = QStringLiteral("x");
        nowrap.cells[0][0].nowrap = true;
        QTest::newRow("nowrap only") << nowrap << lines({
            "<TABLE CELLPADDING=\"0\" CELLSPACING=\"0\" WIDTH=\"0\" HEIGHT=\"0\" BORDER=\"0\">",
            "       <CAPTION></CAPTION>", "<TR>", "\t<TD NOWRAP>x</TD>", "</TR>", "</TABLE>",
            "\\end", "0000"});

        // 3 x 2 with a caption, emptied table fields, IE extras, a coloured and a spanning cell.
        TableContent full(3, 2);
        TableAttributes &t = full.table;
        t.cellpadding = t.cellspacing = t.width = t.height = QString();
        t.border = QStringLiteral("1");
        t.align = QStringLiteral("Middle");
        t.valign = QStringLiteral("Center");
        t.bgcolor = QStringLiteral("#FFEE00");
        t.bordercolordark = QStringLiteral("navy");
        t.frame = QStringLiteral("hsides");
        t.rules = QStringLiteral("cols");
        t.background = QStringLiteral("img/Tile.gif");
        t.caption = QStringLiteral("Prices");
        full.texts[0] = QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        full.cells[0][1].bgcolor = QStringLiteral("red");
        full.cells[0][1].bordercolor = QStringLiteral("no");
        full.cells[1][0].colspan = QStringLiteral("2");
        full.cells[1][0].align = QStringLiteral("Center");
        full.cells[1][0].valign = QStringLiteral("Baseline");
        full.cells[1][2].width = QStringLiteral("40");
        full.cells[1][2].background = QStringLiteral("b.jpg");
        QTest::newRow("3x2 with caption, colour and span") << full << lines({
            "<TABLE BORDER=\"1\" ALIGN=\"MIDDLE\" VALIGN=\"CENTER\" BGCOLOR=\"#FFEE00\" "
            "BORDERCOLORDARK=\"navy\" FRAME=\"HSIDES\" RULES=\"COLS\" BACKGROUND=\"img/Tile.gif\">",
            "       <CAPTION>Prices</CAPTION>", "<TR>", "\t<TD>a</TD>",
            "\t<TD BGCOLOR=\"red\">b</TD>", "\t<TD>c</TD>", "</TR>", "<TR>",
            "\t<TD ALIGN=\"CENTER\" VALIGN=\"BASELINE\" COLSPAN=\"2\"></TD>", "\t<TD></TD>",
            "\t<TD WIDTH=\"40\" BACKGROUND=\"b.jpg\"></TD>", "</TR>", "</TABLE>", "\\end", "0000"});
    }
    void tables() {
        QFETCH(TableContent, content);
        QFETCH(QStringList, expected);
        QCOMPARE(buildTableBlock(content), expected);
    }

    void tableResizeKeepsCellsAndClamps() {
        TableContent t(2, 2);
        t.texts[1][1] = QStringLiteral("kept");
        t.resize(1, 1);
        t.resize(25, 40);
        QCOMPARE(t.columns(), 20);
        QCOMPARE(t.rows(), 30);
        QCOMPARE(t.texts[1][1], QString()); // a cell that went away comes back empty
        t.texts[1][1] = QStringLiteral("kept");
        t.resize(3, 3);
        QCOMPARE(t.texts[1][1], QStringLiteral("kept"));
        t.resize(0, -1);
        QCOMPARE(t.columns(), 1);
        QCOMPARE(t.rows(), 1);
    }

    void blocks_data() {
        QTest::addColumn<QStringList>("block");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("caretLine"); // the line the caret code points at

        QTest::newRow("quick table 2x3") << buildQuickTableBlock(2, 3) << 14
                                         << QStringLiteral("0512") << QStringLiteral("\t<TD>");
        QTest::newRow("quick table 6x10") << buildQuickTableBlock(6, 10) << 82
                                          << QStringLiteral("0580") << QStringLiteral("\t<TD>");
        QTest::newRow("quick table 1x1") << buildQuickTableBlock(1, 1) << 5
                                         << QStringLiteral("0503") << QStringLiteral("\t<TD>");
        QTest::newRow("drop-down 1") << buildDropDownList(QStringLiteral("n"), 1) << 3
                                     << QStringLiteral("2002")
                                     << QStringLiteral("   <OPTION SELECTED>");
        QTest::newRow("drop-down 9") << buildDropDownList(QString(), 9) << 11
                                     << QStringLiteral("2010")
                                     << QStringLiteral("   <OPTION SELECTED>");
        QTest::newRow("drop-down below 1") << buildDropDownList(QString(), 0) << 3
                                           << QStringLiteral("2002")
                                           << QStringLiteral("   <OPTION SELECTED>");
        QTest::newRow("unordered 12") << buildQuickList(false, 12) << 14 << QStringLiteral("0513")
                                      << QStringLiteral("\t<LI>");
        QTest::newRow("ordered 1") << buildQuickList(true, 1) << 3 << QStringLiteral("0502")
                                   << QStringLiteral("\t<LI>");
        QTest::newRow("definition 3") << buildDefinitionList(3) << 5 << QStringLiteral("0504")
                                      << QStringLiteral("\t<DT>");
        QTest::newRow("largest list") << buildQuickList(false, 500) << 100
                                      << QStringLiteral("0599") << QStringLiteral("\t<LI>");
    }
    void blocks() {
        QFETCH(QStringList, block);
        QFETCH(int, lineCount);
        QFETCH(QString, code);
        QFETCH(QString, caretLine);
        QCOMPARE(block.size(), lineCount + 2);
        QCOMPARE(block.at(lineCount), BlockEnd);
        QCOMPARE(block.at(lineCount + 1), code);
        // Counting up from the line after the block and across the column lands where typing
        // should start.
        const QString target = block.at(lineCount - code.mid(2).toInt());
        QCOMPARE(target.left(code.left(2).toInt()), caretLine);
    }

    void listTags() {
        QCOMPARE(buildDropDownList(QStringLiteral("pick"), 2),
                 lines({"<SELECT NAME=\"pick\">", "   <OPTION SELECTED>", "   <OPTION>",
                        "</SELECT>", "\\end", "2003"}));
        QCOMPARE(buildQuickList(true, 2),
                 lines({"<OL>", "\t<LI>", "\t<LI>", "</OL>", "\\end", "0503"}));
        QCOMPARE(buildDefinitionList(1), lines({"<DL>", "\t<DT><DD>", "</DL>", "\\end", "0502"}));
    }

    void singleTags_data() {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text input defaults") << buildTextInput({})
            << "<INPUT TYPE=\"TEXT\" NAME=\"\" VALUE=\"\" SIZE=\"0\" MAXLENGTH=\"0\">";
        QTest::newRow("password")
            << buildTextInput({TextInputFields::Type::Password, "pw", "x y", 8, 12})
            << "<INPUT TYPE=\"PASSWORD\" NAME=\"pw\" VALUE=\"x y\" SIZE=\"8\" MAXLENGTH=\"12\">";
        QTest::newRow("hidden") << buildTextInput({TextInputFields::Type::Hidden, "id", "7", 0, 0})
            << "<INPUT TYPE=\"HIDDEN\" NAME=\"id\" VALUE=\"7\" SIZE=\"0\" MAXLENGTH=\"0\">";
        QTest::newRow("checkbox on") << buildCheckbox("ok", true)
                                     << "<INPUT TYPE=CHECKBOX NAME=\"ok\" VALUE=\"ON\">";
        QTest::newRow("checkbox off") << buildCheckbox("", false)
                                      << "<INPUT TYPE=CHECKBOX NAME=\"\" VALUE=\"OFF\">";
        QTest::newRow("radio off") << buildRadioButton("r", false)
                                   << "<INPUT TYPE=\"RADIO\" NAME=\"r\" VALUE=\"OFF\">";
        QTest::newRow("basefont") << buildBaseFontTag({"3", "no", "", "", ""}) << "<BASEFONT SIZE=\"3\">";
    }
    void singleTags() {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void wrapTags_data() {
        QTest::addColumn<WrapTexts>("actual");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("empty form") << buildFormTag({}) << "<FORM>" << "</FORM>";
        QTest::newRow("form") << buildFormTag({"/cgi-bin/Send.pl", "Post", "text/plain"})
            << "<FORM METHOD=\"POST\" ACTION=\"/cgi-bin/Send.pl\" ENCTYPE=\"TEXT/PLAIN\">"
            << "</FORM>";
        QTest::newRow("textarea") << buildTextArea({"msg", 4, 40})
            << "<TEXTAREA NAME=\"msg\" ROWS=\"4\" COLS=\"40\">" << "</TEXTAREA>";
        QTest::newRow("font, only an alt. face") << buildFontTag({"", "no", "", "Arial", ""})
                                                  << "<FONT>" << "</FONT>";
        QTest::newRow("font, two faces")
            << buildFontTag({"+1", "#FF0000", "Verdana", "", "Arial"})
            << "<FONT COLOR=\"#FF0000\" SIZE=\"+1\" FACE=\"Verdana, Arial\">" << "</FONT>";
        QTest::newRow("font, default colour") << buildFontTag({"", "default", "Courier", "", ""})
                                              << "<FONT FACE=\"Courier\">" << "</FONT>";
    }
    void wrapTags() {
        QFETCH(WrapTexts, actual);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QCOMPARE(actual.start, start);
        QCOMPARE(actual.end, end);
    }

    void fieldsFromTags() {
        const FontFields f = fontFieldsFromTag(
            QStringLiteral("<font size=+2 color='#00FF00'\n face=\"Verdana, Arial,Helvetica, x\">"));
        QCOMPARE(f.size, QStringLiteral("+2"));
        QCOMPARE(f.color, QStringLiteral("#00FF00"));
        // A fourth face stays with the last field, so that writing the tag again keeps it.
        QCOMPARE(QStringList({f.face, f.altFace1, f.altFace2}),
                 QStringList({"Verdana", "Arial", "Helvetica, x"}));
        QCOMPARE(fontFieldsFromTag(QStringLiteral("<BASEFONT>")).color, QStringLiteral("no"));
        // Round trip: what the dialog writes it reads back.
        const FontFields again = fontFieldsFromTag(buildFontTag(f).start);
        QCOMPARE(again.face, f.face);
        QCOMPARE(again.altFace2, f.altFace2);

        const FormTagFields form = formFieldsFromTag(
            QStringLiteral("<FORM ACTION=\"a.cgi\" METHOD=GET NOVALIDATE ENCTYPE=\"x/y\">"));
        QCOMPARE(form.action, QStringLiteral("a.cgi"));
        QCOMPARE(form.method, QStringLiteral("GET"));
        QCOMPARE(form.enctype, QStringLiteral("x/y"));
        QCOMPARE(form.other, QStringLiteral(" NOVALIDATE"));
        QCOMPARE(tagAttributeValue(QStringLiteral("<A XACTION=1 ACTION=2>"), "action"), "2");
    }

    void framesets_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QList<int>>("frames");
        QTest::addColumn<QStringList>("expected");
        const int cols = int(FrameLayout::Direction::Columns);
        const int rows = int(FrameLayout::Direction::Rows);

        QTest::newRow("two columns") << cols << QList<int>{1, 1} << lines({
            "<FRAMESET ROWS=\"100%\" COLS=\"50%,*\">",
            "          <FRAME NAME=\"FRAME1\" SRC=\"\" SCROLLING=\"AUTO\">",
            "          <FRAME NAME=\"FRAME2\" SRC=\"\" SCROLLING=\"AUTO\">", "</FRAMESET>",
            "\\end", "0000"});
        QTest::newRow("three columns, middle split") << cols << QList<int>{1, 3, 1} << lines({
            "<FRAMESET ROWS=\"100%\" COLS=\"33%,33%,*\">",
            "          <FRAME NAME=\"FRAME1\" SRC=\"\" SCROLLING=\"AUTO\">",
            "     <FRAMESET ROWS=\"34%,34%,*\">", // 67 height units: 33.5 rounds to even
            "          <FRAME NAME=\"FRAME2\" SRC=\"\" SCROLLING=\"AUTO\">",
            "          <FRAME NAME=\"FRAME3\" SRC=\"\" SCROLLING=\"AUTO\">",
            "          <FRAME NAME=\"FRAME4\" SRC=\"\" SCROLLING=\"AUTO\">", "     </FRAMESET>",
            "          <FRAME NAME=\"FRAME5\" SRC=\"\" SCROLLING=\"AUTO\">", "</FRAMESET>",
            "\\end", "0000"});
        QTest::newRow("rows of one frame") << rows << QList<int>{1, 1, 1, 1} << lines({
            "<FRAMESET COLS=\"100%\" ROWS=\"25%,25%,25%,*\">",
            "          <FRAME NAME=\"FRAME1\" SRC=\"\" SCROLLING=\"AUTO\">",
            "          <FRAME NAME=\"FRAME2\" SRC=\"\" SCROLLING=\"AUTO\">",
            "          <FRAME NAME=\"FRAME3\" SRC=\"\" SCROLLING=\"AUTO\">",
            "          <FRAME NAME=\"FRAME4\" SRC=\"\" SCROLLING=\"AUTO\">", "</FRAMESET>",
            "\\end", "0000"});
        QTest::newRow("rows, second split") << rows << QList<int>{1, 2} << lines({
            "<FRAMESET COLS=\"100%\" ROWS=\"50%,*\">",
            "          <FRAME NAME=\"FRAME1\" SRC=\"\" SCROLLING=\"AUTO\">",
            "     <FRAMESET COLS=\"50%,*\">",
            "          <FRAME NAME=\"FRAME2\" SRC=\"\" SCROLLING=\"AUTO\">",
            "          <FRAME NAME=\"FRAME3\" SRC=\"\" SCROLLING=\"AUTO\">", "     </FRAMESET>",
            "</FRAMESET>", "\\end", "0000"});
    }
    void framesets() {
        QFETCH(int, direction);
        QFETCH(QList<int>, frames);
        QFETCH(QStringList, expected);
        QCOMPARE(buildFramesetBlock(FrameLayout(FrameLayout::Direction(direction), frames), asIs),
                 expected);
    }

    void frameAttributes() {
        FrameLayout l(FrameLayout::Direction::Columns, {1, 1});
        FrameRecord &f = l.frame(0, 0);
        f.name = QStringLiteral("_top");
        f.url = QStringLiteral("/web/menu.htm");
        f.scrolling = QStringLiteral("No");
        f.marginHeight = QStringLiteral("4");
        f.noResize = true;
        f.frameborder = QStringLiteral("no");
        f.bordercolor = QStringLiteral("red");
        f.framespacing = QStringLiteral("2");
        l.frame(1, 0).marginWidth = QString(); // emptied: no empty attribute is written
        l.frameset = {QStringLiteral("3"), QStringLiteral("#00ff00"), QStringLiteral("yes")};
        const QStringList out = buildFramesetBlock(
            l, [](const QString &u) -> QString { return u.isEmpty() ? u : QStringLiteral("ref:") + u; });
        QCOMPARE(out.at(0), QStringLiteral("<FRAMESET ROWS=\"100%\" COLS=\"50%,*\" BORDER=\"3\" "
                                           "BORDERCOLOR=\"#00FF00\" FRAMEBORDER=\"YES\">"));
        QCOMPARE(out.at(1), QStringLiteral("          <FRAME NAME=\"_top\" SRC=\"ref:/web/menu.htm\" "
                                           "SCROLLING=\"NO\" MARGINHEIGHT=\"4\" NORESIZE "
                                           "FRAMEBORDER=\"NO\" BORDERCOLOR=\"RED\" "
                                           "FRAMESPACING=\"2\">"));
        QCOMPARE(out.at(2),
                 QStringLiteral("          <FRAME NAME=\"FRAME2\" SRC=\"\" SCROLLING=\"AUTO\">"));
    }

    // Each step: which frame, width or height, the percentage typed; then whether it was taken
    // and the stored sizes of the frames it concerns.
    void resizing_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QList<int>>("frames");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("width");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QList<int>>("sizes"); // widths (or heights) of group 0..n, frame index
        const int cols = int(FrameLayout::Direction::Columns);
        const int rows = int(FrameLayout::Direction::Rows);
        QTest::newRow("column wider") << cols << QList<int>{1, 2, 1} << 0 << 0 << true << 50
                                      << true << QList<int>{150, 50, 100};
        QTest::newRow("last column") << cols << QList<int>{1, 1} << 1 << 0 << true << 30 << false
                                     << QList<int>{150, 150};
        QTest::newRow("next column keeps 1 unit") << cols << QList<int>{1, 1} << 0 << 0 << true
                                                  << 99 << true << QList<int>{297, 3};
        QTest::newRow("next column would vanish") << cols << QList<int>{1, 1} << 0 << 0 << true
                                                  << 100 << false << QList<int>{150, 150};
        QTest::newRow("zero percent") << cols << QList<int>{1, 1} << 0 << 0 << true << 0 << false
                                      << QList<int>{150, 150};
        QTest::newRow("frame taller") << cols << QList<int>{2, 1} << 0 << 0 << false << 70 << true
                                      << QList<int>{140, 60};
        QTest::newRow("next frame keeps 2 units") << cols << QList<int>{2, 1} << 0 << 0 << false
                                                  << 99 << true << QList<int>{198, 2};
        QTest::newRow("next frame below 2 units") << cols << QList<int>{2, 1} << 0 << 0 << false
                                                  << 100 << false << QList<int>{100, 100};
        QTest::newRow("last frame of column") << cols << QList<int>{2, 1} << 0 << 1 << false << 20
                                              << false << QList<int>{100, 100};
        QTest::newRow("row taller") << rows << QList<int>{1, 1} << 0 << 0 << false << 80 << true
                                    << QList<int>{160, 40};
        QTest::newRow("frame in row wider") << rows << QList<int>{3, 1} << 0 << 1 << true << 50
                                            << true << QList<int>{100, 150, 50};
        QTest::newRow("last row") << rows << QList<int>{1, 1} << 1 << 0 << false << 10 << false
                                  << QList<int>{100, 100};
    }
    void resizing() {
        QFETCH(int, direction);
        QFETCH(QList<int>, frames);
        QFETCH(int, group);
        QFETCH(int, index);
        QFETCH(bool, width);
        QFETCH(int, percent);
        QFETCH(bool, accepted);
        QFETCH(QList<int>, sizes);
        FrameLayout l(FrameLayout::Direction(direction), frames);
        const bool columns = l.direction() == FrameLayout::Direction::Columns;
        QCOMPARE(width ? l.setWidthPercent(group, index, percent)
                       : l.setHeightPercent(group, index, percent),
                 accepted);
        // Resizing whole rows/columns reads group by group; frames within group `group`.
        const bool alongGroups = width == columns;
        QList<int> actual;
        if (alongGroups) {
            for (int g = 0; g < l.groupCount(); ++g) {
                actual << (width ? l.frame(g, 0).width : l.frame(g, 0).height);
                for (int f = 1; f < l.frameCount(g); ++f) // the whole group moves together
                    QCOMPARE(width ? l.frame(g, f).width : l.frame(g, f).height, actual.last());
            }
        } else {
            for (int f = 0; f < l.frameCount(group); ++f)
                actual << (width ? l.frame(group, f).width : l.frame(group, f).height);
        }
        QCOMPARE(actual, sizes);
    }

    void percentagesRoundHalvesToEven_data() {
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("100") << 100 << 33 << 50;
        QTest::newRow("67") << 67 << 22 << 34;
        QTest::newRow("65") << 65 << 22 << 32;
        QTest::newRow("43") << 43 << 14 << 22;
        QTest::newRow("1") << 1 << 0 << 0;
    }
    void percentagesRoundHalvesToEven() {
        QFETCH(int, units);
        QFETCH(int, width);
        QFETCH(int, height);
        QCOMPARE(FrameLayout::widthPercent(units), width);
        QCOMPARE(FrameLayout::heightPercent(units), height);
    }
};

QTEST_GUILESS_MAIN(TestLayoutBuilders)
#include "tst_layoutbuilders.moc"
