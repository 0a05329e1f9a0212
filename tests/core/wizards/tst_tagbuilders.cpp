#include "wizards/tagbuilders.h"

#include <QtTest>

namespace {
// Marks converted names so the tests see which values went through the conversion.
const ReferenceMaker Ref = [](const QString &name) { return QStringLiteral("ref:") + name; };
} // namespace

Q_DECLARE_METATYPE(ImageFields)

class TestTagBuilders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void image_data();
    void image();
    void others_data();
    void others();
    void tagsReadBack();
    void readingExistingTags();
};

void TestTagBuilders::image_data() {
    QTest::addColumn<ImageFields>("fields");
    QTest::addColumn<QString>("tag");
    ImageFields empty;
    QTest::newRow("empty") << empty << R"(<IMG SRC="ref:">)";
    ImageFields example;
    example.source = "a.gif";
    example.useSize = true;
    example.width = "20";
    example.height = "10";
    example.alt = {true, "logo"};
    QTest::newRow("example") << example
                             << R"(<IMG SRC="ref:a.gif" WIDTH="20" HEIGHT="10" ALT="logo">)";
    ImageFields all = example;
    all.lowSource = {true, "low.gif"};
    all.align = {true, "absmiddle"};
    all.border = {true, "0"};
    all.vspace = {true, "1"};
    all.hspace = {true, "2"};
    all.useMap = {true, "#m"};
    all.isMap = true;
    QTest::newRow("every attribute in order")
        << all
        << R"(<IMG SRC="ref:a.gif" LOWSRC="ref:low.gif" WIDTH="20" HEIGHT="10" ALT="logo" ALIGN="ABSMIDDLE" BORDER="0" VSPACE="1" HSPACE="2" USEMAP="#m" ISMAP>)";
    ImageFields zero;
    zero.useSize = true;
    QTest::newRow("zero size") << zero << R"(<IMG SRC="ref:" WIDTH="0" HEIGHT="0">)";
    ImageFields unticked = all;
    for (OptionalField *f : {&unticked.lowSource, &unticked.alt, &unticked.align,
                             &unticked.border, &unticked.vspace, &unticked.hspace, &unticked.useMap})
        f->used = false;
    unticked.useSize = false;
    unticked.isMap = false;
    QTest::newRow("unticked fields stay out") << unticked << R"(<IMG SRC="ref:a.gif">)";
    ImageFields quotes;
    quotes.alt = {true, "say \"hi\""};
    QTest::newRow("values as typed") << quotes << R"(<IMG SRC="ref:" ALT="say "hi"">)";
}

void TestTagBuilders::image() {
    QFETCH(ImageFields, fields);
    QFETCH(QString, tag);
    const TagInsertion t = buildImageTag(fields, Ref);
    QCOMPARE(t.startText, tag);
    QCOMPARE(t.endText, QString());
    QVERIFY(t.selectionText && t.selectionText->isEmpty()); // the selection goes
}

void TestTagBuilders::others_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("expectedStart");
    QTest::addColumn<QString>("expectedEnd");
    QTest::addColumn<QString>("expectedSelection");
    auto row = [](const char *name, const TagInsertion &t, const QString &start,
                  const QString &end, const QString &selection) {
        QTest::newRow(name) << t.startText << t.endText << t.selectionText.value_or("(kept)")
                            << start << end << selection;
    };
    row("empty link", buildLinkTag({}, Ref), R"(<A HREF="ref:">)", "</A>", "");
    LinkFields link{"x.htm", "Home", {true, "_top"}, {true, "m"}, {true, "v"}, {true, "l"}, {}};
    row("link in order", buildLinkTag(link, Ref),
        R"(<A HREF="ref:x.htm" TARGET="_top" METHODS="m" REV="v" REL="l">)", "</A>", "Home");
    row("empty anchor", buildAnchorTag({}), R"(<A NAME="">)", "</A>", "");
    row("anchor", buildAnchorTag({"top", "Top", {}}), R"(<A NAME="top">)", "</A>", "Top");
    row("mail without subject", buildMailLinkTag({"a@b.c", "Write", "", true, {}}),
        R"(<A HREF="mailto:a@b.c">)", "</A>", "Write");
    row("mail with subject", buildMailLinkTag({"a@b.c", "Write", "Hi", false, {}}),
        R"(<A HREF="mailto:a@b.c" TITLE="Hi">)", "</A>", "Write");
    EmbedFields embed{"s.mid", true, "0", "0", {true, "left"}, {true, "1"}, {}};
    row("embed", buildEmbedTag(embed, Ref),
        R"(<EMBED SRC="ref:s.mid" WIDTH="0" HEIGHT="0" ALIGN="LEFT" BORDER="1">)", "", "");
    row("embed default", buildEmbedTag(EmbedFields{}, Ref), R"(<EMBED SRC="ref:">)", "", "");
}

void TestTagBuilders::others() {
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, selection);
    QTEST(start, "expectedStart");
    QTEST(end, "expectedEnd");
    QTEST(selection, "expectedSelection");
}

// What a dialog builds, the edit command reads back into the same fields.
void TestTagBuilders::tagsReadBack() {
    const ReferenceMaker same = [](const QString &n) { return n; };
    ImageFields image;
    image.source = "pics/a b.gif";
    image.lowSource = {true, "low.gif"};
    image.useSize = true;
    image.width = "120";
    image.height = "45";
    image.alt = {true, "A > B"};
    image.align = {true, "LEFT"};
    image.border = {true, "2"};
    image.useMap = {true, "#map"};
    image.isMap = true;
    const ImageFields back = imageFieldsFromTag(buildImageTag(image, same).startText);
    QCOMPARE(back.source, image.source);
    QCOMPARE(back.lowSource.text, image.lowSource.text);
    QCOMPARE(back.width, QStringLiteral("120"));
    QCOMPARE(back.height, QStringLiteral("45"));
    QVERIFY(back.useSize && back.isMap && back.alt.used && !back.vspace.used);
    QCOMPARE(back.alt.text, image.alt.text);
    QCOMPARE(back.useMap.text, image.useMap.text);

    const LinkFields link{"a.htm", "Go", {true, "main"}, {}, {}, {true, "next"}, {}};
    const TagInsertion l = buildLinkTag(link, same);
    const LinkFields linkBack = linkFieldsFromElement(l.startText + "Go" + l.endText);
    QCOMPARE(linkBack.link, link.link);
    QCOMPARE(linkBack.description, link.description);
    QVERIFY(linkBack.target.used && !linkBack.methods.used && linkBack.rel.used);

    const EmbedFields embed{"s.mid", true, "10", "20", {true, "RIGHT"}, {false, "0"}, {}};
    const EmbedFields embedBack = embedFieldsFromTag(buildEmbedTag(embed, same).startText);
    QCOMPARE(embedBack.source, embed.source);
    QCOMPARE(embedBack.height, QStringLiteral("20"));
    QVERIFY(embedBack.useSize && embedBack.align.used && !embedBack.border.used);
}

void TestTagBuilders::readingExistingTags() {
    const ImageFields percent = imageFieldsFromTag(R"(<img src=a.gif width="50%">)");
    QCOMPARE(percent.width, QStringLiteral("50%"));
    QCOMPARE(percent.height, QString()); // absent, so not written back
    QVERIFY(percent.useSize);
    QVERIFY(!percent.border.used);
    QCOMPARE(percent.border.text, QStringLiteral("0")); // the dialog's default stays

    const MailLinkFields mail =
        mailLinkFieldsFromElement(R"(<A HREF=" MAILTO:me@x.org " TITLE="Hi">me@x.org</A>)");
    QCOMPARE(mail.address, QStringLiteral("me@x.org"));
    QCOMPARE(mail.subject, QStringLiteral("Hi"));
    QVERIFY(mail.useAddress); // the description is the address
    QVERIFY(!mailLinkFieldsFromElement(R"(<A HREF="mailto:me@x.org">Write</A>)").useAddress);

    const AnchorFields anchor = anchorFieldsFromElement(R"(<a name=top>Top <b>here</b></a>)");
    QCOMPARE(anchor.name, QStringLiteral("top"));
    QCOMPARE(anchor.description, QStringLiteral("Top <b>here</b>"));
}

QTEST_GUILESS_MAIN(TestTagBuilders)
#include "tst_tagbuilders.moc"
