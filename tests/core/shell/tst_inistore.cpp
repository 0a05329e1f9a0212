#include "shell/inistore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestIniStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void integers_data();
    void integers();
    void namesMatchWithoutRegardToCase();
    void readsAtMost1023Characters();
    void valuesSurviveTheFile_data();
    void valuesSurviveTheFile();
    void duplicateKeysFirstWins();
    void damagedContentLoadsWhatItCan();
    void legacyBytesReadAsWindows1252();
    void keepsOrderOfFirstWrite();
    void missingFileIsEmpty();
    void saveFailureKeepsOldFileAndTellsWhy();
    void commentsAreKept();
    void onlyRegularFilesOfSaneSizeAreRead_data();
    void onlyRegularFilesOfSaneSizeAreRead();
};

void TestIniStore::integers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << "42" << 42;
    QTest::newRow("negative") << "-17" << -17;
    QTest::newRow("blanks around") << "  7 " << 7;
    QTest::newRow("0x") << "0x1F" << 31;
    QTest::newRow("0X") << "0X1f" << 31;
    QTest::newRow("dollar") << "$FF" << 255;
    QTest::newRow("eight hex digits are 32 bits") << "$FFFFFFFF" << -1;
    QTest::newRow("int min") << "-2147483648" << INT_MIN;
    QTest::newRow("trailing garbage") << "12abc" << -99;
    QTest::newRow("word") << "yes" << -99;
    QTest::newRow("empty") << "" << -99;
    QTest::newRow("bare prefix") << "0x" << -99;
    QTest::newRow("too big") << "2147483648" << -99;
    QTest::newRow("nine hex digits") << "$100000000" << -99;
    QTest::newRow("hex letters without prefix") << "FF" << -99;
    QTest::newRow("float") << "1.5" << -99;
}

void TestIniStore::integers() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    IniStore ini;
    ini.parse("[s]\nk=" + text.toUtf8() + "\n");
    QCOMPARE(ini.readInt("s", "k", -99), expected);
    QCOMPARE(ini.readBool("s", "k", false), expected != -99 && expected != 0);
}

void TestIniStore::namesMatchWithoutRegardToCase() {
    IniStore ini;
    ini.parse("[Options]\nApp1Autostart=1\n");
    QVERIFY(ini.readBool("OPTIONS", "App1AutoStart", false));
    ini.writeString("options", "APP1AUTOSTART", "0");
    // Rewriting keeps the first spelling and the one entry.
    QCOMPARE(ini.keys("Options"), QStringList{"App1Autostart"});
    QCOMPARE(ini.sections(), QStringList{"Options"});
    QCOMPARE(ini.readInt("Options", "app1autostart", 5), 0);
    QCOMPARE(ini.readString("nosection", "x", "dflt"), QString("dflt"));
}

void TestIniStore::readsAtMost1023Characters() {
    const QString longValue = QString(1500, QLatin1Char('x'));
    IniStore ini;
    ini.writeString("Buttons", "tagstart1", longValue);
    IniStore back;
    back.parse(ini.serialize());
    QCOMPARE(back.readString("Buttons", "tagstart1"), longValue.left(1023));
    // A character outside the BMP is not cut in half.
    const QString emoji = QString(1022, QLatin1Char('a')) + QString::fromUcs4(U"\U0001F600");
    ini.writeString("Buttons", "tagend1", emoji);
    QCOMPARE(ini.readString("Buttons", "tagend1"), QString(1022, QLatin1Char('a')));
}

void TestIniStore::valuesSurviveTheFile_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("plain") << "<B>"
                           << "<B>";
    QTest::newRow("equals and semicolon") << "a=b;c"
                                          << "a=b;c";
    QTest::newRow("quotes inside") << "<A HREF=\"x\">"
                                   << "<A HREF=\"x\">";
    QTest::newRow("trailing blank") << "<LI> "
                                    << "<LI> ";
    QTest::newRow("leading blank") << "  x"
                                   << "  x";
    QTest::newRow("enclosed in quotes") << "\"quoted\""
                                        << "\"quoted\"";
    QTest::newRow("single quote char") << "\""
                                       << "\"";
    QTest::newRow("non-ASCII") << "Grüße €"
                               << "Grüße €";
    QTest::newRow("line break becomes blank") << "a\r\nb"
                                              << "a  b";
    QTest::newRow("empty") << ""
                           << "";
}

void TestIniStore::valuesSurviveTheFile() {
    QFETCH(QString, value);
    QFETCH(QString, readBack);
    IniStore ini;
    ini.writeString("Buttons", "tagstart1", value);
    ini.writeString("Buttons", "tagend1", "after");
    IniStore back;
    back.parse(ini.serialize());
    QCOMPARE(back.readString("Buttons", "tagstart1", "missing"), readBack);
    QCOMPARE(back.readString("Buttons", "tagend1"), QString("after"));
    QCOMPARE(back.keys("Buttons").size(), 2);
}

void TestIniStore::duplicateKeysFirstWins() {
    IniStore ini;
    ini.parse("[A]\nk=first\nK=second\n[B]\nx=1\n[a]\nk=third\nother=yes\n");
    QCOMPARE(ini.readString("A", "k"), QString("first"));
    QCOMPARE(ini.readString("A", "other"), QString("yes"));
    QCOMPARE(ini.sections(), QStringList({"A", "B"}));
}

void TestIniStore::damagedContentLoadsWhatItCan() {
    QByteArray bytes = "garbage before any section\nk=ignored\n[Options]\n"
                       "; a comment\nno equals sign\n=no key\n  fontsize = 12  \n";
    static const char binary[] = "\x00\xFF\xFE\x01\x9C binary\n";
    bytes += QByteArray(binary, sizeof binary - 1);
    bytes += "[Broken\nhomedir=/srv/www\n[Options]\ntagcolor=clRed\r\ntruncated=ab";
    IniStore ini;
    ini.parse(bytes);
    QCOMPARE(ini.readInt("Options", "fontsize", 0), 12);
    QCOMPARE(ini.readString("Broken", "homedir"), QString("/srv/www"));
    QCOMPARE(ini.readString("Options", "tagcolor"), QString("clRed"));
    QCOMPARE(ini.readString("Options", "truncated"), QString("ab"));
    QVERIFY(!ini.contains("Options", "k"));
    // Saving what was understood gives a clean file that reads the same.
    IniStore again;
    again.parse(ini.serialize());
    QCOMPARE(again.serialize(), ini.serialize());
    QVERIFY(!ini.serialize().contains('\0'));
}

void TestIniStore::legacyBytesReadAsWindows1252() {
    IniStore ini;
    ini.parse("[Options]\nhomedir=C:\\Eigene Dateien\\Gr\xFC\xDF\x65\n");
    QCOMPARE(ini.readString("Options", "homedir"), QString("C:\\Eigene Dateien\\Grüße"));
}

void TestIniStore::keepsOrderOfFirstWrite() {
    IniStore ini;
    ini.writeInt("General", "version", 100);
    ini.writeString("Options", "b", "1");
    ini.writeString("Options", "a", "2");
    ini.writeString("General", "help", "h");
    ini.writeString("Options", "b", "3");
    QCOMPARE(ini.serialize(),
             QByteArray("[General]\nversion=100\nhelp=h\n\n[Options]\nb=3\na=2\n"));
}

void TestIniStore::missingFileIsEmpty() {
    QTemporaryDir dir;
    IniStore ini;
    ini.writeString("x", "y", "z");
    QVERIFY(!ini.load(dir.filePath("absent.ini")));
    QVERIFY(ini.sections().isEmpty());
    QCOMPARE(ini.readInt("Options", "fontsize", 8), 8);
}

void TestIniStore::saveFailureKeepsOldFileAndTellsWhy() {
    QTemporaryDir dir;
    const QString file = dir.filePath("sub/Marlo.ini");
    IniStore ini;
    ini.writeString("Options", "homedir", "/a");
    QVERIFY(ini.save(file)); // creates the missing folder
    IniStore loaded;
    QVERIFY(loaded.load(file));
    QCOMPARE(loaded.readString("Options", "homedir"), QString("/a"));

    // A file name that is a folder cannot be replaced.
    QVERIFY(QDir().mkpath(dir.filePath("folder.ini")));
    QString error;
    QVERIFY(!ini.save(dir.filePath("folder.ini"), &error));
    QVERIFY(!error.isEmpty());
    // A folder that cannot be made (its parent is a file).
    error.clear();
    QVERIFY(!ini.save(file + "/below/Marlo.ini", &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(loaded.load(file));
    QCOMPARE(loaded.readString("Options", "homedir"), QString("/a"));
}

void TestIniStore::commentsAreKept() {
    IniStore ini;
    ini.parse("; written by hand\n[Options]\n; my home page folder\nhomedir=/srv\n"
              "  ;indented note\nfontsize=8\n[Buttons]\nbtext1=B\n;last line");
    QCOMPARE(ini.keys("Options"), QStringList({"homedir", "fontsize"}));
    ini.writeInt("Options", "fontsize", 10);
    ini.writeString("Options", "added", "x");
    QCOMPARE(ini.serialize(), QByteArray("; written by hand\n\n[Options]\n; my home page folder\n"
                                         "homedir=/srv\n;indented note\nfontsize=10\nadded=x\n\n"
                                         "[Buttons]\nbtext1=B\n;last line\n"));
}

void TestIniStore::onlyRegularFilesOfSaneSizeAreRead_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("pipe") << "pipe"
                          << "not a regular file";
    QTest::newRow("device") << "device"
                            << "not a regular file";
    QTest::newRow("huge") << "huge"
                          << "far larger than a settings file";
}

void TestIniStore::onlyRegularFilesOfSaneSizeAreRead() {
    // None of these may hang or fill the memory, and none is replaced by a save.
    QFETCH(QString, kind);
    QFETCH(QString, fragment);
    QTemporaryDir dir;
    const QString file = dir.filePath("Marlo.ini");
    if (kind == "pipe")
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else if (kind == "device")
        QVERIFY(QFile::link("/dev/zero", file));
    else {
        QFile huge(file);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(IniStore::MaxFileBytes + 1));
    }
    IniStore ini;
    QString error;
    QVERIFY(!ini.load(file, &error));
    QVERIFY2(error.contains(fragment), qPrintable(error));
    QVERIFY(ini.sections().isEmpty());
}

QTEST_GUILESS_MAIN(TestIniStore)
#include "tst_inistore.moc"
