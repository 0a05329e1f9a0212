#include "editor/textcommands.h"
#include "editor/typedcharacters.h"

#include <QtTest>

using Latin1 = TextConversionOptions::Latin1;
using Slashes = TextConversionOptions::Slashes;
Q_DECLARE_METATYPE(TextConversionOptions::Latin1)
Q_DECLARE_METATYPE(TextConversionOptions::Slashes)

// The lines first..last of text as the editor hands them to the indent planners.
static QString changeIndent(const QString &text, int first, int last, bool indent) {
    QList<int> starts{0};
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == u'\n')
            starts.append(i + 1);
    const int start = starts[first];
    const int end = last + 1 < starts.size() ? starts[last + 1] - 1 : int(text.size());
    const QStringView lines = QStringView(text).mid(start, end - start);
    return applyTextEdits(text, indent ? planIndent(lines, start) : planUnindent(lines, start));
}

class TestTextCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entityTable_data() {
        QTest::addColumn<QChar>("character");
        QTest::addColumn<QString>("entity");
        QTest::newRow("e acute") << QChar(0xE9) << "&eacute";
        QTest::newRow("E acute") << QChar(0xC9) << "&Eacute";
        QTest::newRow("copyright") << QChar(0xA9) << "&copy";
        QTest::newRow("registered") << QChar(0xAE) << "&reg";
        QTest::newRow("sharp s") << QChar(0xDF) << "&szlig";
        QTest::newRow("y diaeresis") << QChar(0xFF) << "&yuml";
        QTest::newRow("AE ligature") << QChar(0xC6) << "&AElig";
        QTest::newRow("multiplication stays") << QChar(0xD7) << "";
        QTest::newRow("division stays") << QChar(0xF7) << "";
        QTest::newRow("no-break space stays") << QChar(0xA0) << "";
        QTest::newRow("ASCII stays") << QChar('e') << "";
        QTest::newRow("euro stays") << QChar(0x20AC) << "";
    }
    void entityTable() {
        QFETCH(QChar, character);
        QFETCH(QString, entity);
        QCOMPARE(entityForCharacter(character), entity);
        if (!entity.isEmpty())
            QCOMPARE(characterForEntity(QString(entity + u';')), character);
    }

    void everyEntityRoundTrips() {
        int count = 0;
        for (int code = 0; code < 0x10000; ++code) {
            const QString entity = entityForCharacter(QChar(code));
            if (entity.isEmpty())
                continue;
            ++count;
            QCOMPARE(characterForEntity(QString(entity + u';')), QChar(code));
        }
        QCOMPARE(count, 64);
        QVERIFY(characterForEntity(u"&EACUTE;").isNull());
        QVERIFY(characterForEntity(u"&eacute").isNull());
        QVERIFY(characterForEntity(u"&amp;").isNull());
    }

    void findText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("expected");
        QTest::newRow("first character") << "Hello"
                                         << "h" << 0 << 5 << 0;
        QTest::newRow("last character") << "abc"
                                        << "C" << 0 << 3 << 2;
        QTest::newRow("inside a word") << "Paragraph"
                                       << "GRA" << 0 << 9 << 4;
        QTest::newRow("match must end inside the range") << "abc"
                                                         << "bc" << 0 << 2 << -1;
        QTest::newRow("from skips earlier hits") << "a a a"
                                                 << "a" << 1 << 5 << 2;
        QTest::newRow("umlaut folds") << "GRÜSSE"
                                      << "ü" << 0 << 6 << 2;
        QTest::newRow("accent folds") << "café"
                                      << "CAFÉ" << 0 << 4 << 0;
        QTest::newRow("empty needle") << "abc"
                                      << "" << 0 << 3 << -1;
        QTest::newRow("from beyond the end") << "abc"
                                             << "a" << 5 << 3 << -1;
        QTest::newRow("not there") << "abc"
                                   << "d" << 0 << 3 << -1;
        QTest::newRow("across a line break") << "a\nb"
                                             << "A\nB" << 0 << 3 << 0;
    }
    void findText() {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, expected);
        QCOMPARE(::findText(text, needle, from, to), expected);
    }

    void stripAllTags_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("count");
        QTest::newRow("tags around text") << "a<b>c</b>d"
                                          << "acd" << 2;
        QTest::newRow("lone less-than") << "a < b"
                                        << "a < b" << 0;
        QTest::newRow("less-than inside a tag") << "a<b<c>d"
                                                << "ad" << 1;
        QTest::newRow("stops at an open tag") << "<a>b<c"
                                              << "b<c" << 1;
        QTest::newRow("comment counts as a tag") << "x<!-- y -->z"
                                                 << "xz" << 1;
        QTest::newRow("> inside a quoted value") << "a<IMG ALT=\"x > y\" SRC=b.gif>c"
                                                 << "ac" << 1;
        QTest::newRow("tag over lines") << "a<b\nc>d"
                                        << "ad" << 1;
        QTest::newRow("only tags") << "<p><br>"
                                   << "" << 2;
        QTest::newRow("empty") << ""
                               << "" << 0;
    }
    void stripAllTags() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(int, count);
        const TextEdits edits = planStripAllTags(text);
        QCOMPARE(applyTextEdits(text, edits), expected);
        QCOMPARE(int(edits.size()), count);
    }

    void textConversion_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Latin1>("latin1");
        QTest::addColumn<Slashes>("slashes");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("count");
        const Latin1 from = Latin1::FromEntities;
        const Latin1 to = Latin1::ToEntities;
        const Latin1 keep = Latin1::NoChange;
        QTest::newRow("capital E acute") << "&Eacute;" << from << Slashes::NoChange << "É" << 1;
        QTest::newRow("entities outside the table")
            << "&amp; &quot; &#233; &nbsp;" << from << Slashes::NoChange
            << "&amp; &quot; &#233; &nbsp;" << 0;
        QTest::newRow("two in a row") << "&eacute;&Uuml;" << from << Slashes::NoChange << "éÜ" << 2;
        QTest::newRow("five characters") << "&reg;" << from << Slashes::NoChange << "®" << 1;
        QTest::newRow("eight characters") << "&Ccedil;" << from << Slashes::NoChange << "Ç" << 1;
        QTest::newRow("no semicolon")
            << "&eacute x" << from << Slashes::NoChange << "&eacute x" << 0;
        QTest::newRow("ampersand before an entity")
            << "&&eacute;" << from << Slashes::NoChange << "&é" << 1;
        QTest::newRow("nearest semicolon decides")
            << "&reg;acute;" << from << Slashes::NoChange << "®acute;" << 1;
        QTest::newRow("case counts") << "&EACUTE;" << from << Slashes::NoChange << "&EACUTE;" << 0;
        QTest::newRow("to entities") << "é×÷" << to << Slashes::NoChange << "&eacute;×÷" << 1;
        QTest::newRow("to entities over lines")
            << "Ünï\n\nß" << to << Slashes::NoChange << "&Uuml;n&iuml;\n\n&szlig;" << 3;
        QTest::newRow("backslash to slash")
            << "<A HREF=\"a\\b.htm\">" << keep << Slashes::BackslashToSlash
            << "<A HREF=\"a/b.htm\">" << 1;
        QTest::newRow("backslash right after less-than")
            << "<\\x>" << keep << Slashes::BackslashToSlash << "<\\x>" << 0;
        QTest::newRow("end tag keeps its slash")
            << "</B> a/b" << keep << Slashes::SlashToBackslash << "</B> a\\b" << 1;
        QTest::newRow("every other slash")
            << "http://x/" << keep << Slashes::SlashToBackslash << "http:\\\\x\\" << 3;
        QTest::newRow("both kinds at once")
            << "&eacute; a\\b" << from << Slashes::BackslashToSlash << "é a/b" << 2;
        QTest::newRow("nothing chosen")
            << "é a\\b &eacute;" << keep << Slashes::NoChange << "é a\\b &eacute;" << 0;
    }
    void textConversion() {
        QFETCH(QString, text);
        QFETCH(Latin1, latin1);
        QFETCH(Slashes, slashes);
        QFETCH(QString, expected);
        QFETCH(int, count);
        TextConversionOptions options;
        options.latin1 = latin1;
        options.slashes = slashes;
        const TextEdits edits = planTextConversion(text, options);
        QCOMPARE(applyTextEdits(text, edits), expected);
        QCOMPARE(int(edits.size()), count);
    }

    void indent_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("indent");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two of three lines") << "ab\ncd\nef" << 0 << 1 << true << "\tab\n\tcd\nef";
        QTest::newRow("empty lines too") << "a\n\nb" << 0 << 2 << true << "\ta\n\t\n\tb";
        QTest::newRow("last line alone") << "a\nb" << 1 << 1 << true << "a\n\tb";
        QTest::newRow("unindent takes one tab")
            << "\t\ta\nb\n\tc" << 0 << 2 << false << "\ta\nb\nc";
        QTest::newRow("unindent leaves spaced lines")
            << " \ta\n\tb" << 0 << 1 << false << " \ta\nb";
        QTest::newRow("unindent outside the range")
            << "\ta\n\tb\n\tc" << 1 << 1 << false << "\ta\nb\n\tc";
    }
    void indent() {
        QFETCH(QString, text);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(bool, indent);
        QFETCH(QString, expected);
        QCOMPARE(changeIndent(text, first, last, indent), expected);
    }

    void replaceAll_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("doubling terminates") << "a a a" << 0 << 0 << "a"
                                             << "aa"
                                             << "aa aa aa";
        QTest::newRow("from the middle") << "x1 x2 x3" << 3 << 0 << "x"
                                         << "y"
                                         << "x1 y2 y3";
        QTest::newRow("adjacent hits of the same length") << "abab" << 0 << 2 << "ab"
                                                          << "cd"
                                                          << "cdcd";
        QTest::newRow("ignores case") << "ABC abc" << 0 << 0 << "abc"
                                      << "x"
                                      << "x x";
        QTest::newRow("folds umlauts") << "Über über" << 0 << 0 << "ü"
                                       << "u"
                                       << "uber uber";
        QTest::newRow("hits do not overlap") << "aaa" << 0 << 0 << "aa"
                                             << "b"
                                             << "ba";
        QTest::newRow("selected hit first") << "a b a b" << 4 << 1 << "a"
                                            << "x"
                                            << "a b x b";
        QTest::newRow("selection not a hit") << "a b a" << 1 << 1 << "a"
                                             << "x"
                                             << "a b x";
        QTest::newRow("to nothing") << "a-b-c" << 0 << 0 << "-"
                                    << ""
                                    << "abc";
        QTest::newRow("empty needle") << "abc" << 0 << 0 << ""
                                      << "x"
                                      << "abc";
        QTest::newRow("empty text") << "" << 0 << 0 << "a"
                                    << "b"
                                    << "";
    }
    void replaceAll() {
        QFETCH(QString, text);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(QString, needle);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        const TextEdits edits =
            planReplaceAll(text, selectionStart, selectionLength, needle, replacement);
        QCOMPARE(applyTextEdits(text, edits), expected);
    }

    void blockInsertion_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("linesUp");
        QTest::newRow("table") << QStringList{"<TABLE>", "</TABLE>", "\\end", "0501"}
                               << QStringList{"<TABLE>", "</TABLE>"} << 5 << 1;
        QTest::newRow("two-digit values")
            << QStringList{"a", "\\end", "1203"} << QStringList{"a"} << 12 << 3;
        QTest::newRow("no caret code") << QStringList{"a", "\\end"} << QStringList{"a"} << 0 << 0;
        QTest::newRow("no terminator") << QStringList{"a", "b"} << QStringList{"a", "b"} << 0 << 0;
        QTest::newRow("unreadable code")
            << QStringList{"a", "\\end", "x?"} << QStringList{"a"} << 0 << 0;
        QTest::newRow("entries after the code are ignored")
            << QStringList{"a", "\\end", "0000", "b"} << QStringList{"a"} << 0 << 0;
    }
    void blockInsertion() {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, lines);
        QFETCH(int, column);
        QFETCH(int, linesUp);
        const BlockInsertion block = parseBlockInsertion(entries);
        QCOMPARE(block.lines, lines);
        QCOMPARE(block.column, column);
        QCOMPARE(block.linesUp, linesUp);
    }
};

QTEST_GUILESS_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
