#include "common/filesizelimit.h"
#include "common/testfiles.h"
#include "filepanel/multifilereplace.h"
#include "shell/atomicfilewriter.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

class TestMultiFileReplace : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void counting_data();
    void counting();
    void replacing_data();
    void replacing();
    void filesKeepTheirFormat_data();
    void filesKeepTheirFormat();
    void unreadableFileIsReportedAndRunGoesOn();
    void unsupportedEncodingsAreNamed_data();
    void unsupportedEncodingsAreNamed();
    void filesThatCannotBeWrittenAreCountedAsFound();
    void temporariesOfAKilledReplaceAreRemovedNextTime();
    void pipesNeverBlockTheRun();
    void cancelledRunLeavesTheRest();
};

void TestMultiFileReplace::counting_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<int>("count");
    QTest::newRow("overlapping") << QByteArray("aaaa") << "aa" << true << 3;
    QTest::newRow("case-insensitive") << QByteArray("Table TABLE table") << "table" << false << 3;
    QTest::newRow("case-sensitive") << QByteArray("Table TABLE table") << "table" << true << 1;
    QTest::newRow("accented needle, legacy file")
        << QByteArray("Gr\xFC\xDF Gr\xDC\xDF") << QString::fromUtf8("grü") << false << 2;
    QTest::newRow("accented text, ASCII needle")
        << QByteArray("\xC3\xA9t\xC3\xA9 ETE") << "t" << false << 2;
    QTest::newRow("Kelvin sign folds to k") << QByteArray("\xE2\x84\xAAilo kilo") << "KILO" << false
                                            << 2;
    QTest::newRow("needle at the very end") << QByteArray("xx<a>") << "<a>" << false << 1;
    QTest::newRow("across a line end is not found") << QByteArray("a\r\nb") << "ab" << true << 0;
    QTest::newRow("line end pasted as CR LF") << QByteArray("a\r\nb a\nb") << "A\r\nB" << false
                                              << 2;
    QTest::newRow("not found") << QByteArray("<p>") << "x" << true << 0;
    QTest::newRow("hits on both sides of sixteen-byte steps")
        << QByteArray("ALPHA" + QByteArray(12, '.') + "alpha" + QByteArray(30, '.') + "AlPhA")
        << "alpha" << false << 3;
    QTest::newRow("overlapping over many steps") << QByteArray(40, 'a') << "AA" << false << 39;
    QTest::newRow("brackets are not letters") << QByteArray("[x] {x} {X}") << "{x}" << false << 2;
}

void TestMultiFileReplace::counting() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, needle);
    QFETCH(bool, caseSensitive);
    QTemporaryDir dir;
    const QString file = dir.filePath("p.htm");
    writeFile(file, bytes);
    MultiFileRequest r;
    r.needle = needle;
    r.cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const FileOutcome o = processFile(file, r);
    QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
    QTEST(o.count, "count");
}

void TestMultiFileReplace::replacing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("count");
    QTest::newRow("replacement holds the needle") << "aa" << "a" << "ab" << "abab" << 2;
    QTest::newRow("non-overlapping") << "aaaa" << "aa" << "b" << "bb" << 2;
    QTest::newRow("any case") << "<B>x</b>" << "b>" << "STRONG>" << "<STRONG>x</STRONG>" << 2;
    QTest::newRow("to nothing") << "a-b-c" << "-" << "" << "abc" << 2;
    QTest::newRow("none") << "abc" << "x" << "y" << "abc" << 0;
}

void TestMultiFileReplace::replacing() {
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(QString, replacement);
    const int count = replaceOccurrences(text, needle, replacement, Qt::CaseInsensitive);
    QTEST(text, "result");
    QTEST(count, "count");
}

void TestMultiFileReplace::filesKeepTheirFormat_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QString>("replacement");
    const QString old = QStringLiteral("old");
    const QString euro = QString::fromUtf8("new€");
    QTest::newRow("legacy bytes, CR LF")
        << QByteArray("<p>Gr\xFC\xDF old</p>\r\n<p>old</p>\r\n")
        << QByteArray("<p>Gr\xFC\xDF new\x80</p>\r\n<p>new\x80</p>\r\n") << old << euro;
    QTest::newRow("UTF-8 with mark, LF")
        << QByteArray("\xEF\xBB\xBF<p>\xC3\xA9 old</p>\n")
        << QByteArray("\xEF\xBB\xBF<p>\xC3\xA9 new\xE2\x82\xAC</p>\n") << old << euro;
    QTest::newRow("untouched file keeps its bytes")
        << QByteArray("<p>nothing\r\nhere\n") << QByteArray("<p>nothing\r\nhere\n") << old
        << euro;
    // Text pasted into the fields with CR LF line ends stands for the file's own line ends.
    QTest::newRow("CR LF pasted, CR LF file")
        << QByteArray("<p>a\r\nb</p>\r\n") << QByteArray("<p>x\r\ny</p>\r\n")
        << QStringLiteral("a\r\nb") << QStringLiteral("x\r\ny");
    QTest::newRow("CR LF pasted as replacement only")
        << QByteArray("<p>old</p>\r\n") << QByteArray("<p>x\r\ny</p>\r\n") << old
        << QStringLiteral("x\r\ny");
    QTest::newRow("CR LF pasted, LF file") << QByteArray("<p>a\nb</p>\n")
                                           << QByteArray("<p>x\ny</p>\n")
                                           << QStringLiteral("a\r\nb") << QStringLiteral("x\r\ny");
}

void TestMultiFileReplace::filesKeepTheirFormat() {
    QFETCH(QByteArray, before);
    QTemporaryDir dir;
    const QString file = dir.filePath("p.htm");
    writeFile(file, before);
    utimbuf old{1000000000, 1000000000};
    QCOMPARE(::utime(QFile::encodeName(file).constData(), &old), 0);
    MultiFileRequest r;
    r.mode = MultiFileRequest::Mode::Replace;
    QFETCH(QString, needle);
    QFETCH(QString, replacement);
    r.needle = needle;
    r.replacement = replacement;
    const QVector<FileOutcome> out = processFiles({file}, r);
    QCOMPARE(out.size(), 1);
    QTEST(readFile(file), "after");
    const bool changed = before != readFile(file);
    QCOMPARE(out[0].changed, changed);
    // A file without a hit is not rewritten: its time stays too.
    QCOMPARE(QFileInfo(file).lastModified().toSecsSinceEpoch() == 1000000000, !changed);
}

void TestMultiFileReplace::unreadableFileIsReportedAndRunGoesOn() {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.htm"), bin = dir.filePath("b.htm"),
                  missing = dir.filePath("gone.htm"), c = dir.filePath("c.htm");
    writeFile(a, "x x");
    writeFile(bin, QByteArray("x\0x", 3));
    writeFile(c, "x");
    MultiFileRequest r;
    r.mode = MultiFileRequest::Mode::Replace;
    r.needle = "x";
    r.replacement = "y";
    const QVector<FileOutcome> out = processFiles({a, bin, missing, c}, r, nullptr, {}, 2);
    QCOMPARE(readFile(a), QByteArray("y y"));
    QCOMPARE(readFile(bin), QByteArray("x\0x", 3));
    QCOMPARE(readFile(c), QByteArray("y"));
    const QStringList lines = outcomeLines(out, r.mode);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], "Made 2 replacement(s) in " + QDir::toNativeSeparators(a));
    QVERIFY(lines[1].contains("b.htm"));
    QVERIFY(lines[2].contains("gone.htm"));
    QCOMPARE(lines[3], "Made 1 replacement(s) in " + QDir::toNativeSeparators(c));
}

void TestMultiFileReplace::unsupportedEncodingsAreNamed_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");
    QTest::newRow("UTF-16 LE without mark") << QByteArray("<\0p\0>\0x\0", 8) << "UTF-16";
    QTest::newRow("UTF-16 BE without mark") << QByteArray("\0<\0p\0>\0x", 8) << "UTF-16";
    QTest::newRow("UTF-32 with mark") << QByteArray("\xFF\xFE\0\0x\0\0\0", 8) << "UTF-32";
    QTest::newRow("UTF-32 without mark") << QByteArray("<\0\0\0p\0\0\0x\0\0\0", 12) << "UTF-32";
    QTest::newRow("binary") << QByteArray("x\0\x01\x02\x03\x04", 6) << "binary";
}

// A search says which encoding it cannot read instead of calling every such file binary.
void TestMultiFileReplace::unsupportedEncodingsAreNamed() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);
    QTemporaryDir dir;
    const QString file = dir.filePath("p.htm");
    writeFile(file, bytes);
    MultiFileRequest r;
    r.needle = "x";
    const FileOutcome o = processFile(file, r);
    QVERIFY2(o.error.contains(encoding), qPrintable(o.error));
    QVERIFY2(o.error.contains(QDir::toNativeSeparators(file)), qPrintable(o.error));
    QCOMPARE(o.error.contains("binary"), encoding == "binary");
}

void TestMultiFileReplace::filesThatCannotBeWrittenAreCountedAsFound() {
    QTemporaryDir dir;
    const QString big = dir.filePath("big.htm"), small = dir.filePath("small.htm");
    writeFile(big, QByteArray(5000, 'x'));
    writeFile(small, "x");
    MultiFileRequest r;
    r.mode = MultiFileRequest::Mode::Replace;
    r.needle = "x";
    r.replacement = "y";
    QVector<FileOutcome> out;
    {
        const FileSizeLimit limit(1000); // the disk fills while big.htm is written
        out = processFiles({big, small}, r, nullptr, {}, 1);
    }
    QCOMPARE(readFile(big), QByteArray(5000, 'x'));
    QCOMPARE(outcomeLines(out, r.mode),
             QStringList({"Cannot write \"" + QDir::toNativeSeparators(big) +
                              "\": " + QString::fromLocal8Bit(std::strerror(EFBIG)),
                          "Made 1 replacement(s) in " + QDir::toNativeSeparators(small),
                          "The search string was found in 2 file(s): 1 written, 1 could not be "
                          "written and are unchanged."}));
}

// Files are replaced through temporaries named "<name>.marlo-<process>-<random>.tmp"; the ones a
// killed run left behind go when that folder is replaced in again. Anything else stays: a
// temporary still being written, one of a process that is alive, a link, the user's files.
void TestMultiFileReplace::temporariesOfAKilledReplaceAreRemovedNextTime() {
    QTemporaryDir dir;
    const QString page = dir.filePath("a.htm");
    writeFile(page, "x");
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    QCOMPARE(::waitpid(gone, nullptr, 0), gone);
    const QString dead = QString::number(gone), self = QString::number(::getpid());
    const QStringList stale{"a.htm.marlo-" + dead + "-AbCd12.tmp",
                            "b.htm.marlo-" + self + "-XyZ123.tmp"};
    const QStringList kept{"a.htm", "c.htm.marlo-1-AAAAAA.tmp", "d.htm.Xy12Zz", "notes.tmp",
                           "e.htm.marlo-" + dead + "-QQQQQQ.tmp"};
    for (const QString &name : stale + kept.mid(1, 3))
        writeFile(dir.filePath(name), "left over");
    QVERIFY(QFile::link(dir.filePath("notes.tmp"), dir.filePath(kept.last())));
    AtomicFileWriter writing(dir.filePath("z.htm"));
    QVERIFY(writing.open());
    MultiFileRequest r;
    r.mode = MultiFileRequest::Mode::Replace;
    r.needle = "x";
    r.replacement = "y";
    processFiles({page}, r);
    QCOMPARE(readFile(page), QByteArray("y"));
    QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System |
                                                  QDir::NoDotAndDotDot, QDir::Name);
    QCOMPARE(left.size(), kept.size() + 1);
    for (const QString &name : kept)
        QVERIFY2(left.removeOne(name), qPrintable(name));
    QVERIFY2(left[0].startsWith("z.htm.marlo-" + self + "-") && isWriterTemporaryName(left[0]),
             qPrintable(left[0]));
}

// A named pipe that the mask lets into the list is reported; it never holds the run.
void TestMultiFileReplace::pipesNeverBlockTheRun() {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.htm"), pipe = dir.filePath("pipe.htm");
    writeFile(a, "x x");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (MultiFileRequest::Mode mode : {MultiFileRequest::Mode::Search, MultiFileRequest::Mode::Replace}) {
        MultiFileRequest r;
        r.mode = mode;
        r.needle = "x";
        r.replacement = "y";
        const QStringList lines = outcomeLines(processFiles({pipe, a}, r, nullptr, {}, 1), mode);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].contains("is not a regular file"), qPrintable(lines[0]));
    }
}

void TestMultiFileReplace::cancelledRunLeavesTheRest() {
    QTemporaryDir dir;
    QStringList files;
    for (int i = 0; i < 5; ++i) {
        files << dir.filePath(QString("p%1.htm").arg(i));
        writeFile(files.last(), "x");
    }
    MultiFileRequest r;
    r.mode = MultiFileRequest::Mode::Replace;
    r.needle = "x";
    r.replacement = "y";
    std::atomic_bool cancel{false};
    const QVector<FileOutcome> out =
        processFiles(files, r, &cancel, [&](int done) { cancel = done >= 2; }, 1);
    QCOMPARE(readFile(files[1]), QByteArray("y"));
    QCOMPARE(readFile(files[2]), QByteArray("x"));
    const QStringList lines = outcomeLines(out, r.mode);
    QCOMPARE(lines.last(), "Cancelled: 3 of 5 file(s) were not processed.");
    QCOMPARE(lines.size(), 3);
}

QTEST_GUILESS_MAIN(TestMultiFileReplace)
#include "tst_multifilereplace.moc"
