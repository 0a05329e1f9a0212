#include "shell/firststart.h"

#include "shell/appcontext.h"
#include "shell/copyfileexpanding.h"
#include "shell/inistore.h"
#include "shell/settingsio.h"
#include "shell/settingskeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

using namespace SettingsKeys;

constexpr int CurrentVersion = 100;

QString firstExecutable(std::initializer_list<const char *> names) {
    for (const char *name : names) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString installedDictionary(const AppContext &ctx) {
    return QDir(ctx.paths.dataDir).filePath(QLatin1String(InstalledDictionaryName));
}

bool installDictionary(AppContext &ctx, const QString &source) {
    QDir().mkpath(ctx.paths.dataDir);
    return copyFileExpanding(source, installedDictionary(ctx), ctx.prompts);
}

} // namespace

bool firstStartSetup(AppContext &ctx) {
    const QString file = ctx.paths.settingsFile();
    IniStore ini;
    QString readError;
    const bool exists = ini.load(file, &readError);
    if (exists && ini.readInt(General, Version, -1) >= CurrentVersion)
        return false;
    if (!exists && QFileInfo::exists(file)) {
        // An unreadable settings file is the user's, not a fresh installation: keep it.
        reportSettingsWriteError(ctx, readError);
        return false;
    }

    const QString install = ctx.paths.installDir;
    const QString help = install + QStringLiteral("/marlo.htm");
    const QString templ = install + QStringLiteral("/Default.htm");
    const QString browser = firstExecutable({"firefox-esr", "firefox"});
    const QString secondBrowser =
        firstExecutable({"chromium", "chromium-browser", "google-chrome"});

    ini.writeInt(General, Version, CurrentVersion);
    ini.writeString(General, ProgramHelp, help);
    ini.writeString(Options, TemplateFile, templ);
    ini.writeString(Options, PrimaryBrowser, browser);
    ini.writeString(Options, SecondaryBrowser, secondBrowser);
    QString error;
    const bool written = ini.save(file, &error);
    if (!written)
        reportSettingsWriteError(ctx, error);

    installDictionary(ctx, install + QStringLiteral("/american.vtd"));

    loadSettings(ctx);
    if (!written) {
        // The file refused the values; this run still gets them.
        ctx.settings.version = CurrentVersion;
        ctx.settings.programHelpFile = help;
        ctx.settings.templateFile = templ;
        ctx.settings.primaryBrowser = browser;
        ctx.settings.secondaryBrowser = secondBrowser;
    }
    return true;
}

void installChosenDictionary(AppContext &ctx) {
    const QString file = ctx.paths.settingsFile();
    IniStore ini;
    ini.load(file);
    if (ini.readInt(Options, InstallDictionary, 0) != 1)
        return;
    ini.writeBool(Options, InstallDictionary, false);
    QString error;
    if (!ini.save(file, &error))
        reportSettingsWriteError(ctx, error);
    ctx.settings.installDictionaryAtStart = false;

    const QString dictionary =
        ini.readString(Options, Dictionary, QStringLiteral("american.vtd"));
    if (dictionary.isEmpty()) {
        QFile::remove(installedDictionary(ctx));
        return;
    }
    // The copy replaces the installed dictionary in one step, so a failed copy leaves the old
    // one working instead of none.
    installDictionary(ctx, QDir(ctx.paths.installDir).filePath(dictionary));
}
