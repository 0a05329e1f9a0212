// Moves the settings record to and from Marlo.ini: every key with its default, in a fixed order
// and section, and the start-up reset of the state that the settings feed.
#pragma once

#include <QString>

struct AppContext;
struct AppSettings;
class IniStore;
class Prompts;

// Tells the user that the settings file cannot be written (or read back before a write), once
// per run: a file that refuses every save is not reported at each one.
class SettingsErrorReport {
public:
    void report(Prompts *prompts, const QString &settingsFile, const QString &platformError);

private:
    bool m_shown = false;
};

// Reads ctx.paths.settingsFile() into ctx.settings; a missing or damaged file gives defaults for
// whatever it lacks. Also fills the 16 fixed names of the colour list.
void loadSettings(AppContext &ctx);
// Writes every key (keys of other versions in the file are kept) atomically. On failure the
// platform's error text is shown once per run, false is returned and the program goes on.
bool saveSettings(AppContext &ctx);
// Start-up reset: clears the temporary-file and backup-file lists, loads the settings and returns
// the file name of the first untitled document (home folder, else `panelFolder`, + "New.htm").
QString initSettingsDefaults(AppContext &ctx, const QString &panelFolder);
// The name of an untitled document: the home folder of the settings, else `panelFolder`, and
// "New.htm".
QString untitledDocumentName(const AppSettings &settings, const QString &panelFolder);

// The record <-> store steps on their own, for callers that hold a store already.
void readSettings(const IniStore &ini, AppSettings &settings);
void writeSettings(const AppSettings &settings, IniStore &ini);

// Shows a settings-file write error unless one was shown in this run already.
void reportSettingsWriteError(AppContext &ctx, const QString &platformError);
