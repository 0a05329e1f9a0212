#include "common/testcontext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestContext::TestContext() {
    ctx.paths.configDir = path(QStringLiteral("config"));
    ctx.paths.dataDir = path(QStringLiteral("data"));
    ctx.paths.installDir = path(QStringLiteral("install"));
    ctx.paths.recoveryDir = path(QStringLiteral("state/Marlo/recovery"));
    QDir().mkpath(ctx.paths.configDir);
    QDir().mkpath(ctx.paths.installDir);
    ctx.prompts = &prompts;
}

QString TestContext::path(const QString &relative) const { return dir.filePath(relative); }

QString TestContext::writeFile(const QString &relative, const QByteArray &bytes) const {
    const QString full = QFileInfo(relative).isAbsolute() ? relative : path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return full;
}

QByteArray TestContext::readFile(const QString &absolutePath) const {
    QFile f(absolutePath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestContext::writeSettings(const QByteArray &iniText) const {
    writeFile(ctx.paths.settingsFile(), iniText);
}

QByteArray TestContext::settingsBytes() const { return readFile(ctx.paths.settingsFile()); }
