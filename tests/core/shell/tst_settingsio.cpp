#include "common/filesizelimit.h"
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
    s.programHelpFile = "/opt/marlo/marlo.htm";
    s.homeFolder = "/home/u/www";
    s.wordWrap = s.backupEnabled = s.absoluteReferences = s.bareNameReferences = s.imageWidthChecked = true;
    s.backupMinutes = 17;
    s.convertSlashes = s.relativeReferences = s.primaryBrowserIsDefault = s.colorCoding = s.convertExtendedCharacters = s.completeWhileTyping = false;
    s.layoutMode = LayoutMode::FullScreen;
    s.primaryBrowser = "/usr/bin/firefox";
    s.secondaryBrowser = "/usr/bin/chromium";
    s.tagHelpFile = "/usr/share/doc/html.htm";
    s.fontName = "DejaVu Sans Mono";
    s.fontSize = 11;
    s.tagColor = 0x00123456;
    s.textColor = ColorValues::WindowText;
    s.backgroundColor = ColorValues::None;
    s.commentColor = ColorValues::Silver;
    for (int i = 0; i < 4; ++i)
        s.recentFiles[i] = QString("/w/page%1.htm").arg(i);
    for (int i = 0; i < 20; ++i) {
        s.previousLinks[i] = QString("http://example.org/%1").arg(i);
        s.previousImages[i] = QString("/w/img/%1.gif").arg(i);
    }
    for (int i = 0; i < 15; ++i) {
        s.buttonCaptions[i] = QString("B%1").arg(i);
        s.buttonStartTexts[i] = QString("<SPAN CLASS=\"c%1\">").arg(i);
        s.buttonEndTexts[i] = "</SPAN> ";
    }
    s.htmlMask = "*.htm;*.php;";
    s.multimediaMask = "*.ogg;";
    for (int i = 0; i < 4; ++i) {
        s.launcherTitles[i] = QString("App %1").arg(i);
        s.launcherCommands[i] = QString("xterm -e top%1").arg(i);
        s.launcherAutoStart[i] = i % 2 == 0;
    }
    s.imagePreviewMode = true;
    s.filePanelWidth = 300;
    s.rightPanelWidth = 44;
    s.fileListHeight = 99;
    s.showMultimediaFiles = s.showImageFiles = false;
    s.tipOfTheDay = -4;
    s.enlargeFirstEditor = true;
    s.templateFile = "/opt/marlo/Default.htm";
    for (int i = 16; i < 36; ++i)
        s.colorList[i] = QString("#%1").arg(i, 6, 10, QLatin1Char('0'));
    s.dictionaryFile = "deutsch.vtd";
    s.installDictionaryAtStart = true;
    s.spellConvertExtended = s.spellIgnoreMail = s.spellIgnoreLinks = false;
    s.saveAllBeforeBrowsing = true;
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
    void anInterruptedSaveKeepsTheOldFile();
    void untitledName_data();
    void untitledName();
};

void TestSettingsIo::missingFileGivesDefaults() {
    TestContext t;
    t.ctx.settings = changedSettings();
    loadSettings(t.ctx);
    const AppSettings &s = t.ctx.settings;
    QCOMPARE(s.version, -1);
    QCOMPARE(s.fontName, QString("MS Sans Serif"));
    QCOMPARE(s.backgroundColor, ColorValues::Window);
    QCOMPARE(s.recentFiles[3], MarkerEmpty);
    QCOMPARE(s.launcherTitles[0], MarkerEmpty);
    QCOMPARE(s.buttonStartTexts[0], QString());
    QCOMPARE(s.colorList[0], QString("blue"));
    QCOMPARE(s.colorList[15], QString("silver"));
    QCOMPARE(s.colorList[16], QString());
    QVERIFY(s.relativeReferences && s.convertSlashes && !s.absoluteReferences);
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
    QCOMPARE(t.ctx.settings.buttonStartTexts[3], original.buttonStartTexts[3]);
    QCOMPARE(t.ctx.settings.buttonEndTexts[0], QString("</SPAN> ")); // trailing blank kept
    QCOMPARE(t.ctx.settings.tipOfTheDay, -4);
    QCOMPARE(t.ctx.settings.textColor, ColorValues::WindowText);
    QCOMPARE(t.ctx.settings.launcherAutoStart[2], true);
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
                           "commentcolor", "exeq",     "autocomplete", "livepreview", "livepreviewwidth"};
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
    QTest::newRow("font size 0 keeps default") << QByteArray("fontsize=0") << "fontsize" << "8";
    QTest::newRow("font size 500 keeps default") << QByteArray("fontsize=500") << "fontsize"
                                                 << "8";
    QTest::newRow("largest font size") << QByteArray("fontsize=200") << "fontsize" << "200";
    QTest::newRow("backup every -5 minutes keeps default") << QByteArray("backuptime=-5")
                                                           << "backuptime" << "5";
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
        {"fontname", s.fontName},
        {"auto2", QString::number(s.launcherAutoStart[1])},
        {"panelwidth", QString::number(s.filePanelWidth)},
        {"fontsize", QString::number(s.fontSize)},
        {"backuptime", QString::number(s.backupMinutes)},
        {"tagcolor", colorToText(s.tagColor)},
        {"wordwrap", QString::number(s.wordWrap)},
        {"lastl21", s.previousLinks[20]},
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
    QCOMPARE(t.ctx.settings.fontName, QString("MS Sans Serif"));
    QVERIFY(!saveSettings(t.ctx));
    QCOMPARE(QFileInfo(t.ctx.paths.settingsFile()).symLinkTarget(), QString("/dev/zero"));
    QCOMPARE(t.prompts.records.size(), 1);
    QVERIFY2(t.prompts.records[0].text.contains("not a regular file"),
             qPrintable(t.prompts.records[0].text));
}

// A write that stops half-way (a full disk) must leave the settings file as it was.
void TestSettingsIo::anInterruptedSaveKeepsTheOldFile() {
    TestContext t;
    t.writeSettings("[Options]\nfontsize=11\n");
    const QByteArray before = t.settingsBytes();
    t.ctx.settings.buttonStartTexts[0] = QString(900, QLatin1Char('x'));
    bool saved = true;
    {
        const FileSizeLimit limit(64);
        saved = saveSettings(t.ctx);
    }
    QVERIFY(!saved);
    QCOMPARE(t.settingsBytes(), before);
    QCOMPARE(t.prompts.records.size(), 1);
    QCOMPARE(t.prompts.records[0].kind, Prompts::Kind::Error);
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
    t.ctx.settings.homeFolder = homedir;
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
