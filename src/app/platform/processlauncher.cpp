#include "platform/processlauncher.h"

#include <QProcess>
#include <QStringList>

bool startCommandLine(const QString &commandLine) {
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty())
        return false;
    const QString program = parts.takeFirst();
    return QProcess::startDetached(program, parts);
}
