// The rules behind the preferences dialog and the launcher: file-extension lists and their
// masks, the launcher's free-slot marker, and what the launcher menu shows.
#pragma once

#include <QString>
#include <QStringList>

struct AppSettings;

enum class ExtensionCheck { Empty, Executable, SpecialCharacters, AlreadyListed, Accepted };

// Whether `extension` may join `list`: not "exe"/"com" in any case, letters, digits and
// characters from code 192 on only, not listed yet in any case.
ExtensionCheck checkExtension(const QStringList &list, const QString &extension);
// The message for a refused extension; empty when none is shown.
QString extensionMessage(ExtensionCheck check);

// "*.htm;*.css;" gives {"htm", "css"}; the mask is rebuilt in lower case.
QStringList extensionsFromMask(const QString &mask);
QString maskFromExtensions(const QStringList &extensions);
// What the file list shows after the preferences: HTML documents, pictures and multimedia.
QString fileListMask(const QString &htmlMask, const QString &multimediaMask);

// The font name as stored: at most 31 characters.
QString storedFontName(const QString &family);
// A launcher title or command line as stored: empty becomes "[empty]".
QString launcherSlotText(const QString &field);
// As an edit field shows it: "[empty]" becomes empty.
QString launcherFieldText(const QString &stored);
// Launcher menu: item 0 is always shown, the others only when their title is not "[empty]".
bool launcherItemVisible(const AppSettings &s, int slot);
// The command line of a slot, or empty when the slot is free.
QString launcherCommand(const AppSettings &s, int slot);
