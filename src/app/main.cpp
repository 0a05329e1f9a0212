// Start sequence of Marlo: command line, splash, main window, first-start setup, event loop.
#include "platform/allocator.h"
#include "platform/browserlauncher.h"
#include "platform/messageboxprompts.h"
#include "recovery/recoverysession.h"
#include "shell/appcontext.h"
#include "shell/atomicfilewriter.h"
#include "shell/commandline.h"
#include "shell/firststart.h"
#include "shell/mainwindow.h"
#include "shell/splashscreen.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char *argv[]) {
    ignoreFileSizeSignal(); // a size limit fails the save it stops, it does not end the program
    // The command line is read before a display is needed, so --help works anywhere.
    const CommandLine command = parseCommandLine(argc, argv);
    if (command.action == CommandLine::Action::PrintHelp) {
        std::fputs(qPrintable(commandLineUsage()), stdout);
        return 0;
    }
    if (command.action == CommandLine::Action::PrintVersion) {
        std::fputs(qPrintable(QStringLiteral("Marlo %1\n").arg(QStringLiteral(MARLO_VERSION))),
                   stdout);
        return 0;
    }
    if (command.action == CommandLine::Action::Fail) {
        std::fputs(qPrintable(command.error + QLatin1Char('\n') + commandLineUsage()), stderr);
        return 2;
    }

    tuneAllocatorForLargePages();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marlo"));
    QApplication::setApplicationVersion(QStringLiteral(MARLO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.marlo.Marlo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/marlo.svg")));

    AppContext ctx;
    ctx.paths.configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    ctx.paths.dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    ctx.paths.recoveryDir = defaultRecoveryDir();
    ctx.paths.installDir =
        QDir::cleanPath(QApplication::applicationDirPath() + QStringLiteral("/../share/marlo"));
    QDir().mkpath(ctx.paths.configDir);
    MessageBoxPrompts prompts;
    ctx.prompts = &prompts;

    SplashScreen splash;
    splash.showAndPaint();

    ProcessBrowserLauncher browsers;
    MainWindow window(ctx, browsers);
    window.setStartupFiles(command.files);
    prompts.setParentWindow(&window);
    splash.repaintNow();
    splash.close();

    if (firstStartSetup(ctx))
        window.applyFirstStartSettings();

    window.showMaximized();
    return app.exec();
}
