#include "documents/textcodec.h"

#include <QtTest>

Q_DECLARE_METATYPE(TextFormat::Encoding)

class TestTextCodec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filesRoundTripByteForByte_data();
    void filesRoundTripByteForByte();
    void every1252ByteRoundTrips();
    void mixedLineEndsBecomeTheMajorityStyle_data();
    void mixedLineEndsBecomeTheMajorityStyle();
    void charactersWindows1252CannotHold_data();
    void charactersWindows1252CannotHold();
    void refusesBinaryFiles_data();
    void refusesBinaryFiles();
};

void TestTextCodec::filesRoundTripByteForByte_data() {
    using E = TextFormat::Encoding;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<E>("encoding");
    QTest::addColumn<bool>("bom");
    QTest::addColumn<bool>("crlf");
    QTest::addColumn<QString>("text");
    QTest::newRow("utf-8 lf") << QByteArray("<P>Gr\xC3\xBC\xC3\x9F"
                                            "e</P>\n")
                              << E::Utf8 << false << false << QString("<P>Grüße</P>\n");
    QTest::newRow("utf-8 bom crlf") << QByteArray("\xEF\xBB\xBF<P>\xE2\x82\xAC</P>\r\nx\r\n")
                                    << E::Utf8 << true << true << QString("<P>€</P>\nx\n");
    QTest::newRow("line ends first") << QByteArray("\r\n\r\nx\r\n") << E::Utf8 << false << true
                                     << QString("\n\nx\n");
    QTest::newRow("utf-8 beyond bmp") << QByteArray("\xF0\x9F\x98\x80") << E::Utf8 << false << false
                                      << QString::fromUcs4(U"\U0001F600");
    QTest::newRow("second bom is text") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << E::Utf8
                                        << true << false << QString(QChar(0xFEFF)) + "x";
    QTest::newRow("1252 crlf") << QByteArray("<P>Gr\xFC\xDF"
                                             "e \x80 \x93q\x94</P>\r\n")
                               << E::Windows1252 << false << true
                               << QString("<P>Grüße € “q”</P>\n");
    QTest::newRow("1252 lf no final line end") << QByteArray("caf\xE9\nna\xEFve") << E::Windows1252
                                               << false << false << QString("café\nnaïve");
    QTest::newRow("bom before invalid utf-8 stays as text")
        << QByteArray("\xEF\xBB\xBFx\xE9") << E::Windows1252 << false << false << QString("ï»¿xé");
    QTest::newRow("truncated utf-8 sequence")
        << QByteArray("ab\xC3") << E::Windows1252 << false << false << QString("abÃ");
    QTest::newRow("overlong utf-8")
        << QByteArray("\xC0\xAF") << E::Windows1252 << false << false << QString("À¯");
    QTest::newRow("ascii") << QByteArray("<HTML>\n</HTML>\n") << E::Utf8 << false << false
                           << QString("<HTML>\n</HTML>\n");
    QTest::newRow("ascii, legacy meta") << QByteArray("<META HTTP-EQUIV=\"Content-Type\" "
                                                      "CONTENT=\"text/html; charset=iso-8859-1\">")
                                        << E::Windows1252 << false << false
                                        << QString("<META HTTP-EQUIV=\"Content-Type\" "
                                                   "CONTENT=\"text/html; charset=iso-8859-1\">");
    QTest::newRow("ascii, html5 meta")
        << QByteArray("<meta charset='Windows-1252'>") << E::Windows1252 << false << false
        << QString("<meta charset='Windows-1252'>");
    QTest::newRow("ascii, latin-9 is not latin-1")
        << QByteArray("<meta charset=iso-8859-15>") << E::Utf8 << false << false
        << QString("<meta charset=iso-8859-15>");
    QTest::newRow("ascii, meta too late")
        << QByteArray(5000, ' ') + "<meta charset=iso-8859-1>" << E::Utf8 << false << false
        << QString(5000, ' ') + "<meta charset=iso-8859-1>";
    QTest::newRow("empty") << QByteArray() << E::Utf8 << false << false << QString();
    QTest::newRow("utf-16le crlf") << QByteArray("\xFF\xFE<\0P\0>\0\xAC\x20\r\0\n\0", 14)
                                   << E::Utf16LE << true << true << QString("<P>€\n");
    QTest::newRow("utf-16be lf beyond bmp")
        << QByteArray("\xFE\xFF\0a\xD8\x3D\xDE\x00\0\n", 10) << E::Utf16BE << true << false
        << QString::fromUcs4(U"a\U0001F600\n");
    QTest::newRow("utf-16le mark only") << QByteArray("\xFF\xFE") << E::Utf16LE << true << false
                                        << QString();
}

void TestTextCodec::filesRoundTripByteForByte() {
    QFETCH(QByteArray, bytes);
    QFETCH(TextFormat::Encoding, encoding);
    QFETCH(bool, bom);
    QFETCH(bool, crlf);
    QFETCH(QString, text);
    const DecodedText d = decodeDocument(bytes);
    QVERIFY(d.ok);
    QCOMPARE(d.text, text);
    QCOMPARE(d.format.encoding, encoding);
    QCOMPARE(d.format.bom, bom);
    QCOMPARE(d.format.crlf, crlf);
    QCOMPARE(encodeDocument(d.text, d.format), bytes);
}

void TestTextCodec::every1252ByteRoundTrips() {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all += char(b);
    const DecodedText d = decodeDocument(all);
    QVERIFY(d.ok);
    QCOMPARE(d.format.encoding, TextFormat::Encoding::Windows1252);
    QCOMPARE(d.text.size(), all.size());
    QCOMPARE(d.text.at(0x81 - 1 - 2), QChar(0x81)); // undefined bytes keep their C1 code point
    QCOMPARE(encodeDocument(d.text, d.format), all);

}

void TestTextCodec::mixedLineEndsBecomeTheMajorityStyle_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("mostly crlf") << QByteArray("a\r\nb\r\nc\nd") << QString("a\nb\nc\nd")
                                 << QByteArray("a\r\nb\r\nc\r\nd");
    QTest::newRow("mostly lf") << QByteArray("a\nb\nc\r\nd\n") << QString("a\nb\nc\nd\n")
                               << QByteArray("a\nb\nc\nd\n");
    QTest::newRow("lone cr among crlf") << QByteArray("a\rb\r\nc\r\n") << QString("a\nb\nc\n")
                                        << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("cr before crlf") << QByteArray("a\r\r\nb\r\n") << QString("a\n\nb\n")
                                    << QByteArray("a\r\n\r\nb\r\n");
}

void TestTextCodec::mixedLineEndsBecomeTheMajorityStyle() {
    // The editor holds "\n" only, so no stray CR can reach the text; the file is told mixed.
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    const DecodedText d = decodeDocument(bytes);
    QCOMPARE(d.text, text);
    QVERIFY(d.mixedLineEnds);
    QCOMPARE(encodeDocument(d.text, d.format), written);
    QVERIFY(!decodeDocument("a\r\nb\r\n").mixedLineEnds);
    // Old CR-only files read as lines too; they are written back with LF.
    const DecodedText crOnly = decodeDocument("a\rb\r");
    QCOMPARE(crOnly.text, QString("a\nb\n"));
    QCOMPARE(encodeDocument(crOnly.text, crOnly.format), QByteArray("a\nb\n"));
}

void TestTextCodec::charactersWindows1252CannotHold_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("euro is in 1252") << QString("€5")
                                     << QByteArray("\x80"
                                                   "5");
    QTest::newRow("greek") << QString("α=β") << QByteArray("&#945;=&#946;");
    QTest::newRow("beyond bmp whole")
        << QString::fromUcs4(U"x\U0001F600y") << QByteArray("x&#128512;y");
    QTest::newRow("c1 without a byte") << QString(QChar(0x80)) << QByteArray("&#128;");
    QTest::newRow("undefined byte's code point") << QString(QChar(0x8D)) << QByteArray("\x8D");
    QTest::newRow("latin-1") << QString("ÿ") << QByteArray("\xFF");
}

void TestTextCodec::charactersWindows1252CannotHold() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    TextFormat f;
    f.encoding = TextFormat::Encoding::Windows1252;
    f.bom = true; // meaningless for Windows-1252 and ignored
    QCOMPARE(encodeDocument(text, f), bytes);
}

void TestTextCodec::refusesBinaryFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("nul") << QByteArray("GIF89a\0\0\x01", 9) << "binary file";
    QTest::newRow("nul at end") << QByteArray("<HTML>\0", 7) << "NUL bytes";
    QTest::newRow("utf-16 without mark") << QByteArray("<\0H\0T\0M\0L\0>\0", 12)
                                         << "without a byte-order mark";
    QTest::newRow("utf-16be without mark") << QByteArray("\0<\0H\0T\0M\0L\0>", 12)
                                           << "without a byte-order mark";
    QTest::newRow("utf-16 half a character") << QByteArray("\xFF\xFE<\0H", 5) << "not valid UTF-16";
    QTest::newRow("utf-16 nul character") << QByteArray("\xFF\xFE" "a\0\0\0", 6) << "NUL bytes";
    QTest::newRow("utf-32") << QByteArray("\xFF\xFE\0\0<\0\0\0", 8) << "UTF-32";
}

void TestTextCodec::refusesBinaryFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fragment);
    const DecodedText d = decodeDocument(bytes);
    QVERIFY(!d.ok);
    QVERIFY2(d.error.contains(fragment), qPrintable(d.error));
    QVERIFY(d.text.isEmpty());
}

QTEST_GUILESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
