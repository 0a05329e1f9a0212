#include "platform/browserlauncher.h"

#include <QProcess>

void ProcessBrowserLauncher::activate(const QString &) {}

void ProcessBrowserLauncher::openUrl(const QString &program, const QString &url) {
    QProcess::startDetached(program, {url});
}
