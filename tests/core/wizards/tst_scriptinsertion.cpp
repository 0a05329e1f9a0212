// The JavaScript wizard's placement rules, its script texts and the custom script files.
#include "common/filesizelimit.h"
#include "common/testfiles.h"
#include "text/tagextent.h"
#include "wizards/customscripts.h"
#include "wizards/javascripttemplates.h"
#include "wizards/scriptinsertion.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstring>

namespace {

const QString Page =
    QStringLiteral("<HTML>\n<HEAD>\n<TITLE>t</TITLE>\n</HEAD>\n<BODY>\nx\n</BODY>\n</HTML>");
const QString BasicTags = QStringLiteral(
    "Before you can add a java script, please fill the HTML document with the basic tags "
    "(<HTML>,<HEAD>,<BODY>).");
const QString BasicTagsHtml = QStringLiteral(
    "Before you can add a java script, please fill the html file with the basic tags "
    "(<HTML>,<TITLE>,<HEAD>).");

// The document as it stands when the block arrives: edits applied, the block below caretLine.
QString afterPlacement(const QString &text, const ScriptPlacement &p) {
    QStringList lines = applyTextEdits(text, p.edits).split(QLatin1Char('\n'));
    if (p.insertBlock)
        for (int i = p.block.indexOf(QStringLiteral("\\end")) - 1; i >= 0; --i)
            lines.insert(p.caretLine + 1, p.block.at(i));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class ScriptInsertionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placement_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret"); // the selection is empty
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("body");       // the body start tag afterwards
        QTest::addColumn<QString>("beforeHead"); // the line right above "</HEAD" afterwards
        const QString withScroller = afterPlacement(
            Page,
            placeScript(Page, 0, 0,
                        {scrollerScript(QStringLiteral("hi"), 50), scrollerIdentity(), QString()}));

        QTest::newRow("scroller") << "scroller" << Page << 0 << ""
                                  << "<BODY onLoad=\"scroller()\">"
                                  << "          </script>";
        QTest::newRow("no </HEAD") << "scroller"
                                   << "<HTML><BODY></BODY>" << 0 << BasicTags << "<BODY>"
                                   << "";
        QTest::newRow("no <BODY") << "ticker"
                                  << "<HEAD></HEAD>" << 0 << BasicTags << ""
                                  << "";
        QTest::newRow("second scroller adds only the attribute")
            << "scroller" << withScroller << 0
            << "The scroller script already exist in this document."
            << "<BODY onLoad=\"scroller()\" onLoad=\"scroller()\">"
            << "";
        QTest::newRow("lower-case tags") << "marquee" << Page.toLower() << 0 << ""
                                         << "<body onLoad=\"marquee()\">"
                                         << "          </script>";
        QTest::newRow("marker after </HEAD does not count")
            << "ticker" << Page + QStringLiteral("\nfunction textticker()") << 0 << ""
            << "<BODY onLoad=\"textticker()\">"
            << "      </script>";
        QTest::newRow("autoscroll twice") << "autoscroll" << withScroller << 0 << ""
                                          << "<BODY onLoad=\"scroller()\">"
                                          << "          </script>";
        QTest::newRow("</HEAD on the first line gets a line of its own")
            << "scroller"
            << "<HTML><HEAD></HEAD><BODY></BODY></HTML>" << 0 << ""
            << "<BODY onLoad=\"scroller()\">"
            << "          </script>";
        QTest::newRow("fade in") << "fade in" << Page << 0 << ""
                                 << "<BODY>"
                                 << "          </script>";
        QTest::newRow("fade out") << "fade out" << Page << 0 << ""
                                  << "<BODY onUnLoad=\"fadeout()\">"
                                  << "          </script>";
        QTest::newRow("fade without </HEAD") << "fade in"
                                             << "<BODY>" << 0 << BasicTagsHtml << "<BODY>"
                                             << "";
        QTest::newRow("clock") << "clock" << Page << 0 << ""
                               << "<BODY onLoad=\"startclock()\">"
                               << "          </script>";
        QTest::newRow("clock joins an existing onLoad")
            << "clock" << QString(Page).replace("<BODY>", "<BODY onLoad=\"go()\">") << 0 << ""
            << "<BODY onLoad=\"startclock(); go()\">"
            << "          </script>";
        QTest::newRow("clock joins an onLoad behind a quoted \">\"")
            << "clock"
            << QString(Page).replace("<BODY>", "<BODY onClick=\"if(a>b)c()\" onLoad=\"go()\">")
            << 0 << "" << "<BODY onClick=\"if(a>b)c()\" onLoad=\"startclock(); go()\">"
            << "          </script>";
        QTest::newRow("clock present: form only")
            << "clock" << afterPlacement(Page, placeClock(Page, 0, 0)) << 0 << ""
            << "<BODY onLoad=\"startclock()\">"
            << "";
    }
    void placement() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(int, caret);
        ScriptPlacement p;
        if (kind == QLatin1String("scroller"))
            p = placeScript(text, caret, 0, {scrollerScript("hi", 50), scrollerIdentity(), {}});
        else if (kind == QLatin1String("ticker"))
            p = placeScript(text, caret, 0,
                            {tickerScript({"a"}), tickerIdentity(), tickerElement(1)});
        else if (kind == QLatin1String("marquee"))
            p = placeScript(text, caret, 0, {marqueeScript("m", 60), marqueeIdentity(), {}});
        else if (kind == QLatin1String("autoscroll"))
            p = placeScript(text, caret, 0, {autoscrollScript(), autoscrollIdentity(), {}});
        else if (kind == QLatin1String("clock"))
            p = placeClock(text, caret, 0);
        else {
            const FadeType type =
                kind == QLatin1String("fade in") ? FadeType::FadeIn : FadeType::FadeOut;
            p = placeFade(text, fadeScript({type, FadeBlack, {150, 150, 150}, 64}), type);
        }
        QTEST(p.message, "message");
        QFETCH(QString, beforeHead);
        QCOMPARE(p.insertBlock, !beforeHead.isEmpty());
        if (p.message == BasicTags || p.message == BasicTagsHtml)
            QVERIFY(p.edits.isEmpty());
        const QString after = afterPlacement(text, p);
        const QStringList lines = after.split(QLatin1Char('\n'));
        const int body = after.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
        QTEST(body < 0 ? QString() : after.mid(body, tagClose(after, body) - body + 1), "body");
        if (p.insertBlock) {
            int head = 0;
            while (!lines.at(head).contains(QLatin1String("</head"), Qt::CaseInsensitive))
                ++head;
            QCOMPARE(lines.at(head - 1), beforeHead);
            QCOMPARE(p.block.mid(p.block.size() - 2), QStringList({"\\end", "0000"}));
        }
        if (kind == QLatin1String("clock") && text == Page)
            QCOMPARE(after.count(clockElement()), 1);
    }

    void elementReplacesSelection() {
        const int x = int(Page.indexOf(QLatin1String("\nx\n"))) + 1;
        const ScriptPlacement p =
            placeScript(Page, x, 1, {tickerScript({"a"}), tickerIdentity(), tickerElement(7)});
        QVERIFY(afterPlacement(Page, p).contains(
            QStringLiteral("\n<form name=\"tickform\"><input type=text name=\"tickfield\" "
                           "size=7></form>\n</BODY>")));
        // A selection reaching into "</HEAD" is kept: the element goes in front of it.
        const int head = int(Page.indexOf(QLatin1String("</HEAD")));
        const ScriptPlacement q =
            placeScript(Page, head - 1, 3, {tickerScript({"a"}), tickerIdentity(), "<E>"});
        QVERIFY(applyTextEdits(Page, q.edits).contains(QLatin1String("</TITLE><E>\n</HEAD>")));
        // So does a caret inside "<BODY".
        const int body = int(Page.indexOf(QLatin1String("<BODY")));
        const ScriptPlacement r =
            placeScript(Page, body + 2, 0, {tickerScript({"a"}), tickerIdentity(), "<E>"});
        QVERIFY(applyTextEdits(Page, r.edits).contains(QLatin1String("<E><BODY onLoad")));
        QVERIFY(q.insertBlock);
    }

    void speedDelay_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("delay");
        QTest::newRow("very fast") << "very fast" << 10;
        QTest::newRow("fast") << "fast" << 30;
        QTest::newRow("medium") << "medium" << 50;
        QTest::newRow("middle") << "middle" << 50;
        QTest::newRow("slow") << "slow" << 70;
        QTest::newRow("very slow") << "very slow" << 90;
        QTest::newRow("typed in other case") << "Very Slow" << 90;
        QTest::newRow("anything else") << "quick" << 50;
    }
    void speedDelay() {
        QFETCH(QString, word);
        QTEST(scrollerDelay(word), "delay");
        QFETCH(int, delay);
        QVERIFY(scrollerScript("t", delay)
                    .contains(QStringLiteral("          var DELAY    = %1").arg(delay)));
    }

    void fadeColors_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("page colour") << "<BODY BGCOLOR=\"#FF8000\">" << 255 << 128 << 0;
        QTest::newRow("lower case")
            << "<body text=\"#000000\" bgcolor=\"#0a0b0c\">" << 10 << 11 << 12;
        QTest::newRow("none") << "<BODY>" << 150 << 150 << 150;
        QTest::newRow("colour name") << "<BODY BGCOLOR=\"white\">" << 150 << 150 << 150;
        QTest::newRow("short value") << "<BODY BGCOLOR=\"#FFF\">" << 150 << 150 << 150;
        QTest::newRow("a cell's colour is not the page's")
            << "<BODY><TD BGCOLOR=\"#FF0000\">" << 150 << 150 << 150;
    }
    void fadeColors() {
        QFETCH(QString, body);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QCOMPARE(pageColorForFade(body), (RgbValue{red, green, blue}));
    }

    void fadeCalls_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        const QString in = QStringLiteral("fade(0xFF,0xFF,0xFF, 0x0A,0x80,0x00, 2);");
        const QString out = QStringLiteral("fade(0x0A,0x80,0x00, 0xFF,0xFF,0xFF, 2);");
        QTest::newRow("in") << int(FadeType::FadeIn) << in << "/* " + out + "*/";
        QTest::newRow("out") << int(FadeType::FadeOut) << "/* " + in + "*/" << out;
        QTest::newRow("both") << int(FadeType::Both) << in << out;
    }
    void fadeCalls() {
        QFETCH(int, type);
        const QStringList s = fadeScript({FadeType(type), FadeWhite, {10, 128, 0}, 2});
        QFETCH(QString, in);
        QFETCH(QString, out);
        QVERIFY(s.contains("          " + in));
        QVERIFY(s.contains("          " + out));
        QCOMPARE(s.at(s.size() - 3), QStringLiteral("          fadein();"));
    }

    void templates_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("indent");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QString>("line");
        QTest::newRow("scroller") << scrollerScript("say \"hi\"", 50) << 10 << "function scroller()"
                                  << "          var MESSAGE  = \"say \\\"hi\\\"\"";
        QTest::newRow("ticker") << tickerScript({"one", "", "two"}) << 6 << "function textticker()"
                                << "      \t\"one\",\n      \t\"two\"";
        QTest::newRow("marquee") << marqueeScript("m", 42) << 10 << "function marquee()"
                                 << "                  if(position++==42) position=0;";
        QTest::newRow("autoscroll") << autoscrollScript() << 10 << ""
                                    << "          var pageheight = 450;";
        QTest::newRow("slide show")
            << slideShowScript({"a.gif", "b.jpg"}, "2000") << 6 << "function change()"
            << "      var delay = 2000;\n      var count = 2;";
        QTest::newRow("slide lines") << slideShowScript({"a.gif", "b.jpg"}, "2000") << 6 << ""
                                     << "              this[1] = \"b.jpg\";";
        QTest::newRow("clock") << clockScript() << 10 << "function startclock"
                               << "";
        QTest::newRow("custom") << customScriptBlock("<script>\r\nx\n</script>\n") << 10 << ""
                                << "";
    }
    void templates() {
        QFETCH(QStringList, lines);
        QFETCH(int, indent);
        QFETCH(QString, marker);
        QFETCH(QString, line);
        const QString prefix(indent, QLatin1Char(' '));
        for (const QString &l : lines)
            QVERIFY2(l.startsWith(prefix), qPrintable(l));
        QVERIFY(lines.first().endsWith(QLatin1String("<script>")) ||
                lines.first() == prefix + "<script language=\"JavaScript\">");
        QVERIFY(lines.last().endsWith(QLatin1String("</script>")));
        QVERIFY(lines.join('\n').contains(marker));
        QVERIFY(lines.join('\n').contains(line));
    }

    void detour_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("no <TITLE>") << "<HEAD></HEAD><BODY>"
                                    << "No <TITLE> tag found.";
        QTest::newRow("no </TITLE>") << "<TITLE>t<BODY>"
                                     << "No </TITLE> tag found.";
        QTest::newRow("no <BODY>") << "<TITLE>t</TITLE>"
                                   << "No <BODY> tag found.";
        QTest::newRow("complete") << "<title>Old</title>\n<body bgcolor=\"#FFFFFF\">\n"
                                  << "";
    }
    void detour() {
        QFETCH(QString, text);
        const DetourEdit d = planDetour(text, "http://x.org/", "Moved - ");
        QTEST(d.message, "message");
        if (!d.message.isEmpty()) {
            QVERIFY(d.edits.isEmpty());
            return;
        }
        QCOMPARE(applyTextEdits(text, d.edits),
                 QStringLiteral("<title>Moved - Old</title>\n"
                                "<META HTTP-EQUIV=\"Refresh\" CONTENT=\"5; URL=http://x.org/\">\n"
                                "<body bgcolor=\"#FFFFFF\">\n<H1>This page has moved!</H1><P>\n"
                                "<H2>Please update your bookmarks to:<P>\n"
                                "<A HREF=\"http://x.org/\">http://x.org/</A></H2><P>\n"
                                "You will be transferred automatically in 5 seconds.<P>\n"));
    }

    void customScriptName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "clock"
                               << "clock.jsc";
        QTest::newRow("has the extension") << "clock.jsc"
                                           << "clock.jsc";
        QTest::newRow("upper-case extension") << "CLOCK.JSC"
                                              << "CLOCK.JSC";
        QTest::newRow("blanks") << "  "
                                << "";
        QTest::newRow("no folders") << "../x"
                                    << "";
    }
    void customScriptName() {
        QFETCH(QString, typed);
        QTEST(customScriptFileName(typed), "file");
    }

    void customScriptFiles() {
        QTemporaryDir data;
        const QString folder = customScriptFolder(data.path());
        QCOMPARE(customScriptNames(folder), QStringList());
        QString error;
        QVERIFY(writeCustomScript(folder + "/b.jsc", newCustomScriptLines().join('\n'),
                                  TextFormat(), &error));
        QVERIFY(writeCustomScript(folder + "/A.jsc", "x", TextFormat(), &error));
        QFile other(folder + "/notes.txt");
        QVERIFY(other.open(QIODevice::WriteOnly));
        QCOMPARE(customScriptNames(folder), QStringList({"A.jsc", "b.jsc"}));
        QString text;
        TextFormat format;
        QVERIFY(readCustomScript(folder + "/b.jsc", &text, &format, &error));
        QCOMPARE(customScriptBlock(text).size(), 7);
        QVERIFY(!readCustomScript(folder + "/gone.jsc", &text, &format, &error));
        QVERIFY(!error.isEmpty());
    }

    // A script is read as pages are read and "Save changes" writes it back in its own encoding
    // and line ends: an unchanged script keeps every byte.
    void scriptsKeepTheirEncoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("Windows-1252, CR LF") << QByteArray("// Caf\xE9 \x80\r\nx();\r\n")
                                            << QString::fromUtf8("// Café €\nx();\n");
        QTest::newRow("UTF-8") << QByteArray("// Caf\xC3\xA9 \xE2\x82\xAC\n")
                               << QString::fromUtf8("// Café €\n");
        QTest::newRow("UTF-16 with its mark") << QByteArray("\xFF\xFE/\0/\0\xE9\0\n\0", 10)
                                              << QString::fromUtf8("//é\n");
    }
    void scriptsKeepTheirEncoding() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir data;
        const QString path = data.filePath("s.jsc");
        writeFile(path, bytes);
        QString text, error;
        TextFormat format;
        QVERIFY2(readCustomScript(path, &text, &format, &error), qPrintable(error));
        QTEST(text, "text");
        QVERIFY(writeCustomScript(path, text, format, &error));
        QCOMPARE(readFile(path), bytes);
    }

    void aScriptSaveCutShortKeepsTheOldScript() {
        QTemporaryDir data;
        const QString path = data.filePath("s.jsc");
        writeFile(path, "old();\n");
        QString error;
        bool saved = true;
        {
            const FileSizeLimit limit(64);
            saved = writeCustomScript(path, QString(5000, 'x'), TextFormat(), &error);
        }
        QVERIFY(!saved);
        QCOMPARE(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(readFile(path), QByteArray("old();\n"));
    }
};

QTEST_GUILESS_MAIN(ScriptInsertionTest)
#include "tst_scriptinsertion.moc"
