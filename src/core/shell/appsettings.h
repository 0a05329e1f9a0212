// The in-memory settings record: one field per key of Marlo.ini, with the key's default.
// Loaded once at start, read by every subsystem, written back whole by saveSettings().
#pragma once

#include "shell/colorvalue.h"

#include <QString>
#include <array>

inline const QString MarkerEmpty = QStringLiteral("[empty]");

struct AppSettings {
    static constexpr int RecentFileCount = 4;
    static constexpr int RecentListSlots = 21; // slot 21 is always MarkerEmpty
    static constexpr int UserButtonCount = 15;
    static constexpr int LauncherSlots = 4;
    static constexpr int ColorListSize = 36; // 16 fixed names, then col17..col36
    static constexpr int FixedColorCount = 16;

    // [General]
    int version = -1;
    QString generalHelp; // [General] help: the program's own help file

    // [Options]
    QString homedir;
    bool wordwrap = false;
    bool backup = false;
    int backuptime = 5;
    bool convertslash = true;
    bool relativ = true;
    bool absolut = false;
    bool no = false;
    int screenm = 1;
    bool groesse = false;
    QString npath;
    QString iepath;
    bool defBrNet = true;
    QString help; // [Options] help: external HTML help file
    QString fontname = QStringLiteral("MS Sans Serif");
    int fontsize = 8;
    ColorValue tagcolor = ColorValues::Blue;
    ColorValue textcolor = ColorValues::Black;
    bool colcoding = true;
    ColorValue backcolor = ColorValues::Window;
    ColorValue commentcolor = ColorValues::Maroon;
    bool exeq = true;
    std::array<QString, RecentFileCount> last;  // last1..last4, newest first
    std::array<QString, RecentListSlots> lastl; // previously used links
    std::array<QString, RecentListSlots> lastp; // previously used images
    QString htmlMask = QStringLiteral("*.htm;*.shtm;*.css;");
    QString multiMask = QStringLiteral("*.png;*.mid;");
    std::array<QString, LauncherSlots> appTitle;
    std::array<QString, LauncherSlots> appLine;
    std::array<bool, LauncherSlots> appAutoStart{};
    bool bpreview = false;
    int panelwidth = 125;
    int p3w = -1;
    int p9h = 180;
    bool showmulti = true;
    bool showimage = true;
    int totd = 1;
    bool ntpatch = false;
    QString templatedir;
    QString dictionary = QStringLiteral("american.vtd");
    bool changeflag = false;
    bool vcconvertext = true;
    bool vcignoremail = true;
    bool vcignorelink = true;
    bool bautosave = false;

    // [Buttons]
    std::array<QString, UserButtonCount> btext;
    std::array<QString, UserButtonCount> tagstart;
    std::array<QString, UserButtonCount> tagend;

    // Colour list of every colour drop-down: [0..15] the fixed names, [16..35] col17..col36.
    std::array<QString, ColorListSize> colorList;

    AppSettings() {
        last.fill(MarkerEmpty);
        lastl.fill(MarkerEmpty);
        lastp.fill(MarkerEmpty);
        appTitle.fill(MarkerEmpty);
        appLine.fill(MarkerEmpty);
    }
};
