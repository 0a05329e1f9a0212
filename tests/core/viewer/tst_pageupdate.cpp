// A page brought up to an edited text by reading only the part around the edit must be the page
// that reading the whole edited text gives: the same sections, text, styles, lines and places,
// the same source offsets, anchors and page-wide settings. Each case edits a page of several
// checkpoints at many places and compares the two pages in full.
#include "viewer/fixedfontmetrics.h"
#include "viewer/htmlreader.h"
#include "viewer/pageupdate.h"
#include "viewer/sectionlist.h"
#include "viewer/tablesection.h"
#include "viewer/textsection.h"

#include <QtTest>

namespace {

constexpr int Width = 500;

QString fontText(const SectionList &doc, int id) {
    const DocumentFont &f = doc.font(id);
    return QStringLiteral("%1/%2/%3%4%5%6/%7/%8")
        .arg(f.family)
        .arg(f.pointSize)
        .arg(f.bold)
        .arg(f.italic)
        .arg(f.underline)
        .arg(f.fixedPitch)
        .arg(f.script)
        .arg(f.color, 0, 16);
}

void dumpCell(const SectionList &doc, const Cell &cell, QStringList &out, const QString &indent);

// Everything a section shows and answers, with fonts by value (their numbers may differ).
void dumpSection(const SectionList &doc, const SectionBase &s, QStringList &out,
                 const QString &indent) {
    out << QStringLiteral("%1kind %2 y %3 h %4 level %5 source %6")
               .arg(indent)
               .arg(int(s.kind()))
               .arg(s.y())
               .arg(s.height())
               .arg(s.listLevel())
               .arg(s.source());
    if (auto *t = dynamic_cast<const TextSection *>(&s)) {
        out << indent + QStringLiteral(" text [%1] at %2 align %3 font %4")
                            .arg(t->text())
                            .arg(t->position())
                            .arg(t->alignment())
                            .arg(fontText(doc, t->fontId()));
        for (const TextSection::Run &r : t->runs())
            out << indent + QStringLiteral(" run %1 %2 %3 %4")
                                .arg(r.start)
                                .arg(fontText(doc, r.fontId), r.link)
                                .arg(r.linkSource);
        for (const TextSection::Line &l : t->lines())
            out << indent + QStringLiteral(" line %1-%2 x %3 y %4 h %5 w %6")
                                .arg(l.start)
                                .arg(l.end)
                                .arg(l.x)
                                .arg(l.y)
                                .arg(l.height)
                                .arg(l.width);
        for (const SourceMap::Mark &m : t->sources().marks())
            out << indent + QStringLiteral(" mark %1 @ %2").arg(m.index).arg(m.source);
    }
    if (auto *table = dynamic_cast<const TableSection *>(&s)) {
        if (const Cell *caption = table->caption())
            dumpCell(doc, *caption, out, indent + QStringLiteral("  caption "));
        for (const TableSection::Entry &e : table->entries()) {
            out << indent + QStringLiteral(" cell %1,%2 span %3x%4 at %5,%6 %7x%8")
                                .arg(e.row)
                                .arg(e.column)
                                .arg(e.colSpan)
                                .arg(e.rowSpan)
                                .arg(e.x)
                                .arg(e.y)
                                .arg(e.width)
                                .arg(e.height);
            dumpCell(doc, *e.content, out, indent + QStringLiteral("  "));
        }
    }
}

void dumpCell(const SectionList &doc, const Cell &cell, QStringList &out, const QString &indent) {
    for (const auto &s : cell.sections())
        dumpSection(doc, *s, out, indent);
}

QStringList dump(const SectionList &doc, int height, int widest) {
    QStringList out;
    out << QStringLiteral("height %1 widest %2 positions %3").arg(height).arg(widest).arg(
        doc.positionCount());
    out << QStringLiteral("title [%1] base [%2] colours %3 %4 %5 picture [%6]")
               .arg(doc.title(), doc.baseReference())
               .arg(doc.fontColor(), 0, 16)
               .arg(doc.linkColor(), 0, 16)
               .arg(doc.backgroundColor(), 0, 16)
               .arg(doc.backgroundImage());
    for (const SectionList::AnchorPlace &a : doc.anchorPlaces())
        out << QStringLiteral("anchor %1 @ %2").arg(a.name).arg(a.source);
    dumpCell(doc, doc, out, QString());
    // What a click leads to and where the caret's place shows.
    for (int p = 0; p < doc.positionCount(); p += 23)
        out << QStringLiteral("position %1 -> %2").arg(p).arg(doc.sourceAt(p, QString()));
    return out;
}

struct Page {
    SectionList doc;
    int height = 0;
    int widest = 0;
};

void readWhole(Page &page, const QString &html) {
    static FixedFontMetrics metrics;
    HtmlReader(page.doc).read(html);
    LayoutContext ctx;
    ctx.metrics = &metrics;
    page.height = page.doc.doLayout(ctx, Width, page.widest);
}

// A page of every kind of block, long enough for many checkpoints.
QString mixedPage() {
    QString html = QStringLiteral(
        "<HTML><HEAD><TITLE>Mixed</TITLE></HEAD>\n<BODY BGCOLOR=\"#FFFFEE\" LINK=\"#008000\">\n");
    for (int i = 0; i < 40; ++i) {
        html += QStringLiteral("<H%1><A NAME=\"s%2\">Part %2</A></H%1>\n").arg(1 + i % 3).arg(i);
        html += QStringLiteral("<P>Words of part %1 with <B>bold and <I>italic</I></B> text, "
                               "<A HREF=\"p%1.htm\">a link</A> &amp; an entity.\n")
                    .arg(i);
        switch (i % 5) {
        case 0:
            html += QStringLiteral("<UL><LI>one<LI>two<OL><LI>inner %1</OL></UL>\n").arg(i);
            break;
        case 1:
            html += QStringLiteral("<TABLE BORDER=1><TR><TD>cell %1<TD>more\n"
                                   "<TR><TD COLSPAN=2>wide cell</TABLE>\n")
                        .arg(i);
            break;
        case 2:
            html += QStringLiteral("<PRE>\n  code %1\n    indented\n</PRE>\n").arg(i);
            break;
        case 3:
            html += QStringLiteral("<IMG SRC=\"x.gif\" WIDTH=60 HEIGHT=80 ALIGN=LEFT>Beside a "
                                   "floated picture, text %1 runs on and on.<BR CLEAR=ALL>\n")
                        .arg(i);
            break;
        default:
            html += QStringLiteral("<DL><DT>term %1<DD>meaning</DL><HR>\n"
                                   "<CENTER><FONT SIZE=+2 COLOR=\"#800000\">big</FONT>"
                                   "</CENTER>\n")
                        .arg(i);
        }
    }
    return html + QStringLiteral("</BODY></HTML>\n");
}

} // namespace

class TestPageUpdate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void anEditReadsAsTheWholePageWould_data() {
        QTest::addColumn<QString>("inserted"); // put at many places of the page
        QTest::addColumn<int>("removed");      // characters removed there first
        QTest::newRow("a letter") << "x" << 0;
        QTest::newRow("a space") << " " << 0;
        QTest::newRow("a line end") << "\n" << 0;
        QTest::newRow("a character removed") << "" << 1;
        QTest::newRow("a word replaced") << "changed" << 5;
        QTest::newRow("bold begun") << "<B>" << 0;
        QTest::newRow("an end tag") << "</FONT>" << 0;
        QTest::newRow("a list begun") << "<UL><LI>" << 0;
        QTest::newRow("a list ended") << "</UL>" << 0;
        QTest::newRow("a table begun") << "<TABLE><TR><TD>" << 0;
        QTest::newRow("a table ended") << "</TABLE>" << 0;
        QTest::newRow("preformatted begun") << "<PRE>" << 0;
        QTest::newRow("a link begun") << "<A HREF=\"new.htm\">" << 0;
        QTest::newRow("an anchor") << "<A NAME=\"s3\">here</A>" << 0;
        QTest::newRow("a tag half typed") << "<TAB" << 0;
        QTest::newRow("a comment begun") << "<!-- " << 0;
        QTest::newRow("an entity") << "&eacute;" << 0;
        QTest::newRow("the page's colours") << "<BODY TEXT=\"#0000FF\">" << 0;
        QTest::newRow("a title") << "<TITLE>New</TITLE>" << 0;
        QTest::newRow("a floated picture") << "<IMG SRC=\"y.gif\" WIDTH=90 HEIGHT=200 ALIGN=RIGHT>"
                                           << 0;
        QTest::newRow("a tag broken") << "" << 3;
    }
    void anEditReadsAsTheWholePageWould() {
        QFETCH(QString, inserted);
        QFETCH(int, removed);
        static FixedFontMetrics metrics;
        const QString before = mixedPage();
        QVERIFY(before.size() > 6 * HtmlReader::CheckpointStride);
        int updated = 0;
        for (int at = 0; at + removed <= before.size(); at += 167) {
            QString after = before;
            after.replace(at, removed, inserted);
            Page page;
            readWhole(page, before);
            LayoutContext ctx;
            ctx.metrics = &metrics;
            int height = 0, widest = 0;
            if (!PageUpdate::apply(page.doc, before, after, ctx, Width, 1 << 20, height, widest))
                continue; // read as a whole page instead
            ++updated;
            Page whole;
            readWhole(whole, after);
            const QStringList got = dump(page.doc, height, widest);
            const QStringList want = dump(whole.doc, whole.height, whole.widest);
            if (got != want) {
                int line = 0;
                while (line < got.size() && line < want.size() && got[line] == want[line])
                    ++line;
                QFAIL(qPrintable(QStringLiteral("edit at %1: line %2 is [%3], the whole page "
                                                "read gives [%4]")
                                     .arg(at)
                                     .arg(line)
                                     .arg(got.value(line), want.value(line))));
            }
        }
        // Most places lie after the first checkpoint: the update did its work there.
        QVERIFY2(updated > before.size() / 167 / 2, qPrintable(QString::number(updated)));
    }
};

QTEST_MAIN(TestPageUpdate)
#include "tst_pageupdate.moc"
