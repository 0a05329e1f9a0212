// A throw-away program context for tests: settings, data and installation folders under a
// temporary directory, and scripted prompts.
#pragma once

#include "common/scriptedprompts.h"
#include "shell/appcontext.h"

#include <QTemporaryDir>

class TestContext {
public:
    TestContext();

    // A path inside the temporary directory.
    QString path(const QString &relative) const;
    // Writes a file (folders created) and returns its absolute path.
    QString writeFile(const QString &relative, const QByteArray &bytes) const;
    QByteArray readFile(const QString &absolutePath) const;
    // Writes Marlo.ini with the given text.
    void writeSettings(const QByteArray &iniText) const;
    QByteArray settingsBytes() const;

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    AppContext ctx;
};
