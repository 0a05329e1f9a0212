#include "common/szddwriter.h"
#include "common/testcontext.h"
#include "common/testfiles.h"
#include "shell/firststart.h"
#include "shell/inistore.h"
#include "shell/settingsio.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <cerrno>
#include <cstring>

namespace {

// A folder on PATH holding stand-ins for the browsers the test names.
void fakeBrowsers(const QString &bin, const QStringList &names) {
    QDir().mkpath(bin);
    for (const QString &n : names) {
        writeFile(bin + "/" + n, "#!/bin/sh\n");
        QFile::setPermissions(bin + "/" + n, QFile::ReadOwner | QFile::ExeOwner);
    }
}

} // namespace

class TestFirstStart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_path = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", m_path); }
    void freshInstallation_data();
    void freshInstallation();
    void secondStartDoesNothing();
    void anUnreadableSettingsFileIsNotTakenForAFreshStart();
    void olderVersionIsSetUpAgainKeepingOtherKeys();
    void missingDictionaryIsReportedAndSetupGoesOn();
    void chosenDictionary_data();
    void chosenDictionary();

private:
    QByteArray m_path;
};

void TestFirstStart::freshInstallation_data() {
    QTest::addColumn<QStringList>("browsers");
    QTest::addColumn<QString>("npath");
    QTest::addColumn<QString>("iepath");
    QTest::newRow("none") << QStringList() << ""
                          << "";
    QTest::newRow("both kinds") << QStringList({"firefox", "chromium-browser", "google-chrome"})
                                << "firefox"
                                << "chromium-browser";
    QTest::newRow("esr first") << QStringList({"firefox", "firefox-esr"}) << "firefox-esr"
                               << "";
}

void TestFirstStart::freshInstallation() {
    QFETCH(QStringList, browsers);
    QFETCH(QString, npath);
    QFETCH(QString, iepath);
    TestContext t;
    const QString bin = t.path("bin");
    fakeBrowsers(bin, browsers);
    qputenv("PATH", bin.toLocal8Bit());
    writeFile(t.ctx.paths.installDir + "/american.vtd", szddCompress("en_US\n"));

    QVERIFY(firstStartSetup(t.ctx));
    const AppSettings &s = t.ctx.settings;
    QCOMPARE(s.version, 100);
    QCOMPARE(s.programHelpFile, t.ctx.paths.installDir + "/marlo.htm");
    QCOMPARE(s.templateFile, t.ctx.paths.installDir + "/Default.htm");
    QCOMPARE(s.primaryBrowser, npath.isEmpty() ? QString() : bin + "/" + npath);
    QCOMPARE(s.secondaryBrowser, iepath.isEmpty() ? QString() : bin + "/" + iepath);
    QCOMPARE(readFile(t.ctx.paths.dataDir + "/Marlostanda.vtd"), QByteArray("en_US\n"));
    QVERIFY(t.prompts.records.isEmpty());
}

void TestFirstStart::secondStartDoesNothing() {
    TestContext t;
    writeFile(t.ctx.paths.installDir + "/american.vtd", "en_US\n");
    QVERIFY(firstStartSetup(t.ctx));
    const QByteArray afterFirst = readFile(t.ctx.paths.settingsFile());
    QFile::remove(t.ctx.paths.dataDir + "/Marlostanda.vtd");
    QVERIFY(!firstStartSetup(t.ctx));
    QCOMPARE(readFile(t.ctx.paths.settingsFile()), afterFirst);
    QVERIFY(!QFile::exists(t.ctx.paths.dataDir + "/Marlostanda.vtd"));
}

void TestFirstStart::anUnreadableSettingsFileIsNotTakenForAFreshStart() {
    TestContext t;
    writeFile(t.ctx.paths.installDir + "/american.vtd", "en_US\n");
    QVERIFY(QDir().mkpath(t.ctx.paths.settingsFile())); // there, but no file to read
    QVERIFY(!firstStartSetup(t.ctx));
    QVERIFY(QFileInfo(t.ctx.paths.settingsFile()).isDir());
    QVERIFY(!QFile::exists(t.ctx.paths.dataDir + "/Marlostanda.vtd"));
    QCOMPARE(t.prompts.records.size(), 1);
}

void TestFirstStart::olderVersionIsSetUpAgainKeepingOtherKeys() {
    TestContext t;
    writeFile(t.ctx.paths.installDir + "/american.vtd", "en_US\n");
    writeFile(t.ctx.paths.settingsFile(),
              "[General]\nversion=99\n[Options]\nhomedir=/srv/www\nnpath=/old/netscape\n"
              "[Buttons]\nbtext1=Bold\n");
    QVERIFY(firstStartSetup(t.ctx));
    IniStore ini;
    QVERIFY(ini.load(t.ctx.paths.settingsFile()));
    QCOMPARE(ini.readInt("General", "version", 0), 100);
    QCOMPARE(ini.readString("Options", "homedir"), QString("/srv/www"));
    QCOMPARE(ini.readString("Buttons", "btext1"), QString("Bold"));
    QCOMPARE(t.ctx.settings.homeFolder, QString("/srv/www"));
    QCOMPARE(t.ctx.settings.buttonCaptions[0], QString("Bold"));
    QVERIFY(QFile::exists(t.ctx.paths.dataDir + "/Marlostanda.vtd"));
}

void TestFirstStart::missingDictionaryIsReportedAndSetupGoesOn() {
    TestContext t; // no american.vtd in the installation folder
    QVERIFY(firstStartSetup(t.ctx));
    QCOMPARE(t.prompts.messages(),
             QStringList{"Can not copy " + t.path("install/american.vtd") + " to " +
                         t.path("data/Marlostanda.vtd") + ": " +
                         QString::fromLocal8Bit(std::strerror(ENOENT)) + "."});
    QCOMPARE(t.prompts.records[0].kind, Prompts::Kind::Error);
    QCOMPARE(t.ctx.settings.version, 100);
}

void TestFirstStart::chosenDictionary_data() {
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<QByteArray>("installed"); // Marlostanda.vtd afterwards
    QTest::addColumn<int>("messages");
    QTest::newRow("no change asked")
        << QByteArray("changeflag=0\ndictionary=deutsch.vtd") << QByteArray("old") << 0;
    QTest::newRow("flag not 1") << QByteArray("changeflag=2\ndictionary=deutsch.vtd")
                                << QByteArray("old") << 0;
    QTest::newRow("chosen one") << QByteArray("changeflag=1\ndictionary=deutsch.vtd")
                                << QByteArray("de_DE\n") << 0;
    QTest::newRow("default name") << QByteArray("changeflag=1") << QByteArray("en_US\n") << 0;
    QTest::newRow("none chosen") << QByteArray("changeflag=1\ndictionary=")
                                 << QByteArray("<missing>") << 0;
    QTest::newRow("missing file keeps the old one")
        << QByteArray("changeflag=1\ndictionary=gone.vtd") << QByteArray("old") << 1;
}

void TestFirstStart::chosenDictionary() {
    QFETCH(QByteArray, options);
    QFETCH(QByteArray, installed);
    QFETCH(int, messages);
    TestContext t;
    writeFile(t.ctx.paths.installDir + "/american.vtd", "en_US\n");
    writeFile(t.ctx.paths.installDir + "/deutsch.vtd", "de_DE\n");
    QDir().mkpath(t.ctx.paths.dataDir);
    writeFile(t.ctx.paths.dataDir + "/Marlostanda.vtd", "old");
    writeFile(t.ctx.paths.settingsFile(), "[Options]\n" + options + "\n");

    installChosenDictionary(t.ctx);
    QCOMPARE(readFile(t.ctx.paths.dataDir + "/Marlostanda.vtd"), installed);
    QCOMPARE(t.prompts.messages().size(), messages);
    IniStore ini;
    QVERIFY(ini.load(t.ctx.paths.settingsFile()));
    if (installed != "old" || messages > 0)
        QCOMPARE(ini.readInt("Options", "changeflag", -1), 0); // cleared at once
    installChosenDictionary(t.ctx);                            // the next start leaves it alone
    QCOMPARE(readFile(t.ctx.paths.dataDir + "/Marlostanda.vtd"), installed);
}

QTEST_GUILESS_MAIN(TestFirstStart)
#include "tst_firststart.moc"
