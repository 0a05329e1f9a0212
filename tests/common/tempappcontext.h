// An AppContext whose folders all lie in a fresh temporary directory, with scripted prompts, so
// tests never touch the real configuration.
#pragma once

#include "scriptedprompts.h"
#include "shell/appcontext.h"

#include <QDir>
#include <QTemporaryDir>

struct TempAppContext {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    AppContext ctx;

    TempAppContext() {
        ctx.paths.configDir = dir.filePath(QStringLiteral("config"));
        ctx.paths.dataDir = dir.filePath(QStringLiteral("data"));
        ctx.paths.installDir = dir.filePath(QStringLiteral("install"));
        QDir().mkpath(ctx.paths.configDir);
        QDir().mkpath(ctx.paths.installDir);
        ctx.prompts = &prompts;
    }
    QString path(const QString &name) const { return dir.filePath(name); }
};
