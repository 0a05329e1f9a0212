// The in-memory settings record: one field per key of Marlo.ini, with the key's default. The
// file's sections and keys are spelled in one place, the settings visitor in settingsio.cpp.
// Loaded once at start, read by every subsystem, written back whole by saveSettings().
#pragma once

#include "shell/colorvalue.h"

#include <QString>
#include <array>

inline const QString MarkerEmpty = QStringLiteral("[empty]");

// How much of the main window the documents take; stored as 1, 2 and 3.
enum class LayoutMode {
    SmallScreen = 1, // tag toolbar and file panel shown
    WideScreen = 2,  // tag toolbar shown, file panel hidden
    FullScreen = 3,  // neither
};

struct AppSettings {
    static constexpr int RecentFileCount = 4;
    static constexpr int RecentListSlots = 21; // slot 21 is always MarkerEmpty
    static constexpr int PreviousListSize = RecentListSlots - 1; // entries a list can hold
    static constexpr int UserButtonCount = 15;
    static constexpr int LauncherSlots = 4;
    static constexpr int ColorListSize = 36; // 16 fixed names, then col17..col36
    static constexpr int FixedColorCount = 16;
    // What the preferences accept; a settings file's value outside keeps the default.
    static constexpr int MinBackupMinutes = 1;
    static constexpr int MaxBackupMinutes = 999;
    static constexpr int MinFontSize = 1;
    static constexpr int MaxFontSize = 200; // larger glyphs do not fit the editor's lines

    // [General]
    int version = -1;               // first-start marker
    QString programHelpFile;        // the program's own help file ([General] help)

    // [Options]
    QString homeFolder;             // folder of new untitled documents
    bool wordWrap = false;
    bool backupEnabled = false;     // periodic backup copy of the current document
    int backupMinutes = 5;
    bool convertSlashes = true;     // backslashes become "/" in inserted references
    // How inserted file references are written: relative, absolute or the bare name.
    bool relativeReferences = true;
    bool absoluteReferences = false;
    bool bareNameReferences = false;
    LayoutMode layoutMode = LayoutMode::SmallScreen;
    bool imageWidthChecked = false; // the image dialog's "Width:" box
    QString primaryBrowser;         // default external browser program
    QString secondaryBrowser;       // the other external browser program
    bool primaryBrowserIsDefault = true;
    QString tagHelpFile;            // external HTML help file ([Options] help)
    QString fontName = QStringLiteral("MS Sans Serif");
    int fontSize = 8;
    ColorValue tagColor = ColorValues::Blue;
    ColorValue textColor = ColorValues::Black;
    bool colorCoding = true;
    ColorValue backgroundColor = ColorValues::Window;
    ColorValue commentColor = ColorValues::Maroon;
    bool convertExtendedCharacters = true; // typed extended characters become entities
    bool completeWhileTyping = true; // offer tags, attributes and entities while typing
    bool livePreview = false;        // the page shows beside its source, following every edit
    int livePreviewWidth = -1;       // its width in the window; -1: half of the documents' area
    std::array<QString, RecentFileCount> recentFiles;     // newest first
    std::array<QString, RecentListSlots> previousLinks;  // newest first
    std::array<QString, RecentListSlots> previousImages; // newest first
    QString htmlMask = QStringLiteral("*.htm;*.shtm;*.css;");
    QString multimediaMask = QStringLiteral("*.png;*.mid;");
    std::array<QString, LauncherSlots> launcherTitles;
    std::array<QString, LauncherSlots> launcherCommands;
    std::array<bool, LauncherSlots> launcherAutoStart{};
    bool imagePreviewMode = false;
    int filePanelWidth = 125;
    int rightPanelWidth = -1; // panel right of the tag toolbar; -1 keeps the designed width
    int fileListHeight = 180; // file list area of the file panel
    bool showMultimediaFiles = true;
    bool showImageFiles = true;
    int tipOfTheDay = 1;      // last tip shown; negative: no tips at start
    bool enlargeFirstEditor = false;
    QString templateFile;     // the default template page
    QString dictionaryFile = QStringLiteral("american.vtd");
    bool installDictionaryAtStart = false;
    bool spellConvertExtended = true;
    bool spellIgnoreMail = true;
    bool spellIgnoreLinks = true;
    bool saveAllBeforeBrowsing = false;

    // [Buttons]
    std::array<QString, UserButtonCount> buttonCaptions;
    std::array<QString, UserButtonCount> buttonStartTexts;
    std::array<QString, UserButtonCount> buttonEndTexts;

    // Colour list of every colour drop-down: [0..15] the fixed names, [16..35] col17..col36.
    std::array<QString, ColorListSize> colorList;

    AppSettings() {
        recentFiles.fill(MarkerEmpty);
        previousLinks.fill(MarkerEmpty);
        previousImages.fill(MarkerEmpty);
        launcherTitles.fill(MarkerEmpty);
        launcherCommands.fill(MarkerEmpty);
    }
};
