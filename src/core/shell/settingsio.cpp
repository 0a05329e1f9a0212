#include "shell/settingsio.h"

#include "shell/appcontext.h"
#include "shell/colortext.h"
#include "shell/inistore.h"
#include "shell/prompts.h"
#include "shell/settingskeys.h"
#include "shell/shelltexts.h"

#include <QDir>
#include <QFileInfo>

#include <climits>

namespace {

using namespace SettingsKeys;

constexpr int FontNameLength = 31;

// The launcher's autostart keys are read and written with different capitals; as keys match
// without regard to case both spellings name one key.
struct Key {
    QString read;
    QString write;
    Key(const QString &k) : read(k), write(k) {}
    Key(const QString &r, const QString &w) : read(r), write(w) {}
};

// The one list of keys: section, name, field and default, in the order they are written.
template <class Settings, class Visitor>
void visitSettings(Settings &s, const AppSettings &d, Visitor &v) {
    v.integer(General, Version, s.version, d.version);
    v.string(Options, HomeFolder, s.homeFolder, d.homeFolder);
    v.boolean(Options, WordWrap, s.wordWrap, d.wordWrap);
    v.boolean(Options, Backup, s.backupEnabled, d.backupEnabled);
    v.integer(Options, BackupMinutes, s.backupMinutes, d.backupMinutes,
              AppSettings::MinBackupMinutes, AppSettings::MaxBackupMinutes);
    v.boolean(Options, ConvertSlashes, s.convertSlashes, d.convertSlashes);
    v.boolean(Options, RelativeReferences, s.relativeReferences, d.relativeReferences);
    v.boolean(Options, AbsoluteReferences, s.absoluteReferences, d.absoluteReferences);
    v.boolean(Options, BareNameReferences, s.bareNameReferences, d.bareNameReferences);
    v.layout(Options, Layout, s.layoutMode, d.layoutMode);
    v.boolean(Options, ImageWidth, s.imageWidthChecked, d.imageWidthChecked);
    v.string(Options, PrimaryBrowser, s.primaryBrowser, d.primaryBrowser);
    v.string(Options, SecondaryBrowser, s.secondaryBrowser, d.secondaryBrowser);
    v.boolean(Options, PrimaryBrowserIsDefault, s.primaryBrowserIsDefault, d.primaryBrowserIsDefault);
    v.string(Options, TagHelp, s.tagHelpFile, d.tagHelpFile);
    v.string(General, ProgramHelp, s.programHelpFile, d.programHelpFile);
    v.string(Options, FontName, s.fontName, d.fontName, FontNameLength);
    v.integer(Options, FontSize, s.fontSize, d.fontSize, AppSettings::MinFontSize,
              AppSettings::MaxFontSize);
    v.color(Options, TagColor, s.tagColor, d.tagColor);
    v.color(Options, TextColor, s.textColor, d.textColor);
    v.boolean(Options, ColorCoding, s.colorCoding, d.colorCoding);
    v.color(Options, BackgroundColor, s.backgroundColor, d.backgroundColor);
    v.color(Options, CommentColor, s.commentColor, d.commentColor);
    v.boolean(Options, ConvertExtended, s.convertExtendedCharacters, d.convertExtendedCharacters);
    v.boolean(Options, CompleteWhileTyping, s.completeWhileTyping, d.completeWhileTyping);
    v.boolean(Options, LivePreview, s.livePreview, d.livePreview);
    v.integer(Options, LivePreviewWidth, s.livePreviewWidth, d.livePreviewWidth);
    for (int i = 0; i < AppSettings::RecentFileCount; ++i)
        v.string(Options, recentFile(i + 1), s.recentFiles[i], d.recentFiles[i]);
    for (int i = 0; i < AppSettings::RecentListSlots; ++i)
        v.string(Options, previousLink(i + 1), s.previousLinks[i], d.previousLinks[i]);
    for (int i = 0; i < AppSettings::RecentListSlots; ++i)
        v.string(Options, previousImage(i + 1), s.previousImages[i], d.previousImages[i]);
    for (int i = 0; i < AppSettings::UserButtonCount; ++i)
        v.string(Buttons, buttonCaption(i + 1), s.buttonCaptions[i], d.buttonCaptions[i]);
    for (int i = 0; i < AppSettings::UserButtonCount; ++i)
        v.string(Buttons, buttonStart(i + 1), s.buttonStartTexts[i], d.buttonStartTexts[i]);
    for (int i = 0; i < AppSettings::UserButtonCount; ++i)
        v.string(Buttons, buttonEnd(i + 1), s.buttonEndTexts[i], d.buttonEndTexts[i]);
    v.string(Options, HtmlMask, s.htmlMask, d.htmlMask);
    v.string(Options, MultimediaMask, s.multimediaMask, d.multimediaMask);
    for (int i = 0; i < AppSettings::LauncherSlots; ++i)
        v.string(Options, launcherTitle(i + 1), s.launcherTitles[i], d.launcherTitles[i]);
    for (int i = 0; i < AppSettings::LauncherSlots; ++i)
        v.string(Options, launcherCommand(i + 1), s.launcherCommands[i], d.launcherCommands[i]);
    for (int i = 0; i < AppSettings::LauncherSlots; ++i)
        v.boolean(Options, Key(launcherAutoStartRead(i + 1), launcherAutoStartWritten(i + 1)),
                  s.launcherAutoStart[i], d.launcherAutoStart[i]);
    v.boolean(Options, ImagePreview, s.imagePreviewMode, d.imagePreviewMode);
    v.integer(Options, PanelWidth, s.filePanelWidth, d.filePanelWidth);
    v.integer(Options, RightPanelWidth, s.rightPanelWidth, d.rightPanelWidth);
    v.integer(Options, FileListHeight, s.fileListHeight, d.fileListHeight);
    v.boolean(Options, ShowMultimedia, s.showMultimediaFiles, d.showMultimediaFiles);
    v.boolean(Options, ShowImages, s.showImageFiles, d.showImageFiles);
    v.integer(Options, TipOfTheDay, s.tipOfTheDay, d.tipOfTheDay);
    v.boolean(Options, EnlargeFirstEditor, s.enlargeFirstEditor, d.enlargeFirstEditor);
    v.string(Options, TemplateFile, s.templateFile, d.templateFile);
    for (int i = AppSettings::FixedColorCount; i < AppSettings::ColorListSize; ++i)
        v.string(Colors, colorListEntry(i + 1), s.colorList[i], d.colorList[i]);
    v.string(Options, Dictionary, s.dictionaryFile, d.dictionaryFile);
    v.boolean(Options, InstallDictionary, s.installDictionaryAtStart, d.installDictionaryAtStart);
    v.boolean(Options, SpellConvertExtended, s.spellConvertExtended, d.spellConvertExtended);
    v.boolean(Options, SpellIgnoreMail, s.spellIgnoreMail, d.spellIgnoreMail);
    v.boolean(Options, SpellIgnoreLinks, s.spellIgnoreLinks, d.spellIgnoreLinks);
    v.boolean(Options, SaveAllBeforeBrowsing, s.saveAllBeforeBrowsing, d.saveAllBeforeBrowsing);
}

struct Reader {
    const IniStore &ini;
    void string(const QString &sec, const Key &k, QString &field, const QString &def,
                int maxLength = -1) {
        field = ini.readString(sec, k.read, def);
        if (maxLength >= 0)
            field.truncate(maxLength);
    }
    // A number outside [min, max] keeps the default, as one that is no number does.
    void integer(const QString &sec, const Key &k, int &field, int def, int min = INT_MIN,
                 int max = INT_MAX) {
        const int n = ini.readInt(sec, k.read, def);
        field = n >= min && n <= max ? n : def;
    }
    void boolean(const QString &sec, const Key &k, bool &field, bool def) {
        field = ini.readBool(sec, k.read, def);
    }
    void color(const QString &sec, const Key &k, ColorValue &field, ColorValue def) {
        field = colorFromText(ini.readString(sec, k.read, colorToText(def))).value_or(def);
    }
    // A number that names no layout mode keeps the default.
    void layout(const QString &sec, const Key &k, LayoutMode &field, LayoutMode def) {
        const int n = ini.readInt(sec, k.read, int(def));
        field = n >= int(LayoutMode::SmallScreen) && n <= int(LayoutMode::FullScreen)
                    ? LayoutMode(n)
                    : def;
    }
};

struct Writer {
    IniStore &ini;
    void string(const QString &sec, const Key &k, const QString &field, const QString &, int = -1) {
        ini.writeString(sec, k.write, field);
    }
    void integer(const QString &sec, const Key &k, int field, int, int = 0, int = 0) {
        ini.writeInt(sec, k.write, field);
    }
    void boolean(const QString &sec, const Key &k, bool field, bool) {
        ini.writeBool(sec, k.write, field);
    }
    void color(const QString &sec, const Key &k, ColorValue field, ColorValue) {
        ini.writeString(sec, k.write, colorToText(field));
    }
    void layout(const QString &sec, const Key &k, LayoutMode field, LayoutMode) {
        ini.writeInt(sec, k.write, int(field));
    }
};

// Entries 1..16 of every colour drop-down; never stored.
const char *const FixedColorNames[AppSettings::FixedColorCount] = {
    "blue", "fuchsia", "green", "yellow", "white",  "teal", "purple", "olive",
    "lime", "black",   "aqua",  "gray",   "maroon", "navy", "red",    "silver"};

} // namespace

void readSettings(const IniStore &ini, AppSettings &settings) {
    const AppSettings defaults;
    Reader reader{ini};
    visitSettings(settings, defaults, reader);
    // The last slot of the previously used lists is a permanent end marker.
    settings.previousLinks.back() = MarkerEmpty;
    settings.previousImages.back() = MarkerEmpty;
    for (int i = 0; i < AppSettings::FixedColorCount; ++i)
        settings.colorList[i] = QLatin1String(FixedColorNames[i]);
}

void writeSettings(const AppSettings &settings, IniStore &ini) {
    const AppSettings defaults;
    Writer writer{ini};
    visitSettings(settings, defaults, writer);
}

void loadSettings(AppContext &ctx) {
    IniStore ini;
    ini.load(ctx.paths.settingsFile());
    readSettings(ini, ctx.settings);
}

void SettingsErrorReport::report(Prompts *prompts, const QString &settingsFile,
                                 const QString &platformError) {
    if (m_shown || !prompts)
        return;
    m_shown = true;
    prompts->error(ShellTexts::settingsNotSaved(settingsFile, platformError));
}

void reportSettingsWriteError(AppContext &ctx, const QString &platformError) {
    ctx.settingsErrors.report(ctx.prompts, ctx.paths.settingsFile(), platformError);
}

bool saveSettings(AppContext &ctx) {
    const QString file = ctx.paths.settingsFile();
    IniStore ini;
    QString error;
    // Keys this version does not know stay in the file. A file that is there but cannot be
    // read is left alone rather than replaced by what this run knows.
    if (!ini.load(file, &error) && QFileInfo::exists(file)) {
        reportSettingsWriteError(ctx, error);
        return false;
    }
    writeSettings(ctx.settings, ini);
    if (ini.save(file, &error))
        return true;
    reportSettingsWriteError(ctx, error);
    return false;
}

QString initSettingsDefaults(AppContext &ctx, const QString &panelFolder) {
    ctx.temporaryFiles.clear();
    ctx.backupFiles.clear();
    loadSettings(ctx);
    return untitledDocumentName(ctx.settings, panelFolder);
}

QString untitledDocumentName(const AppSettings &settings, const QString &panelFolder) {
    QString folder = settings.homeFolder.isEmpty() ? panelFolder : settings.homeFolder;
    if (folder.isEmpty())
        folder = QDir::homePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("New.htm");
}
