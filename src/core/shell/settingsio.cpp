#include "shell/settingsio.h"

#include "shell/appcontext.h"
#include "shell/colortext.h"
#include "shell/inistore.h"
#include "shell/prompts.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString General = QStringLiteral("General");
const QString Options = QStringLiteral("Options");
const QString Buttons = QStringLiteral("Buttons");
const QString Colors = QStringLiteral("colors");

constexpr int FontNameLength = 31;

// The launcher's autostart keys are read and written with different capitals; as keys match
// without regard to case both spellings name one key.
struct Key {
    QString read;
    QString write;
    Key(const QString &k) : read(k), write(k) {}
    Key(const QString &r, const QString &w) : read(r), write(w) {}
};

QString numbered(const char *stem, int n, const char *tail = "") {
    return QLatin1String(stem) + QString::number(n) + QLatin1String(tail);
}

// The one list of keys: section, name, field and default, in the order they are written.
template <class Settings, class Visitor>
void visitSettings(Settings &s, const AppSettings &d, Visitor &v) {
    v.integer(General, Key(QStringLiteral("version")), s.version, d.version);
    v.string(Options, Key(QStringLiteral("homedir")), s.homedir, d.homedir);
    v.boolean(Options, Key(QStringLiteral("wordwrap")), s.wordwrap, d.wordwrap);
    v.boolean(Options, Key(QStringLiteral("backup")), s.backup, d.backup);
    v.integer(Options, Key(QStringLiteral("backuptime")), s.backuptime, d.backuptime);
    v.boolean(Options, Key(QStringLiteral("convertslash")), s.convertslash, d.convertslash);
    v.boolean(Options, Key(QStringLiteral("relativ")), s.relativ, d.relativ);
    v.boolean(Options, Key(QStringLiteral("absolut")), s.absolut, d.absolut);
    v.boolean(Options, Key(QStringLiteral("no")), s.no, d.no);
    v.integer(Options, Key(QStringLiteral("screenm")), s.screenm, d.screenm);
    v.boolean(Options, Key(QStringLiteral("groesse")), s.groesse, d.groesse);
    v.string(Options, Key(QStringLiteral("npath")), s.npath, d.npath);
    v.string(Options, Key(QStringLiteral("iepath")), s.iepath, d.iepath);
    v.boolean(Options, Key(QStringLiteral("DefBrNet")), s.defBrNet, d.defBrNet);
    v.string(Options, Key(QStringLiteral("help")), s.help, d.help);
    v.string(General, Key(QStringLiteral("help")), s.generalHelp, d.generalHelp);
    v.string(Options, Key(QStringLiteral("fontname")), s.fontname, d.fontname, FontNameLength);
    v.integer(Options, Key(QStringLiteral("fontsize")), s.fontsize, d.fontsize);
    v.color(Options, Key(QStringLiteral("tagcolor")), s.tagcolor, d.tagcolor);
    v.color(Options, Key(QStringLiteral("textcolor")), s.textcolor, d.textcolor);
    v.boolean(Options, Key(QStringLiteral("colcoding")), s.colcoding, d.colcoding);
    v.color(Options, Key(QStringLiteral("backcolor")), s.backcolor, d.backcolor);
    v.color(Options, Key(QStringLiteral("commentcolor")), s.commentcolor, d.commentcolor);
    v.boolean(Options, Key(QStringLiteral("exeq")), s.exeq, d.exeq);
    for (int i = 0; i < AppSettings::RecentFileCount; ++i)
        v.string(Options, Key(numbered("last", i + 1)), s.last[i], d.last[i]);
    for (int i = 0; i < AppSettings::RecentListSlots; ++i)
        v.string(Options, Key(numbered("lastl", i + 1)), s.lastl[i], d.lastl[i]);
    for (int i = 0; i < AppSettings::RecentListSlots; ++i)
        v.string(Options, Key(numbered("lastp", i + 1)), s.lastp[i], d.lastp[i]);
    for (int i = 0; i < AppSettings::UserButtonCount; ++i)
        v.string(Buttons, Key(numbered("btext", i + 1)), s.btext[i], d.btext[i]);
    for (int i = 0; i < AppSettings::UserButtonCount; ++i)
        v.string(Buttons, Key(numbered("tagstart", i + 1)), s.tagstart[i], d.tagstart[i]);
    for (int i = 0; i < AppSettings::UserButtonCount; ++i)
        v.string(Buttons, Key(numbered("tagend", i + 1)), s.tagend[i], d.tagend[i]);
    v.string(Options, Key(QStringLiteral("HTMLMask")), s.htmlMask, d.htmlMask);
    v.string(Options, Key(QStringLiteral("MultiMask")), s.multiMask, d.multiMask);
    for (int i = 0; i < AppSettings::LauncherSlots; ++i)
        v.string(Options, Key(numbered("App", i + 1, "Title")), s.appTitle[i], d.appTitle[i]);
    for (int i = 0; i < AppSettings::LauncherSlots; ++i)
        v.string(Options, Key(numbered("App", i + 1, "Line")), s.appLine[i], d.appLine[i]);
    for (int i = 0; i < AppSettings::LauncherSlots; ++i)
        v.boolean(Options,
                  Key(numbered("App", i + 1, "AutoStart"), numbered("App", i + 1, "Autostart")),
                  s.appAutoStart[i], d.appAutoStart[i]);
    v.boolean(Options, Key(QStringLiteral("bpreview")), s.bpreview, d.bpreview);
    v.integer(Options, Key(QStringLiteral("panelwidth")), s.panelwidth, d.panelwidth);
    v.integer(Options, Key(QStringLiteral("p3w")), s.p3w, d.p3w);
    v.integer(Options, Key(QStringLiteral("p9h")), s.p9h, d.p9h);
    v.boolean(Options, Key(QStringLiteral("showmulti")), s.showmulti, d.showmulti);
    v.boolean(Options, Key(QStringLiteral("showimage")), s.showimage, d.showimage);
    v.integer(Options, Key(QStringLiteral("totd")), s.totd, d.totd);
    v.boolean(Options, Key(QStringLiteral("ntpatch")), s.ntpatch, d.ntpatch);
    v.string(Options, Key(QStringLiteral("templatedir")), s.templatedir, d.templatedir);
    for (int i = AppSettings::FixedColorCount; i < AppSettings::ColorListSize; ++i)
        v.string(Colors, Key(numbered("col", i + 1)), s.colorList[i], d.colorList[i]);
    v.string(Options, Key(QStringLiteral("dictionary")), s.dictionary, d.dictionary);
    v.boolean(Options, Key(QStringLiteral("changeflag")), s.changeflag, d.changeflag);
    v.boolean(Options, Key(QStringLiteral("vcconvertext")), s.vcconvertext, d.vcconvertext);
    v.boolean(Options, Key(QStringLiteral("vcignoremail")), s.vcignoremail, d.vcignoremail);
    v.boolean(Options, Key(QStringLiteral("vcignorelink")), s.vcignorelink, d.vcignorelink);
    v.boolean(Options, Key(QStringLiteral("Bautosave")), s.bautosave, d.bautosave);
}

struct Reader {
    const IniStore &ini;
    void string(const QString &sec, const Key &k, QString &field, const QString &def,
                int maxLength = -1) {
        field = ini.readString(sec, k.read, def);
        if (maxLength >= 0)
            field.truncate(maxLength);
    }
    void integer(const QString &sec, const Key &k, int &field, int def) {
        field = ini.readInt(sec, k.read, def);
    }
    void boolean(const QString &sec, const Key &k, bool &field, bool def) {
        field = ini.readBool(sec, k.read, def);
    }
    void color(const QString &sec, const Key &k, ColorValue &field, ColorValue def) {
        field = colorFromText(ini.readString(sec, k.read, colorToText(def))).value_or(def);
    }
};

struct Writer {
    IniStore &ini;
    void string(const QString &sec, const Key &k, const QString &field, const QString &, int = -1) {
        ini.writeString(sec, k.write, field);
    }
    void integer(const QString &sec, const Key &k, int field, int) {
        ini.writeInt(sec, k.write, field);
    }
    void boolean(const QString &sec, const Key &k, bool field, bool) {
        ini.writeBool(sec, k.write, field);
    }
    void color(const QString &sec, const Key &k, ColorValue field, ColorValue) {
        ini.writeString(sec, k.write, colorToText(field));
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
    settings.lastl.back() = MarkerEmpty;
    settings.lastp.back() = MarkerEmpty;
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

void reportSettingsWriteError(AppContext &ctx, const QString &platformError) {
    if (ctx.settingsWriteErrorShown || !ctx.prompts)
        return;
    ctx.settingsWriteErrorShown = true;
    ctx.prompts->error(QStringLiteral("The settings could not be saved to %1:\n%2")
                           .arg(QDir::toNativeSeparators(ctx.paths.settingsFile()), platformError));
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
    QString folder = settings.homedir.isEmpty() ? panelFolder : settings.homedir;
    if (folder.isEmpty())
        folder = QDir::homePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("New.htm");
}
