// What the command line asks for: files to open, the usage text, the version, or an error.
#pragma once

#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Action { Run, PrintHelp, PrintVersion, Fail };
    Action action = Action::Run;
    QStringList files;
    QString error;
};

CommandLine parseCommandLine(const QStringList &arguments); // arguments without the program
CommandLine parseCommandLine(int argc, char *argv[]);
QString commandLineUsage();
