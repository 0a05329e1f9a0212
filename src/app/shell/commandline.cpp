#include "shell/commandline.h"

namespace {
// Options that QApplication itself takes (with one value, or none).
const QStringList QtValueOptions = {
    QStringLiteral("-platform"), QStringLiteral("-platformpluginpath"),
    QStringLiteral("-platformtheme"), QStringLiteral("-plugin"), QStringLiteral("-display"),
    QStringLiteral("-style"), QStringLiteral("-stylesheet"), QStringLiteral("-geometry"),
    QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowtitle"),
    QStringLiteral("-qwindowicon"), QStringLiteral("-session")};
const QStringList QtFlagOptions = {QStringLiteral("-reverse"), QStringLiteral("-widgetcount")};
} // namespace

CommandLine parseCommandLine(const QStringList &arguments) {
    CommandLine result;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (!optionsEnded && QtValueOptions.contains(arg)) {
            ++i; // the toolkit reads the option and its value
        } else if (!optionsEnded && QtFlagOptions.contains(arg)) {
            continue;
        } else if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            result.action = CommandLine::Action::PrintHelp;
            return result;
        } else if (!optionsEnded && (arg == QLatin1String("--version") || arg == QLatin1String("-v"))) {
            result.action = CommandLine::Action::PrintVersion;
            return result;
        } else if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            result.action = CommandLine::Action::Fail;
            result.error = QStringLiteral("marlo: unknown option '%1'").arg(arg);
            return result;
        } else {
            result.files << arg;
        }
    }
    return result;
}

CommandLine parseCommandLine(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return parseCommandLine(arguments);
}

QString commandLineUsage() {
    return QStringLiteral("Usage: marlo [options] [file...]\n"
                          "Marlo, an editor for hand-written HTML pages.\n"
                          "Files named on the command line open in tabs.\n\n"
                          "Options:\n"
                          "  -h, --help     show this help and exit\n"
                          "  -v, --version  show the version and exit\n"
                          "  --             treat the remaining arguments as files\n");
}
