#include "common/testcontext.h"
#include "common/testfiles.h"
#include "shell/colortext.h"
#include "shell/inistore.h"
#include "shell/settingsio.h"

#include <QFile>
#include <QtTest>

namespace {

// Settings in which every field differs from its default.
AppSettings changedSettings() {
    AppSettings s;
    s.version = 100;
    s.generalHelp = "/opt/marlo/marlo.htm";
    s.homedir = "/home/u/www";
    s.wordwrap = s.backup = s.absolut = s.no = s.groesse = true;
    s.backuptime = 17;
    s.convertslash = s.relativ = s.defBrNet = s.colcoding = s.exeq = false;
    s.screenm = 3;
    s.npath = "/usr/bin/firefox";
    s.iepath = "/usr/bin/chromium";
    s.help = "/usr/share/doc/html.htm";
    s.fontname = "DejaVu Sans Mono";
    s.fontsize = 11;
    s.tagcolor = 0x00123456;
    s.textcolor = ColorValues::WindowText;
    s.backcolor = ColorValues::None;
    s.commentcolor = ColorValues::Silver;
    for (int i = 0; i < 4; ++i)
        s.last[i] = QString("/w/page%1.htm").arg(i);
    for (int i = 0; i < 20; ++i) {
        s.lastl[i] = QString("http://example.org/%1").arg(i);
        s.lastp[i] = QString("/w/img/%1.gif").arg(i);
    }
    for (int i = 0; i < 15; ++i) {
        s.btext[i] = QString("B%1").arg(i);
        s.tagstart[i] = QString("<SPAN CLASS=\"c%1\">").arg(i);
        s.tagend[i] = "</SPAN> ";
    }
    s.htmlMask = "*.htm;*.php;";
    s.multiMask = "*.ogg;";
    for (int i = 0; i < 4; ++i) {
        s.appTitle[i] = QString("App %1").arg(i);
        s.appLine[i] = QString("xterm -e top%1").arg(i);
        s.appAutoStart[i] = i % 2 == 0;
    }
    s.bpreview = true;
    s.panelwidth = 300;
    s.p3w = 44;
    s.p9h = 99;
    s.showmulti = s.showimage = false;
    s.totd = -4;
    s.ntpatch = true;
    s.templatedir = "/opt/marlo/Default.htm";
    for (int i = 16; i < 36; ++i)
        s.colorList[i] = QString("#%1").arg(i, 6, 10, QLatin1Char('0'));
    s.dictionary = "deutsch.vtd";
    s.changeflag = true;
    s.vcconvertext = s.vcignoremail = s.vcignorelink = false;
    s.bautosave = true;
    return s;
}

} // namespace

class TestSettingsIo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileGivesDefaults();
    void everyKeyRoundTrips();
    void everyKeyIsWrittenInOrder();
    void valuesReadFromHandWrittenFile_data();
    void valuesReadFromHandWrittenFile();
    void unknownKeysStay();
    void saveFailureIsReportedOnce();
    void deviceAsSettingsFileIsLeftAlone();
    void untitledName_data();
    void untitledName();
};

void TestSettingsIo::missingFileGivesDefaults() {
    TestContext t;
    t.ctx.settings = changedSettings();
    loadSettings(t.ctx);
    const AppSettings &s = t.ctx.settings;
    QCOMPARE(s.version, -1);
    QCOMPARE(s.fontname, QString("MS Sans Serif"));
    QCOMPARE(s.backcolor, ColorValues::Window);
    QCOMPARE(s.last[3], MarkerEmpty);
    QCOMPARE(s.appTitle[0], MarkerEmpty);
    QCOMPARE(s.tagstart[0], QString());
    QCOMPARE(s.colorList[0], QString("blue"));
    QCOMPARE(s.colorList[15], QString("silver"));
    QCOMPARE(s.colorList[16], QString());
    QVERIFY(s.relativ && s.convertslash && !s.absolut);
    QVERIFY(!QFile::exists(t.ctx.paths.settingsFile())); // reading never creates the file
}

void TestSettingsIo::everyKeyRoundTrips() {
    TestContext t;
    const AppSettings original = changedSettings();
    t.ctx.settings = original;
    QVERIFY(saveSettings(t.ctx));
    t.ctx.settings = AppSettings();
    loadSettings(t.ctx);
    // Writing the reloaded record gives the same file: every key came back as it went out.
    IniStore first, second;
    writeSettings(original, first);
    writeSettings(t.ctx.settings, second);
    QCOMPARE(second.serialize(), first.serialize());
    QCOMPARE(t.ctx.settings.tagstart[3], original.tagstart[3]);
    QCOMPARE(t.ctx.settings.tagend[0], QString("</SPAN> ")); // trailing blank kept
    QCOMPARE(t.ctx.settings.totd, -4);
    QCOMPARE(t.ctx.settings.textcolor, ColorValues::WindowText);
    QCOMPARE(t.ctx.settings.appAutoStart[2], true);
    QCOMPARE(t.ctx.settings.colorList[35], QString("#000035"));
    QCOMPARE(t.ctx.settings.colorList[2], QString("green"));
}

void TestSettingsIo::everyKeyIsWrittenInOrder() {
    TestContext t;
    QVERIFY(saveSettings(t.ctx));
    IniStore ini;
    QVERIFY(ini.load(t.ctx.paths.settingsFile()));
    QCOMPARE(ini.sections(), QStringList({"General", "Options", "Buttons", "colors"}));
    QCOMPARE(ini.keys("General"), QStringList({"version", "help"}));
    QStringList options = {"homedir",      "wordwrap", "backup",    "backuptime", "convertslash",
                           "relativ",      "absolut",  "no",        "screenm",    "groesse",
                           "npath",        "iepath",   "DefBrNet",  "help",       "fontname",
                           "fontsize",     "tagcolor", "textcolor", "colcoding",  "backcolor",
                           "commentcolor", "exeq"};
    for (int i = 1; i <= 4; ++i)
        options << QString("last%1").arg(i);
    for (int i = 1; i <= 21; ++i)
        options << QString("lastl%1").arg(i);
    for (int i = 1; i <= 21; ++i)
        options << QString("lastp%1").arg(i);
    options << "HTMLMask"
            << "MultiMask";
    for (const char *part : {"Title", "Line", "Autostart"})
        for (int i = 1; i <= 4; ++i)
            options << QString("App%1%2").arg(i).arg(part);
    options << "bpreview"
            << "panelwidth"
            << "p3w"
            << "p9h"
            << "showmulti"
            << "showimage"
            << "totd"
            << "ntpatch"
            << "templatedir"
            << "dictionary"
            << "changeflag"
            << "vcconvertext"
            << "vcignoremail"
            << "vcignorelink"
            << "Bautosave";
    QCOMPARE(ini.keys("Options"), options);
    QCOMPARE(ini.keys("Buttons").size(), 45);
    QCOMPARE(ini.keys("Buttons").at(15), QString("tagstart1"));
    QCOMPARE(ini.keys("colors").first(), QString("col17"));
    QCOMPARE(ini.keys("colors").last(), QString("col36"));
    const QByteArray file = readFile(t.ctx.paths.settingsFile());
    QVERIFY(file.contains("\ntagcolor=clBlue\n"));
    QVERIFY(file.contains("\nbackcolor=clWindow\n"));
    QVERIFY(file.contains("\nwordwrap=0\nbackup=0\nbackuptime=5\nconvertslash=1\n"));
}

void TestSettingsIo::valuesReadFromHandWrittenFile_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("font name cut to 31")
        << QByteArray("fontname=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") << "fontname"
        << "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234";
    QTest::newRow("autostart either spelling") << QByteArray("APP2AUTOSTART=7") << "auto2"
                                               << "1";
    QTest::newRow("hex integer") << QByteArray("panelwidth=$100") << "panelwidth"
                                 << "256";
    QTest::newRow("bad integer keeps default") << QByteArray("panelwidth=wide") << "panelwidth"
                                               << "125";
    QTest::newRow("bad colour keeps default") << QByteArray("tagcolor=pink") << "tagcolor"
                                              << "clBlue";
    QTest::newRow("colour as number") << QByteArray("tagcolor=$00123456") << "tagcolor"
                                      << "$00123456";
    QTest::newRow("bool any non-zero") << QByteArray("wordwrap=-2") << "wordwrap"
                                       << "1";
    QTest::newRow("list end stays empty") << QByteArray("lastl21=/x") << "lastl21"
                                          << "[empty]";
}

void TestSettingsIo::valuesReadFromHandWrittenFile() {
    QFETCH(QByteArray, line);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    TestContext t;
    writeFile(t.ctx.paths.settingsFile(), "[options]\n" + line + "\n");
    loadSettings(t.ctx);
    const AppSettings &s = t.ctx.settings;
    const QMap<QString, QString> fields = {
        {"fontname", s.fontname},
        {"auto2", QString::number(s.appAutoStart[1])},
        {"panelwidth", QString::number(s.panelwidth)},
        {"tagcolor", colorToText(s.tagcolor)},
        {"wordwrap", QString::number(s.wordwrap)},
        {"lastl21", s.lastl[20]},
    };
    QCOMPARE(fields.value(field), expected);
}

void TestSettingsIo::unknownKeysStay() {
    TestContext t;
    writeFile(t.ctx.paths.settingsFile(), "[Options]\nfuturekey=keep me\n[Plugins]\na=b\n");
    QVERIFY(saveSettings(t.ctx));
    IniStore ini;
    QVERIFY(ini.load(t.ctx.paths.settingsFile()));
    QCOMPARE(ini.readString("Options", "futurekey"), QString("keep me"));
    QCOMPARE(ini.readString("Plugins", "a"), QString("b"));
}

void TestSettingsIo::saveFailureIsReportedOnce() {
    TestContext t;
    // The settings "file" is a folder: it can never be replaced.
    t.ctx.paths.configDir = t.path("cfg");
    QVERIFY(QDir().mkpath(t.ctx.paths.settingsFile()));
    QVERIFY(!saveSettings(t.ctx));
    QVERIFY(!saveSettings(t.ctx));
    QCOMPARE(t.prompts.records.size(), 1);
    QCOMPARE(t.prompts.records[0].kind, Prompts::Kind::Error);
    QVERIFY(t.prompts.records[0].text.contains("Marlo.ini"));
}

void TestSettingsIo::deviceAsSettingsFileIsLeftAlone() {
    TestContext t;
    QDir().mkpath(t.ctx.paths.configDir);
    QVERIFY(QFile::link("/dev/zero", t.ctx.paths.settingsFile()));
    t.ctx.settings = changedSettings();
    loadSettings(t.ctx);
    QCOMPARE(t.ctx.settings.fontname, QString("MS Sans Serif"));
    QVERIFY(!saveSettings(t.ctx));
    QCOMPARE(QFileInfo(t.ctx.paths.settingsFile()).symLinkTarget(), QString("/dev/zero"));
    QCOMPARE(t.prompts.records.size(), 1);
    QVERIFY2(t.prompts.records[0].text.contains("not a regular file"),
             qPrintable(t.prompts.records[0].text));
}

void TestSettingsIo::untitledName_data() {
    QTest::addColumn<QString>("homedir");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("expected");
    QTest::newRow("home folder") << "/home/u/www"
                                 << "/tmp"
                                 << "/home/u/www/New.htm";
    QTest::newRow("home with slash") << "/home/u/www/"
                                     << "/tmp"
                                     << "/home/u/www/New.htm";
    QTest::newRow("panel folder") << ""
                                  << "/srv/site"
                                  << "/srv/site/New.htm";
    QTest::newRow("root panel") << ""
                                << "/"
                                << "/New.htm";
}

void TestSettingsIo::untitledName() {
    QFETCH(QString, homedir);
    QFETCH(QString, panel);
    QFETCH(QString, expected);
    TestContext t;
    t.ctx.settings.homedir = homedir;
    QVERIFY(saveSettings(t.ctx));
    t.ctx.temporaryFiles.add("/tmp/temp.htm");
    t.ctx.backupFiles.add("/tmp/a.bak");
    QCOMPARE(initSettingsDefaults(t.ctx, panel), expected);
    QVERIFY(t.ctx.temporaryFiles.isEmpty());
    QVERIFY(t.ctx.backupFiles.isEmpty());
    QCOMPARE(initSettingsDefaults(t.ctx, panel), expected); // a second run gives the same
}

QTEST_GUILESS_MAIN(TestSettingsIo)
#include "tst_settingsio.moc"
