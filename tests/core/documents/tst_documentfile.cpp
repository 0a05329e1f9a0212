#include "common/filesizelimit.h"
#include "common/testfiles.h"
#include "documents/documentfile.h"
#include "shell/appsettings.h"
#include "shell/atomicfilewriter.h"
#include "shell/fileaccess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
    void interruptedWritesKeepTheOldFileAndSayWhy_data();
    void interruptedWritesKeepTheOldFileAndSayWhy();
    void aFileSizeLimitFailsTheSaveInsteadOfEndingTheProgram();
    void aSaveKeepsThePagesOwnerAndGroup();
    void refusedSavesSayWhatRefused_data();
    void refusedSavesSayWhatRefused();
    void changesByOtherPrograms_data();
    void changesByOtherPrograms();
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
    // Names starting with "/" are used as they are; the others lie in a folder holding a folder,
    // a pipe, a binary file, UTF-16 without a byte-order mark, a sparse file one byte beyond the
    // bound and a file whose name is not valid UTF-8.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("missing") << "missing.htm"
                             << "does not exist";
    QTest::newRow("folder") << "folder"
                            << "not a regular file";
    QTest::newRow("pipe") << "pipe.htm"
                          << "not a regular file";
    QTest::newRow("device") << "/dev/zero"
                            << "not a regular file";
    QTest::newRow("too large") << "huge.htm"
                               << "too large to open";
    QTest::newRow("binary") << "picture.gif"
                            << "binary file";
    QTest::newRow("utf-16 without mark") << "notes.txt"
                                         << "without a byte-order mark";
    QTest::newRow("name not utf-8") << QFile::decodeName("caf\xE9.htm") << "cannot be represented";
}

void TestDocumentFile::unreadableFiles() {
    QFETCH(QString, name);
    QFETCH(QString, fragment);
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    QDir(dir.path()).mkdir("folder");
    QCOMPARE(mkfifo((folder + "pipe.htm").constData(), 0600), 0);
    writeFile(dir.filePath("picture.gif"), QByteArray("GIF89a\x01\0\x01\0", 10));
    writeFile(dir.filePath("notes.txt"), QByteArray("<\0H\0T\0M\0L\0>\0\r\0\n\0", 16));
    QFile huge(dir.filePath("huge.htm"));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(MaxDocumentBytes + 1));
    // Written and removed by its raw bytes: Qt cannot name it.
    const QByteArray oddName = folder + "caf\xE9.htm";
    struct Remover {
        QByteArray name;
        ~Remover() { std::remove(name.constData()); }
    } remover{oddName};
    FILE *raw = std::fopen(oddName.constData(), "w");
    QVERIFY(raw && std::fputs("<P>", raw) >= 0 && std::fclose(raw) == 0);

    const QString path = name.startsWith('/') ? name : dir.filePath(name);
    const DecodedText d = loadDocumentFile(path);
    QVERIFY(!d.ok);
    QVERIFY2(d.error.contains(fragment), qPrintable(d.error));
    QVERIFY2(d.error.contains(path), qPrintable(d.error));
    if (name == "huge.htm")
        QVERIFY2(d.error.contains(fileSizeText(MaxDocumentBytes + 1)), qPrintable(d.error));
}

void TestDocumentFile::failedSaveKeepsTheOldFile() {
    QTemporaryDir dir;
    QString error;
    // The page's folder has gone: the message says that it is the folder that is missing.
    QVERIFY(!saveDocumentFile(dir.filePath("gone/page.htm"), "x", TextFormat(), &error));
    QCOMPARE(error, QString::fromLocal8Bit(std::strerror(ENOENT)) + ": the folder \"" +
                        QDir::toNativeSeparators(dir.filePath("gone")) + "\" is not there");
    // A folder stands where the page should be: the folder and its content stay.
    QVERIFY(QDir(dir.path()).mkpath("page.htm/inner"));
    error.clear();
    QVERIFY(!saveDocumentFile(dir.filePath("page.htm"), "x", TextFormat(), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(dir.filePath("page.htm/inner")).isDir());
    // No temporary files are left behind by the failed attempts.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// A write that stops half-way (a full disk, here a file size limit) must leave the file it
// replaces as it was and say why in the system's words, which Qt has none for.
void TestDocumentFile::interruptedWritesKeepTheOldFileAndSayWhy_data() {
    QTest::addColumn<bool>("exporting");
    QTest::addColumn<int>("length");
    QTest::newRow("save, small page") << false << 1000; // written in one go at the end
    QTest::newRow("save, large page") << false << 200000; // written in pieces
    QTest::newRow("Unix export") << true << 5000;
}

void TestDocumentFile::interruptedWritesKeepTheOldFileAndSayWhy() {
    QFETCH(bool, exporting);
    QFETCH(int, length);
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    writeFile(page, "<P>old page</P>");
    const QString text = QString(length, QLatin1Char('x'));
    QString error;
    bool written = true;
    {
        const FileSizeLimit limit(64);
        written = exporting ? exportUnixFile(page, text, TextFormat(), &error)
                            : saveDocumentFile(page, text, TextFormat(), &error);
    }
    QVERIFY(!written);
    QCOMPARE(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
    QCOMPARE(readFile(page), QByteArray("<P>old page</P>"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"page.htm"});
}

// Under a file-size limit (ulimit -f) the kernel ends a process that writes past it with SIGXFSZ,
// losing every unsaved page, unless the signal is ignored as the program does at start. Tried in
// a child process with the limit and only the program's start-up step.
void TestDocumentFile::aFileSizeLimitFailsTheSaveInsteadOfEndingTheProgram() {
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    writeFile(page, "<P>old page</P>");
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ignoreFileSizeSignal();
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 50000;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QString error;
        const bool saved = saveDocumentFile(page, QString(90000, 'x'), TextFormat(), &error);
        ::_exit(!saved && error == QString::fromLocal8Bit(std::strerror(EFBIG)) ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY2(!WIFSIGNALED(status), "the save ended the process");
    QCOMPARE(WEXITSTATUS(status), 0); // the save failed and said why
    QCOMPARE(readFile(page), QByteArray("<P>old page</P>"));
}

// A save replaces the page by a new file, which must keep the page's owner and group: a page
// shared through its group stays writable for the others, and one saved by root stays its
// owner's. Run by root, who may give a file to another user.
void TestDocumentFile::aSaveKeepsThePagesOwnerAndGroup() {
    if (::geteuid() != 0)
        QSKIP("only root may give a file to another user");
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    writeFile(page, "<P>old page</P>");
    const QByteArray native = QFile::encodeName(page);
    QCOMPARE(::chown(native.constData(), 65534, 65534), 0);
    QCOMPARE(::chmod(native.constData(), 0664), 0);
    QString error;
    QVERIFY(saveDocumentFile(page, "new", TextFormat(), &error));
    struct stat st;
    QCOMPARE(::stat(native.constData(), &st), 0);
    QCOMPARE(st.st_uid, uid_t(65534));
    QCOMPARE(st.st_gid, gid_t(65534));
    QCOMPARE(int(st.st_mode & 07777), 0664);
    QCOMPARE(readFile(page), QByteArray("new"));
}

// Saves refused by the file's rights: the message says whether the page or its folder refused.
// A page its user may write cannot be saved in a folder that lets no new file be made in it (a
// save writes a new copy beside it), and "Permission denied" alone sent the user looking at the
// page's own rights. Tried in a child process that, under root, takes an ordinary user's rights,
// so that the modes count.
void TestDocumentFile::refusedSavesSayWhatRefused_data() {
    QTest::addColumn<int>("pageMode"); // 0: no page yet
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<QString>("reason"); // after the system's text; %1 the folder
    const QString folder = ": the folder \"%1\" does not let you create files";
    QTest::newRow("a writable page, the folder refuses")
        << 0666 << 0555
        << folder + ", and a file is written as a new copy in its folder that then takes its place";
    QTest::newRow("a new page, the folder refuses") << 0 << 0555 << folder;
    QTest::newRow("a read-only page") << 0444 << 0755 << ": the file is read-only";
}

void TestDocumentFile::refusedSavesSayWhatRefused() {
    QFETCH(int, pageMode);
    QFETCH(int, folderMode);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString folder = dir.filePath("locked");
    const QString page = folder + "/page.htm";
    QVERIFY(QDir().mkpath(folder));
    if (pageMode)
        writeFile(page, "<P>old page</P>");
    const uid_t nobody = 65534;
    for (const QString &p : {dir.path(), folder, page})
        if (::geteuid() == 0)
            ::chown(QFile::encodeName(p).constData(), nobody, nobody);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    ::chmod(QFile::encodeName(page).constData(), mode_t(pageMode));
    ::chmod(QFile::encodeName(folder).constData(), mode_t(folderMode));
    int fds[2];
    QCOMPARE(::pipe(fds), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::close(fds[0]);
        if (::geteuid() == 0 && (::setgid(nobody) != 0 || ::setuid(nobody) != 0))
            ::_exit(2);
        QString error;
        const bool saved = saveDocumentFile(page, "new", TextFormat(), &error);
        const QByteArray text = saved ? QByteArray("saved") : error.toUtf8();
        ::_exit(::write(fds[1], text.constData(), size_t(text.size())) == text.size() ? 0 : 3);
    }
    ::close(fds[1]);
    QByteArray said;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(QString::fromUtf8(said),
             QString::fromLocal8Bit(std::strerror(EACCES)) +
                 QString(reason).replace("%1", QDir::toNativeSeparators(folder)));
    if (pageMode)
        QCOMPARE(readFile(page), QByteArray("<P>old page</P>"));
}

void TestDocumentFile::changesByOtherPrograms_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("changed");
    QTest::newRow("untouched") << "none" << false;
    QTest::newRow("appended") << "append" << true;
    QTest::newRow("same size, new time") << "touch" << true;
    QTest::newRow("deleted") << "delete" << false;
    QTest::newRow("never on disk") << "new" << false;
}

void TestDocumentFile::changesByOtherPrograms() {
    QFETCH(QString, change);
    QFETCH(bool, changed);
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    if (change != "new")
        writeFile(page, "<P>mine</P>");
    const FileStamp stamp = fileStampOf(page);
    QFile file(page);
    if (change == "append") {
        QVERIFY(file.open(QIODevice::Append));
        file.write("<P>theirs</P>");
        file.close();
    } else if (change == "touch") {
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(stamp.modified.addSecs(-60), QFileDevice::FileModificationTime));
        file.close();
    } else if (change == "delete") {
        QVERIFY(file.remove());
    }
    QCOMPARE(changedOnDisk(page, stamp), changed);
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
