#include "shell/appsettings.h"
#include "tools/preferences.h"

#include <QtTest>

class TestPreferences : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void extensionRules_data();
    void extensionRules();
    void masks_data();
    void masks();
    void launcherSlots();
};

void TestPreferences::extensionRules_data() {
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("check");
    const QStringList html{"htm", "shtm", "css"};
    QTest::newRow("new") << html << "html" << int(ExtensionCheck::Accepted);
    QTest::newRow("digit") << html << "ph3" << int(ExtensionCheck::Accepted);
    QTest::newRow("letters from 192 on") << html << QStringLiteral("ñé") << int(ExtensionCheck::Accepted);
    QTest::newRow("exe") << html << "exe" << int(ExtensionCheck::Executable);
    QTest::newRow("Com") << html << "Com" << int(ExtensionCheck::Executable);
    QTest::newRow("hyphen") << html << "p-x" << int(ExtensionCheck::SpecialCharacters);
    QTest::newRow("dot") << html << ".htm" << int(ExtensionCheck::SpecialCharacters);
    QTest::newRow("below 192") << html << QStringLiteral("a\u00B5") << int(ExtensionCheck::SpecialCharacters);
    QTest::newRow("other case listed") << html << "HTM" << int(ExtensionCheck::AlreadyListed);
    QTest::newRow("empty") << html << "" << int(ExtensionCheck::Empty);
}

void TestPreferences::extensionRules() {
    QFETCH(QStringList, listed);
    QFETCH(QString, typed);
    QTEST(int(checkExtension(listed, typed)), "check");
}

void TestPreferences::masks_data() {
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QStringList>("extensions");
    QTest::addColumn<QString>("rebuilt");
    QTest::newRow("default") << "*.htm;*.shtm;*.css;" << QStringList{"htm", "shtm", "css"}
                             << "*.htm;*.shtm;*.css;";
    QTest::newRow("lower case on the way back") << "*.HTML;*.Php;" << QStringList{"HTML", "Php"}
                                                << "*.html;*.php;";
    QTest::newRow("no final semicolon") << "*.htm" << QStringList{"htm"} << "*.htm;";
    QTest::newRow("empty") << "" << QStringList() << "";
}

void TestPreferences::masks() {
    QFETCH(QString, mask);
    const QStringList extensions = extensionsFromMask(mask);
    QTEST(extensions, "extensions");
    QTEST(maskFromExtensions(extensions), "rebuilt");
}

void TestPreferences::launcherSlots() {
    AppSettings s;
    // All free: only the first item shows, and it starts nothing.
    for (int i = 0; i < AppSettings::LauncherSlots; ++i)
        QCOMPARE(launcherItemVisible(s, i), i == 0);
    QVERIFY(launcherCommand(s, 0).isEmpty());

    s.launcherTitles[2] = QStringLiteral("Editor");
    s.launcherCommands[2] = QStringLiteral("kate --new");
    s.launcherTitles[3] = QStringLiteral("No line");
    QVERIFY(launcherItemVisible(s, 2));
    QCOMPARE(launcherCommand(s, 2), QStringLiteral("kate --new"));
    QVERIFY(launcherCommand(s, 3).isEmpty());

    QCOMPARE(launcherSlotText(QString()), MarkerEmpty);
    QCOMPARE(launcherFieldText(MarkerEmpty), QString());
    QCOMPARE(storedFontName(QString(40, QLatin1Char('x'))).size(), 31);
}

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
