#include "common/filesizelimit.h"
#include "common/testfiles.h"
#include "documents/documentfile.h"
#include "shell/appsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Recent = std::array<QString, 4>;

} // namespace

class TestDocumentFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unchangedPageIsSavedByteForByte();
    void unreadableFiles_data();
    void unreadableFiles();
    void failedSaveKeepsTheOldFile();
    void interruptedWritesKeepTheOldFile_data();
    void interruptedWritesKeepTheOldFile();
    void exportUsesUnixLineEnds_data();
    void exportUsesUnixLineEnds();
    void backupNames_data();
    void backupNames();
    void recentFiles_data();
    void recentFiles();
};

void TestDocumentFile::unchangedPageIsSavedByteForByte() {
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    const QByteArray bytes("<HTML>\r\n<BODY>Gr\xFC\xDF"
                           "e</BODY>\r\n</HTML>");
    writeFile(page, bytes);
    const DecodedText d = loadDocumentFile(page);
    QVERIFY(d.ok);
    QCOMPARE(d.text, QString("<HTML>\n<BODY>Grüße</BODY>\n</HTML>"));
    QString error;
    QVERIFY(saveDocumentFile(page, d.text, d.format, &error));
    QCOMPARE(readFile(page), bytes);
    // An edit that Windows-1252 cannot hold is kept as a character reference.
    QVERIFY(saveDocumentFile(page, d.text + "→", d.format, &error));
    QVERIFY(readFile(page).endsWith("</HTML>&#8594;"));
}

void TestDocumentFile::unreadableFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("missing") << "missing.htm"
                             << "missing.htm";
    QTest::newRow("folder") << "folder"
                            << "folder";
    QTest::newRow("binary") << "picture.gif"
                            << "binary file";
}

void TestDocumentFile::unreadableFiles() {
    QFETCH(QString, name);
    QFETCH(QString, fragment);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder");
    writeFile(dir.filePath("picture.gif"), QByteArray("GIF89a\x01\0\x01\0", 10));
    const DecodedText d = loadDocumentFile(dir.filePath(name));
    QVERIFY(!d.ok);
    QVERIFY2(d.error.contains(fragment), qPrintable(d.error));
    QVERIFY2(d.error.contains(name), qPrintable(d.error));
}

void TestDocumentFile::failedSaveKeepsTheOldFile() {
    QTemporaryDir dir;
    QString error;
    // The page's folder has gone.
    QVERIFY(!saveDocumentFile(dir.filePath("gone/page.htm"), "x", TextFormat(), &error));
    QVERIFY(!error.isEmpty());
    // A folder stands where the page should be: the folder and its content stay.
    QVERIFY(QDir(dir.path()).mkpath("page.htm/inner"));
    error.clear();
    QVERIFY(!saveDocumentFile(dir.filePath("page.htm"), "x", TextFormat(), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(dir.filePath("page.htm/inner")).isDir());
    // No temporary files are left behind by the failed attempts.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// A write that stops half-way (a full disk) must leave the file it replaces as it was.
void TestDocumentFile::interruptedWritesKeepTheOldFile_data() {
    QTest::addColumn<bool>("exporting");
    QTest::newRow("save") << false;
    QTest::newRow("Unix export") << true;
}

void TestDocumentFile::interruptedWritesKeepTheOldFile() {
    QFETCH(bool, exporting);
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    writeFile(page, "<P>old page</P>");
    const QString text = QString(5000, QLatin1Char('x'));
    QString error;
    bool written = true;
    {
        const FileSizeLimit limit(64);
        written = exporting ? exportUnixFile(page, text, TextFormat(), &error)
                            : saveDocumentFile(page, text, TextFormat(), &error);
    }
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(page), QByteArray("<P>old page</P>"));
}

void TestDocumentFile::exportUsesUnixLineEnds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("crlfDocument");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("two lines") << QString("a\r\nb\r\n") << true << QByteArray("a\nb\n");
    QTest::newRow("editor text") << QString("a\nb") << true << QByteArray("a\nb");
    QTest::newRow("cut at nul") << QString("a\nb") + QChar(0) + "c" << false << QByteArray("a\nb");
    QTest::newRow("lone cr stays") << QString("a\rb") << false << QByteArray("a\rb");
    QTest::newRow("utf-8") << QString("ä\r\n") << false << QByteArray("\xC3\xA4\n");
}

void TestDocumentFile::exportUsesUnixLineEnds() {
    QFETCH(QString, text);
    QFETCH(bool, crlfDocument);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    TextFormat format;
    format.crlf = crlfDocument;
    QString error;
    QVERIFY(exportUnixFile(dir.filePath("unix.htm"), text, format, &error));
    QCOMPARE(readFile(dir.filePath("unix.htm")), bytes);
}

void TestDocumentFile::backupNames_data() {
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("backup");
    QTest::newRow("htm") << "/w/index.htm"
                         << "/w/index.bak";
    QTest::newRow("html") << "/w/page.html"
                          << "/w/page.bak";
    QTest::newRow("no extension") << "/w/page"
                                  << "/w/page.bak";
    QTest::newRow("dot in folder only") << "/w.d/page"
                                        << "/w.d/page.bak";
    QTest::newRow("two dots") << "/w/a.b.htm"
                              << "/w/a.b.bak";
    QTest::newRow("hidden file") << "/w/.profile"
                                 << "/w/.profile.bak";
    QTest::newRow("never the document itself") << "/w/notes.BAK"
                                               << "/w/notes.BAK.bak";
}

void TestDocumentFile::backupNames() {
    QFETCH(QString, document);
    QFETCH(QString, backup);
    QCOMPARE(backupFileName(document), backup);
}

void TestDocumentFile::recentFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Recent>("expected");
    QTest::newRow("third to front") << "C" << Recent{"C", "A", "B", "D"};
    QTest::newRow("last to front") << "D" << Recent{"D", "A", "B", "C"};
    QTest::newRow("new drops oldest") << "E" << Recent{"E", "A", "B", "C"};
    QTest::newRow("first stays") << "A" << Recent{"A", "B", "C", "D"};
    QTest::newRow("case counts") << "a" << Recent{"a", "A", "B", "C"};
    QTest::newRow("empty marker ignored") << "[empty]" << Recent{"A", "B", "C", "D"};
}

void TestDocumentFile::recentFiles() {
    QFETCH(QString, name);
    QFETCH(Recent, expected);
    Recent last{"A", "B", "C", "D"};
    updateRecentFiles(last, name);
    QCOMPARE(last, expected);
}

QTEST_GUILESS_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"
