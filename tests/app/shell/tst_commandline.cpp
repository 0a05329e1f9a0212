// The command line: files to open, --help, --version, and errors for unknown options.
#include "shell/commandline.h"

#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QStringList>("files");
        using A = CommandLine::Action;
        QTest::newRow("files") << QStringList{"a.htm", "b.htm"} << int(A::Run)
                               << QStringList{"a.htm", "b.htm"};
        QTest::newRow("help") << QStringList{"a.htm", "--help"} << int(A::PrintHelp) << QStringList{};
        QTest::newRow("version") << QStringList{"--version"} << int(A::PrintVersion) << QStringList{};
        QTest::newRow("unknown") << QStringList{"--frobnicate"} << int(A::Fail) << QStringList{};
        QTest::newRow("dash file after --") << QStringList{"--", "-odd.htm"} << int(A::Run)
                                            << QStringList{"-odd.htm"};
        QTest::newRow("toolkit option") << QStringList{"-platform", "offscreen", "x.htm"}
                                        << int(A::Run) << QStringList{"x.htm"};
    }
    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(QStringList, files);
        const CommandLine c = parseCommandLine(args);
        QCOMPARE(int(c.action), action);
        if (c.action == CommandLine::Action::Run)
            QCOMPARE(c.files, files);
    }

};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
