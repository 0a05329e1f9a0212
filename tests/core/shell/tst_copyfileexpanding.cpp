#include "common/filesizelimit.h"
#include "common/scriptedprompts.h"
#include "common/szddwriter.h"
#include "common/testfiles.h"
#include "shell/copyfileexpanding.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class TestCopyFileExpanding : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void handAssembledSamples_data();
    void handAssembledSamples();
    void compressedRoundTrip_data();
    void compressedRoundTrip();
    void plainFilesCopyByteForByte_data();
    void plainFilesCopyByteForByte();
    void damagedInput_data();
    void damagedInput();
    void errors_data();
    void errors();
    void fullDiskIsReportedAsSuch();
    void anInterruptedCopyKeepsTheOldFile();
};

void TestCopyFileExpanding::handAssembledSamples_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expanded");
    // Three literals, then six bytes from window position 0xFF0: the copy overlaps its output.
    QTest::newRow("overlapping match") << QByteArray("\x07"
                                                     "ABC"
                                                     "\xF0\xF3",
                                                     6)
                                       << QByteArray("ABCABCABC");
    // A match into the untouched window reads the spaces it was filled with.
    QTest::newRow("initial spaces") << QByteArray("\x01"
                                                  "x"
                                                  "\x00\x02",
                                                  4)
                                    << QByteArray("x     ");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("eight literals, flag bits LSB first") << QByteArray("\xFF"
                                                                       "12345678"
                                                                       "\x01"
                                                                       "9",
                                                                       11)
                                                         << QByteArray("123456789");
}

void TestCopyFileExpanding::handAssembledSamples() {
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, expanded);
    QByteArray out = "untouched";
    QCOMPARE(expandSzdd(szddHeader(quint32(expanded.size())) + body, &out), CopyResult::Ok);
    QCOMPARE(out, expanded);
}

void TestCopyFileExpanding::compressedRoundTrip_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("dictionary line") << QByteArray("en_US\n");
    QByteArray html;
    for (int i = 0; i < 60; ++i)
        html += "<TR><TD>cell " + QByteArray::number(i) + "</TD></TR>\r\n";
    QTest::newRow("repetitive html") << html;
    QByteArray noise(3000, Qt::Uninitialized);
    QRandomGenerator rng(7);
    for (char &c : noise)
        c = char(rng.bounded(256));
    QTest::newRow("random bytes") << noise;
    QTest::newRow("past one window") << QByteArray(5000, 'z') + noise.left(300);
}

void TestCopyFileExpanding::compressedRoundTrip() {
    QFETCH(QByteArray, data);
    QTemporaryDir dir;
    const QByteArray packed = szddCompress(data);
    writeFile(dir.filePath("american.vt_"), packed);
    ScriptedPrompts prompts;
    QVERIFY(copyFileExpanding(dir.filePath("american.vt_"), dir.filePath("out.vtd"), &prompts));
    QCOMPARE(readFile(dir.filePath("out.vtd")), data);
    QVERIFY(prompts.records.isEmpty());
}

void TestCopyFileExpanding::plainFilesCopyByteForByte_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("text") << QByteArray("en_US\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("signature prefix only") << QByteArray("SZDD\x88\xF0", 6);
    QTest::newRow("larger than a chunk") << QByteArray(200000, '\xA5');
}

void TestCopyFileExpanding::plainFilesCopyByteForByte() {
    QFETCH(QByteArray, data);
    QTemporaryDir dir;
    writeFile(dir.filePath("src"), data);
    writeFile(dir.filePath("dst"), "older and longer content");
    QVERIFY(copyFileExpanding(dir.filePath("src"), dir.filePath("dst"), nullptr));
    QCOMPARE(readFile(dir.filePath("dst")), data);
}

void TestCopyFileExpanding::damagedInput_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("result");
    const QByteArray good = szddCompress("Hello, Hello, Hello, world");
    QTest::newRow("truncated body") << good.left(good.size() - 3) << int(CopyResult::BadFormat);
    QTest::newRow("truncated header") << good.left(11) << int(CopyResult::BadFormat);
    QTest::newRow("half a match") << szddHeader(9) + QByteArray("\x07"
                                                                "ABC"
                                                                "\xF0",
                                                                5)
                                  << int(CopyResult::BadFormat);
    QTest::newRow("size too small") << szddHeader(5) + good.mid(14) << int(CopyResult::BadFormat);
    QTest::newRow("size too large") << szddHeader(27) + good.mid(14) << int(CopyResult::BadFormat);
    QTest::newRow("absurd size") << szddHeader(0xFFFFFFF0u) + good.mid(14)
                                 << int(CopyResult::BadFormat);
    QTest::newRow("unknown mode") << szddHeader(26, 'B') + good.mid(14)
                                  << int(CopyResult::UnknownAlgorithm);
}

void TestCopyFileExpanding::damagedInput() {
    QFETCH(QByteArray, file);
    QFETCH(int, result);
    QTemporaryDir dir;
    writeFile(dir.filePath("src"), file);
    writeFile(dir.filePath("dst"), "previous");
    QCOMPARE(int(copyFileExpandingResult(dir.filePath("src"), dir.filePath("dst"))), result);
    QCOMPARE(readFile(dir.filePath("dst")), QByteArray("previous")); // nothing half-written
}

void TestCopyFileExpanding::errors_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing source") << "missing"
                                    << "dst"
                                    << "Invalid Source file handle";
    QTest::newRow("source is a folder") << "folder"
                                        << "dst"
                                        << "Invalid Source file handle";
    QTest::newRow("destination folder missing") << "plain"
                                                << "nowhere/dst"
                                                << "Invalid Destination file handle";
    QTest::newRow("destination is a folder") << "plain"
                                             << "folder"
                                             << "Invalid Destination file handle";
    QTest::newRow("corrupt") << "corrupt"
                             << "dst"
                             << "Source file format is not valid";
}

void TestCopyFileExpanding::errors() {
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    writeFile(dir.filePath("plain"), "text");
    writeFile(dir.filePath("corrupt"), szddHeader(100) + "\x01");
    ScriptedPrompts prompts;
    QVERIFY(!copyFileExpanding(dir.filePath(source), dir.filePath(destination), &prompts));
    QCOMPARE(prompts.records.size(), 1);
    QCOMPARE(prompts.records[0].kind, Prompts::Kind::Error);
    QCOMPARE(prompts.records[0].text, message);
    QVERIFY(!QFile::exists(dir.filePath("dst")));
}

void TestCopyFileExpanding::fullDiskIsReportedAsSuch() {
    QFile full("/dev/full");
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        QSKIP("no /dev/full on this system");
    QByteArray data(100000, 'x');
    QBuffer source(&data);
    QVERIFY(source.open(QIODevice::ReadOnly));
    QCOMPARE(copyExpanding(source, full), CopyResult::NoSpace);
    QCOMPARE(copyResultText(CopyResult::NoSpace),
             QString("There is insufficient space for the output file"));
    QCOMPARE(copyResultText(-42), QString("Unknown error"));
}

void TestCopyFileExpanding::anInterruptedCopyKeepsTheOldFile() {
    QTemporaryDir dir;
    writeFile(dir.filePath("src"), QByteArray(5000, 'n'));
    writeFile(dir.filePath("dst"), "old dictionary");
    bool copied = true;
    {
        const FileSizeLimit limit(64);
        copied = copyFileExpanding(dir.filePath("src"), dir.filePath("dst"), nullptr);
    }
    QVERIFY(!copied);
    QCOMPARE(readFile(dir.filePath("dst")), QByteArray("old dictionary"));
}

QTEST_GUILESS_MAIN(TestCopyFileExpanding)
#include "tst_copyfileexpanding.moc"
