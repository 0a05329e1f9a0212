#include "platform/processlauncher.h"

#include "tools/tooltexts.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

bool startCommandLine(const QString &commandLine, QString *failure) {
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty())
        return false;
    QProcess process;
    process.setProgram(parts.takeFirst());
    process.setArguments(parts);
    if (process.startDetached())
        return true;
    if (failure) {
        // Qt names the system call ("execv: No such file or directory"); the user needs the reason.
        QString reason = process.errorString();
        reason.remove(QRegularExpression(QStringLiteral("^exec\\w*: ")));
        *failure = PreferenceTexts::programNotStarted(process.program(), reason);
    }
    return false;
}
