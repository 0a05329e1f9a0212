// The sections and keys of Marlo.ini, spelled once: the settings store reads and writes every one
// of them (settingsio.cpp), the first-start setup and the dictionary install a few.
#pragma once

#include <QString>

namespace SettingsKeys {

// Sections
inline const QString General = QStringLiteral("General");
inline const QString Options = QStringLiteral("Options");
inline const QString Buttons = QStringLiteral("Buttons");
inline const QString Colors = QStringLiteral("colors");

// [General]
inline const QString Version = QStringLiteral("version");
inline const QString ProgramHelp = QStringLiteral("help");

// [Options]
inline const QString HomeFolder = QStringLiteral("homedir");
inline const QString WordWrap = QStringLiteral("wordwrap");
inline const QString Backup = QStringLiteral("backup");
inline const QString BackupMinutes = QStringLiteral("backuptime");
inline const QString ConvertSlashes = QStringLiteral("convertslash");
inline const QString RelativeReferences = QStringLiteral("relativ");
inline const QString AbsoluteReferences = QStringLiteral("absolut");
inline const QString BareNameReferences = QStringLiteral("no");
inline const QString Layout = QStringLiteral("screenm");
inline const QString ImageWidth = QStringLiteral("groesse");
inline const QString PrimaryBrowser = QStringLiteral("npath");
inline const QString SecondaryBrowser = QStringLiteral("iepath");
inline const QString PrimaryBrowserIsDefault = QStringLiteral("DefBrNet");
inline const QString TagHelp = QStringLiteral("help");
inline const QString FontName = QStringLiteral("fontname");
inline const QString FontSize = QStringLiteral("fontsize");
inline const QString TagColor = QStringLiteral("tagcolor");
inline const QString TextColor = QStringLiteral("textcolor");
inline const QString ColorCoding = QStringLiteral("colcoding");
inline const QString BackgroundColor = QStringLiteral("backcolor");
inline const QString CommentColor = QStringLiteral("commentcolor");
inline const QString ConvertExtended = QStringLiteral("exeq");
inline const QString CompleteWhileTyping = QStringLiteral("autocomplete");
inline const QString LivePreview = QStringLiteral("livepreview");
inline const QString LivePreviewWidth = QStringLiteral("livepreviewwidth");
inline const QString HtmlMask = QStringLiteral("HTMLMask");
inline const QString MultimediaMask = QStringLiteral("MultiMask");
inline const QString ImagePreview = QStringLiteral("bpreview");
inline const QString PanelWidth = QStringLiteral("panelwidth");
inline const QString RightPanelWidth = QStringLiteral("p3w");
inline const QString FileListHeight = QStringLiteral("p9h");
inline const QString ShowMultimedia = QStringLiteral("showmulti");
inline const QString ShowImages = QStringLiteral("showimage");
inline const QString TipOfTheDay = QStringLiteral("totd");
inline const QString EnlargeFirstEditor = QStringLiteral("ntpatch");
inline const QString TemplateFile = QStringLiteral("templatedir");
inline const QString Dictionary = QStringLiteral("dictionary");
inline const QString InstallDictionary = QStringLiteral("changeflag");
inline const QString SpellConvertExtended = QStringLiteral("vcconvertext");
inline const QString SpellIgnoreMail = QStringLiteral("vcignoremail");
inline const QString SpellIgnoreLinks = QStringLiteral("vcignorelink");
inline const QString SaveAllBeforeBrowsing = QStringLiteral("Bautosave");

// Numbered keys, counted from 1: recent files and the previously used lists ([Options]), the
// launcher slots ([Options] App1Title ...), the user buttons ([Buttons]), the colour list
// ([colors] col17 ...).
inline QString numbered(const char *stem, int n, const char *tail = "") {
    return QLatin1String(stem) + QString::number(n) + QLatin1String(tail);
}
inline QString recentFile(int n) { return numbered("last", n); }
inline QString previousLink(int n) { return numbered("lastl", n); }
inline QString previousImage(int n) { return numbered("lastp", n); }
inline QString launcherTitle(int n) { return numbered("App", n, "Title"); }
inline QString launcherCommand(int n) { return numbered("App", n, "Line"); }
// Read as "AppnAutoStart", written as "AppnAutostart": keys match without regard to case.
inline QString launcherAutoStartRead(int n) { return numbered("App", n, "AutoStart"); }
inline QString launcherAutoStartWritten(int n) { return numbered("App", n, "Autostart"); }
inline QString buttonCaption(int n) { return numbered("btext", n); }
inline QString buttonStart(int n) { return numbered("tagstart", n); }
inline QString buttonEnd(int n) { return numbered("tagend", n); }
inline QString colorListEntry(int n) { return numbered("col", n); }

} // namespace SettingsKeys
