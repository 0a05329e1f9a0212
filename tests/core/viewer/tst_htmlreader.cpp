// The reader: symbols, entities, white space, fonts, and the sections it builds.
#include "viewer/headingspace.h"
#include "viewer/htmlreader.h"
#include "viewer/htmlsource.h"
#include "viewer/htmltables.h"
#include "viewer/numbereditem.h"
#include "viewer/sectionlist.h"
#include "viewer/tablesection.h"

#include <QtTest>

namespace {

// One line per section: a tag for its kind and, for text, the text with placeholders as '#'.
QString dumpCell(const Cell &cell) {
    QStringList lines;
    for (const auto &s : cell.sections()) {
        QString line;
        switch (s->kind()) {
        case SectionBase::Kind::Text:
            line = "T";
            break;
        case SectionBase::Kind::Preformatted:
            line = "L";
            break;
        case SectionBase::Kind::Bullet:
            line = "B";
            break;
        case SectionBase::Kind::Definition:
            line = "D";
            break;
        case SectionBase::Kind::Numbered:
            line = "N(" + QString::number(static_cast<const NumberedItem &>(*s).number()) + ")";
            break;
        case SectionBase::Kind::ParagraphSpace:
            line = "P";
            break;
        case SectionBase::Kind::HeadingSpace:
            line = "H" + QString::number(static_cast<const HeadingSpace &>(*s).level());
            break;
        case SectionBase::Kind::Rule:
            line = "R";
            break;
        case SectionBase::Kind::Table: {
            const auto &t = static_cast<const TableSection &>(*s);
            line = QString("TABLE %1x%2").arg(t.rowCount()).arg(t.columnCount());
            break;
        }
        }
        if (auto *t = dynamic_cast<const TextSection *>(s.get())) {
            if (t->text().isEmpty())
                continue; // empty sections take no room; they do not matter here
            QString text = t->text();
            text.replace(QChar(4), '#');
            line += QString::number(t->level()) + ":" + text;
        }
        lines << line;
    }
    return lines.join('|');
}

struct Parsed {
    SectionList doc;
    bool ok = false;
    QString error;
};

std::unique_ptr<Parsed> parse(const QString &html, int defaultSize = 12) {
    auto p = std::make_unique<Parsed>();
    p->doc.setDefaultFontSize(defaultSize);
    HtmlReader reader(p->doc);
    p->ok = reader.read(html);
    p->error = reader.errorString();
    return p;
}

const TextSection *firstText(const Cell &cell) {
    for (const auto &s : cell.sections())
        if (auto *t = dynamic_cast<const TextSection *>(s.get()); t && !t->isEmpty())
            return t;
    return nullptr;
}

// Every section of the document, table cells and captions included.
void collectSections(const Cell &cell, QSet<const SectionBase *> &out) {
    for (const auto &s : cell.sections()) {
        out.insert(s.get());
        if (auto *t = dynamic_cast<const TableSection *>(s.get())) {
            if (t->caption())
                collectSections(*t->caption(), out);
            for (const auto &e : t->entries())
                collectSections(*e.content, out);
        }
    }
}

} // namespace

class TestHtmlReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fixedTablesHaveTheirSizes() {
        QCOMPARE(HtmlTables::entityTableSize(), 71);
        QCOMPARE(HtmlTables::tagFromName(u"BASEFONT", false), HtmlTag::Basefont);
        QCOMPARE(HtmlTables::tagFromName(u"P", true), HtmlTag::P);
        // Tags without an end form are unknown in their end form.
        QCOMPARE(HtmlTables::tagFromName(u"BR", true), HtmlTag::Unknown);
        QCOMPARE(HtmlTables::tagFromName(u"BLINK", false), HtmlTag::Unknown);
        QCOMPARE(HtmlTables::parseColor(u"fuchsia").value(), QRgb(0xFF00FF));
        QCOMPARE(HtmlTables::parseColor(u"#00ff80").value(), QRgb(0x00FF80));
        QVERIFY(!HtmlTables::parseColor(u"#GG0000").has_value());
    }

    void text_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("text");
        QTest::newRow("amp") << "a&amp;b"
                             << "a&b";
        QTest::newRow("amp capitals stay") << "a&AMP;b"
                                           << "a&AMP;b";
        QTest::newRow("amp without semicolon") << "a&amp b"
                                               << "a&amp b";
        QTest::newRow("unknown entity") << "&bogus;"
                                        << "&bogus;";
        QTest::newRow("long name") << "&abcdefgh;"
                                   << "&abcdef"
                                      "gh;";
        QTest::newRow("latin letters")
            << "&Agrave;&yuml;&szlig;&THORN;" << QString::fromUtf8("ÀÿßÞ");
        QTest::newRow("nbsp copy reg") << "&nbsp;&copy;&reg;" << QString::fromUtf8("\u00A0©®");
        QTest::newRow("numeric 65") << "&#65;"
                                    << "A";
        QTest::newRow("numeric 7 gives 1") << "&#7;" << QString(QChar(1));
        QTest::newRow("numeric euro") << "&#8364;" << QString::fromUtf8("€");
        QTest::newRow("numeric 1252 range") << "&#150;" << QString::fromUtf8("–");
        QTest::newRow("hexadecimal") << "&#x41;&#x3b1;" << QString::fromUtf8("Aα");
        QTest::newRow("numeric unclosed") << "&#65 x"
                                          << "&#65 x";
        QTest::newRow("astral") << "&#128512;" << QString::fromUtf8("😀");
        QTest::newRow("bare ampersand") << "AT&T & co"
                                        << "AT&T & co";
        QTest::newRow("spaces fold") << "  one   two \r\n\t three  "
                                     << "one two three ";
        QTest::newRow("stray gt hidden") << "a > b"
                                         << "a b";
        QTest::newRow("comment") << "a<!-- x -->b"
                                 << "ab";
        QTest::newRow("comment with inner dashes") << "a<!-- x -- y -->b"
                                                   << "ab";
        QTest::newRow("comment with spaced end") << "a<!-- x -- \r\n >b"
                                                 << "ab";
        QTest::newRow("declaration") << "<!DOCTYPE html>a"
                                     << "a";
        QTest::newRow("unknown tag skipped") << "a<blink>b</blink>c"
                                             << "abc";
        QTest::newRow("quoted value") << "<span title=\"a b\">c"
                                      << "c";
        QTest::newRow("script content hidden") << "a<script>if (a<b) x();</script>b"
                                               << "ab";
        QTest::newRow("utf8 text")
            << QString::fromUtf8("Ελληνικά 日本語") << QString::fromUtf8("Ελληνικά 日本語");
        QTest::newRow("long text kept whole") << QString(30000, 'x') << QString(30000, 'x');
    }
    void text() {
        QFETCH(QString, html);
        QFETCH(QString, text);
        auto p = parse(html);
        const TextSection *t = firstText(p->doc);
        QVERIFY(t);
        QCOMPARE(t->text(), text);
    }

    void decoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("plain") << "plain";
        QTest::newRow("utf-8") << QByteArray("\xce\xb1\xce\xb2 \xe2\x82\xac")
                               << QString::fromUtf8("αβ €");
        QTest::newRow("utf-8 with mark") << QByteArray("\xef\xbb\xbfx") << "x";
        QTest::newRow("windows-1252")
            << QByteArray("caf\xe9 \x80 \x93q\x94") << QString::fromUtf8("café € “q”");
    }
    void decoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(HtmlSource::decode(bytes), text);
    }

    void openCommentIsAnError() {
        auto p = parse("before<!-- never closed");
        QVERIFY(!p->ok);
        QCOMPARE(p->error, QString("Open Comment at End of HTML File"));
        // What came before stays.
        QCOMPARE(firstText(p->doc)->text(), QString("before"));
        QVERIFY(parse("<!-- closed -->").get()->ok);
    }

    void sections_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("sections");
        QTest::newRow("paragraphs") << "one<P>two<p></P> <P>three"
                                    << "T0:one|P|T0:two|P|T0:three";
        QTest::newRow("br keeps empty lines") << "a<BR><BR>b"
                                              << "T0:a|T0: |T0:b";
        QTest::newRow("heading") << "x<H2>Title</H2>y"
                                 << "T0:x|H2|T0:Title|H2|T0:y";
        QTest::newRow("heading 7 has no level") << "<H7>t</H7>"
                                                << "H0|T0:t|H0";
        QTest::newRow("rule") << "a<HR>b"
                              << "T0:a|R|T0:b";
        QTest::newRow("unordered list") << "<UL><LI>a<LI>b</UL>c"
                                        << "B1:a|B1:b|T0:c";
        QTest::newRow("ordered list with start") << "<OL START=4><LI>a<LI>b</OL>"
                                                 << "N(4)1:a|N(5)1:b";
        QTest::newRow("ordered list at the largest number")
            << "<OL START=2147483647><LI>a<LI>b</OL>"
            << "N(2147483647)1:a|N(2147483647)1:b";
        QTest::newRow("nested lists") << "<UL><LI>a<OL><LI>b</OL>c</UL>"
                                      << "B1:a|N(1)2:b|T1:c";
        QTest::newRow("definition list") << "<DL><DT>term<DD>meaning</DL>"
                                         << "D0:term|D1:meaning";
        QTest::newRow("any list end closes") << "<UL><LI>a</OL>b"
                                             << "B1:a|T0:b";
        QTest::newRow("blockquote") << "a<BLOCKQUOTE>q</BLOCKQUOTE>b"
                                    << "T0:a|T1:q|T0:b";
        QTest::newRow("pre keeps spaces") << "<PRE>\n a  b\n\nc</PRE>d"
                                          << "L0: a  b|L0: |L0:c|T0:d";
        QTest::newRow("pre shows gt") << "<PRE>a > b</PRE>"
                                      << "L0:a > b";
        QTest::newRow("pre br ends line") << "<PRE>a<BR>\nb</PRE>"
                                          << "L0:a|L0:b";
        QTest::newRow("image placeholder") << "a<IMG SRC=x.gif>b"
                                           << "T0:a#b";
        QTest::newRow("form controls") << "<FORM><INPUT NAME=a><SELECT><OPTION>x</SELECT></FORM>"
                                       << "T0:##";
        QTest::newRow("table") << "a<TABLE><TR><TD>1<TD>2<TR><TD COLSPAN=3>3</TABLE>b"
                               << "T0:a|TABLE 2x3|T0:b";
        QTest::newRow("text between cells goes before") << "<TABLE>x<TR><TD>1</TD>y</TABLE>"
                                                        << "T0: |T0:xy|TABLE 1x1";
        QTest::newRow("many columns") << "<TABLE><TR>" + QString("<TD>c").repeated(40) + "</TABLE>"
                                      << "T0: |TABLE 1x40";
        QTest::newRow("absurdly wide rows are bounded")
            << "<TABLE><TR>" + QString("<TD COLSPAN=1000>c").repeated(3) + "</TABLE>"
            << "T0: |TABLE 1x1000";
        QTest::newRow("row span reserves cells")
            << "<TABLE><TR><TD ROWSPAN=2>a<TD>b<TR><TD>c</TABLE>"
            << "T0: |TABLE 2x2";
        QTest::newRow("end of body") << "a</BODY>b"
                                     << "T0:a";
    }
    void sections() {
        QFETCH(QString, html);
        QFETCH(QString, sections);
        auto p = parse(html);
        QCOMPARE(dumpCell(p->doc), sections);
    }

    void fontSizes_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("defaultSize");
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("bold");
        QTest::newRow("plain") << "x" << 12 << 12 << false;
        QTest::newRow("h1") << "<H1>x</H1>" << 12 << 24 << true;
        QTest::newRow("h3 centred") << "<H3 ALIGN=center>x</H3>" << 12 << 15 << true;
        QTest::newRow("h6") << "<H6>x</H6>" << 12 << 8 << true;
        QTest::newRow("h7") << "<H7>x</H7>" << 12 << 12 << false;
        QTest::newRow("font +1") << "<FONT SIZE=+1>x</FONT>" << 12 << 14 << false;
        QTest::newRow("font quoted -2") << "<FONT SIZE=\"-2\">x</FONT>" << 12 << 8 << false;
        QTest::newRow("font 7") << "<FONT SIZE=7>x</FONT>" << 12 << 36 << false;
        QTest::newRow("font 9 ignored") << "<FONT SIZE=9>x</FONT>" << 12 << 12 << false;
        QTest::newRow("largest step ignored")
            << "<FONT SIZE=+2147483647>x</FONT>" << 12 << 12 << false;
        QTest::newRow("smallest step ignored")
            << "<BASEFONT SIZE=-2147483648>x" << 12 << 12 << false;
        QTest::newRow("basefont moves relative sizes")
            << "<BASEFONT SIZE=5><FONT SIZE=+1>x" << 12 << 24 << false;
        QTest::newRow("big") << "<BIG>x</BIG>" << 12 << 14 << false;
        QTest::newRow("small") << "<SMALL>x</SMALL>" << 12 << 10 << false;
        QTest::newRow("tt") << "<TT>x</TT>" << 12 << 10 << false;
        QTest::newRow("pre font size 4") << "<PRE><FONT SIZE=4>x</FONT></PRE>" << 12 << 12 << false;
        QTest::newRow("bold") << "<B>x</B>" << 12 << 12 << true;
        QTest::newRow("scaled to 10") << "x" << 10 << 10 << false;
        QTest::newRow("h1 scaled to 10") << "<H1>x</H1>" << 10 << 20 << true;
        QTest::newRow("h3 scaled to 10") << "<H3>x</H3>" << 10 << 13 << true;
    }
    void fontSizes() {
        QFETCH(QString, html);
        QFETCH(int, defaultSize);
        QFETCH(int, points);
        QFETCH(bool, bold);
        auto p = parse(html, defaultSize);
        const TextSection *t = firstText(p->doc);
        QVERIFY(t);
        const int at = int(t->text().indexOf('x'));
        const DocumentFont &f = p->doc.font(t->fontIdAt(at));
        QCOMPARE(f.pointSize, points);
        QCOMPARE(f.bold, bold);
    }

    void fontEndsRestoreTheFontBefore() {
        auto p = parse("<FONT COLOR=red>a<FONT SIZE=9>b</FONT>c</FONT>d");
        const TextSection *t = firstText(p->doc);
        QCOMPARE(t->text(), QString("abcd"));
        QCOMPARE(p->doc.font(t->fontIdAt(2)).color, QRgb(0xFFFF0000));
        QCOMPARE(p->doc.font(t->fontIdAt(3)).color, p->doc.fontColor());
    }

    void headingIsCentredByItsAlign() {
        auto p = parse("<H3 ALIGN=center>x</H3><P ALIGN=RIGHT>y");
        QStringList seen;
        for (const auto &s : p->doc.sections())
            if (auto *t = dynamic_cast<const TextSection *>(s.get()); t && !t->isEmpty())
                seen << t->text() + QString::number(t->alignment());
        QCOMPARE(seen, QStringList({"x2", "y3"}));
    }

    void linksAndAnchors() {
        auto p = parse("<BODY LINK=#FF0000><A NAME=top></A>see <A HREF=\"b.htm#x\">here</A>.");
        const TextSection *t = firstText(p->doc);
        QCOMPARE(t->text(), QString("see here."));
        const auto &runs = t->runs();
        QCOMPARE(runs.size(), size_t(3));
        QCOMPARE(runs[1].link, QString("b.htm#x"));
        QVERIFY(p->doc.font(runs[1].fontId).underline);
        QCOMPARE(p->doc.font(runs[1].fontId).color, QRgb(0xFFFF0000));
        QVERIFY(runs[2].link.isEmpty());
        QVERIFY(p->doc.anchor("TOP"));
        QVERIFY(p->doc.anchor("top"));
        QVERIFY(!p->doc.anchor("bottom"));
    }

    // An anchor names a section of the document, wherever the markup puts it.
    void anchorsStandInTheDocument_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("sectionText");
        QTest::newRow("before body") << "<HTML><HEAD><TITLE>t</TITLE></HEAD><A NAME=\"top\"></A>"
                                        "<BODY BGCOLOR=red>text <A HREF=\"#top\">up</A>"
                                     << "text up";
        QTest::newRow("in text") << "a<P><A NAME=top>b</A>" << "b";
        QTest::newRow("between cells") << "<TABLE><TR><A NAME=top><TD>cell</TABLE>after"
                                       << "";
        QTest::newRow("in a cell") << "<TABLE><TR><TD>x<BR><A NAME=top>cell</TABLE>" << "cell";
        QTest::newRow("in a caption") << "<TABLE><CAPTION><A NAME=top>c</CAPTION></TABLE>"
                                      << "c";
        QTest::newRow("in the first of two captions")
            << "<TABLE><CAPTION><A NAME=top>c</CAPTION><CAPTION>d</CAPTION></TABLE>" << "c";
        QTest::newRow("in a list") << "<UL><LI>a<LI><A NAME=top>b</UL>" << "b";
        QTest::newRow("in preformatted text") << "<PRE>a\n<A NAME=top>b</PRE>" << "b";
        QTest::newRow("first of a name counts") << "<A NAME=top>a</A><P><A NAME=TOP>b</A>"
                                                << "a";
        QTest::newRow("at the end") << "a<P><A NAME=top>" << "";
    }
    void anchorsStandInTheDocument() {
        QFETCH(QString, html);
        QFETCH(QString, sectionText);
        auto p = parse(html);
        QCOMPARE(p->doc.anchorNames(), QStringList("TOP"));
        const SectionBase *anchored = p->doc.anchor("top");
        QSet<const SectionBase *> all;
        collectSections(p->doc, all);
        QVERIFY(all.contains(anchored));
        const auto *text = dynamic_cast<const TextSection *>(anchored);
        QVERIFY(text);
        QCOMPARE(text->text(), sectionText);
    }

    void bodyAppliesOnlyBeforeText_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("applied");
        QTest::newRow("first") << "<HTML><HEAD><TITLE>t</TITLE></HEAD>\n<BODY BGCOLOR=red>x"
                               << true;
        QTest::newRow("after text") << "text<BODY BGCOLOR=red>x" << false;
        QTest::newRow("after paragraph") << "<P><BODY BGCOLOR=red>x" << false;
    }
    void bodyAppliesOnlyBeforeText() {
        QFETCH(QString, html);
        QFETCH(bool, applied);
        auto p = parse(html);
        QCOMPARE(p->doc.backgroundColor() == 0xFFFF0000, applied);
    }

    void titleAndBase() {
        auto p = parse("<TITLE> My\n  page </TITLE><BASE HREF=\"file:///C|/web/\">x");
        QCOMPARE(p->doc.title(), QString("My page"));
        QCOMPARE(p->doc.baseReference(), QString("file:///C|/web/"));
        QCOMPARE(firstText(p->doc)->text(), QString("x"));
    }

    void cellAlignmentIsCaseInsensitive() {
        auto p = parse("<TABLE><TR><TD ALIGN=Center>x<TH>y<TD>z</TABLE>");
        const auto *table = dynamic_cast<const TableSection *>(p->doc.sections().back().get());
        QVERIFY(table);
        QStringList alignments;
        for (const auto &e : table->entries())
            alignments << QString::number(firstText(*e.content)->alignment());
        QCOMPARE(alignments, QStringList({"2", "2", "1"}));
        // TH is bold for its own cell only.
        const TextSection *th = firstText(*table->entries()[1].content);
        const TextSection *td = firstText(*table->entries()[2].content);
        QVERIFY(p->doc.font(th->fontIdAt(0)).bold);
        QVERIFY(!p->doc.font(td->fontIdAt(0)).bold);
    }

    void deepNestingIsReadFlat_data() {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("close");
        QTest::newRow("lists") << "<UL><LI>x"
                               << "</UL>";
        QTest::newRow("blockquotes") << "<BLOCKQUOTE>x"
                                     << "</BLOCKQUOTE>";
        QTest::newRow("tables") << "<TABLE><TR><TD>x"
                                << "</TD></TABLE>";
        QTest::newRow("unclosed tables") << "<TABLE><TD>x"
                                         << "";
    }
    void deepNestingIsReadFlat() {
        QFETCH(QString, open);
        QFETCH(QString, close);
        auto p = parse(open.repeated(10000) + close.repeated(10000) + "end");
        QVERIFY(p->ok);
        QVERIFY(!p->doc.sections().empty());
        int deepest = 0;
        for (const auto &s : p->doc.sections())
            if (auto *t = dynamic_cast<const TextSection *>(s.get()))
                deepest = qMax(deepest, t->level());
        QVERIFY(deepest <= HtmlReader::MaxNesting);
    }

    void positionsNumberAllText() {
        auto p = parse("ab<TABLE><TR><TD>cd</TABLE>ef");
        // "ab" + break, "cd" + break, "ef" + break, with empty sections taking one position.
        QVERIFY(p->doc.positionCount() >= 9);
        QString all;
        p->doc.copyText(0, p->doc.positionCount(), all);
        QCOMPARE(all.simplified(), QString("ab cd ef"));
    }
};

QTEST_GUILESS_MAIN(TestHtmlReader)
#include "tst_htmlreader.moc"
