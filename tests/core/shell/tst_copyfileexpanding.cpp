#include "common/filesizelimit.h"
#include "common/scriptedprompts.h"
#include "common/szddwriter.h"
#include "common/testfiles.h"
#include "shell/copyfileexpanding.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

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
    void aCopyKeepsTheSourcesPermissionsAndReplacesALink();
    void anInterruptedCopyKeepsTheOldFileAndSaysWhy();
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
    QTest::addColumn<QString>("reason"); // after "Can not copy <source> to <destination>: "
    const QString noSuchFile = QString::fromLocal8Bit(std::strerror(ENOENT));
    const QString notRegular = "it is not a regular file (it is a folder, a pipe or a device).";
    QTest::newRow("missing source") << "missing" << "dst" << noSuchFile + ".";
    QTest::newRow("source is a folder") << "folder" << "dst" << notRegular;
    QTest::newRow("source is a pipe") << "pipe" << "dst" << notRegular;
    QTest::newRow("source links to a device") << "zero" << "dst" << notRegular;
    QTest::newRow("destination folder missing")
        << "plain" << "nowhere/dst" << noSuchFile + ": the folder \"%1/nowhere\" is not there.";
    QTest::newRow("destination is a folder")
        << "plain" << "folder" << QString::fromLocal8Bit(std::strerror(EISDIR)) + ".";
    QTest::newRow("destination folder is read-only")
        << "plain" << "locked/dst"
        << QString::fromLocal8Bit(std::strerror(EACCES)) + ": the folder \"%1/locked\" does not "
                                                            "let you create files.";
    QTest::newRow("corrupt") << "corrupt" << "dst" << "Source file format is not valid.";
}

void TestCopyFileExpanding::errors() {
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(QString, reason);
    if (destination.startsWith("locked") && ::geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QVERIFY(QDir(dir.path()).mkdir("locked"));
    QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
    writeFile(dir.filePath("plain"), "text");
    writeFile(dir.filePath("corrupt"), szddHeader(100) + "\x01");
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    QVERIFY(QFile::link("/dev/zero", dir.filePath("zero")));
    ScriptedPrompts prompts;
    // A pipe without a writer would hold a blocking open for ever: the copy must not wait.
    QVERIFY(!copyFileExpanding(dir.filePath(source), dir.filePath(destination), &prompts));
    QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner);
    QCOMPARE(prompts.records.size(), 1);
    QCOMPARE(prompts.records[0].kind, Prompts::Kind::Error);
    const QString shownSource = QDir::toNativeSeparators(dir.filePath(source));
    QCOMPARE(prompts.records[0].text,
             reason == "it is not a regular file (it is a folder, a pipe or a device)."
                 ? "Can not copy " + shownSource + ": " + reason
                 : "Can not copy " + shownSource + " to " +
                       QDir::toNativeSeparators(dir.filePath(destination)) + ": " +
                       QString(reason).replace("%1", QDir::toNativeSeparators(dir.path())));
    QVERIFY(!QFile::exists(dir.filePath("dst")));
    QVERIFY(!QFile::exists(dir.filePath("locked/dst")));
}

void TestCopyFileExpanding::aCopyKeepsTheSourcesPermissionsAndReplacesALink() {
    QTemporaryDir dir;
    writeFile(dir.filePath("private"), "secret");
    QVERIFY(QFile::setPermissions(dir.filePath("private"), QFile::ReadOwner | QFile::WriteOwner));
    writeFile(dir.filePath("elsewhere"), "not to be touched");
    QVERIFY(QFile::link(dir.filePath("elsewhere"), dir.filePath("dst")));
    QVERIFY(copyFileExpanding(dir.filePath("private"), dir.filePath("dst"), nullptr));
    QCOMPARE(QFile::permissions(dir.filePath("dst")), QFile::permissions(dir.filePath("private")));
    QVERIFY(!QFileInfo(dir.filePath("dst")).isSymLink());
    QCOMPARE(readFile(dir.filePath("dst")), QByteArray("secret"));
    QCOMPARE(readFile(dir.filePath("elsewhere")), QByteArray("not to be touched"));
}

void TestCopyFileExpanding::anInterruptedCopyKeepsTheOldFileAndSaysWhy() {
    QTemporaryDir dir;
    writeFile(dir.filePath("src"), QByteArray(5000, 'n'));
    writeFile(dir.filePath("dst"), "old dictionary");
    CopyOutcome o;
    {
        const FileSizeLimit limit(64);
        o = copyRegularFile(dir.filePath("src"), dir.filePath("dst"));
    }
    // A size limit is reported like a full disk, naming the file and the system's reason.
    QCOMPARE(o.result, CopyResult::NoSpace);
    QCOMPARE(copyFailureText(dir.filePath("src"), dir.filePath("dst"), o),
             "Can not copy " + QDir::toNativeSeparators(dir.filePath("src")) + " to " +
                 QDir::toNativeSeparators(dir.filePath("dst")) + ": " +
                 QString::fromLocal8Bit(std::strerror(EFBIG)) + ".");
    QCOMPARE(readFile(dir.filePath("dst")), QByteArray("old dictionary"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"dst", "src"}));
}

QTEST_GUILESS_MAIN(TestCopyFileExpanding)
#include "tst_copyfileexpanding.moc"
