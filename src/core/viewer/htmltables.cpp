#include "viewer/htmltables.h"

#include <QHash>
#include <array>

namespace {

struct TagEntry {
    const char *name;
    HtmlTag tag;
};

// Order matters: the first TagsWithEndForm entries have an end form.
const std::array<TagEntry, HtmlTables::TagCount> Tags = {{
    {"HTML", HtmlTag::Html},
    {"TITLE", HtmlTag::Title},
    {"BODY", HtmlTag::Body},
    {"HEAD", HtmlTag::Head},
    {"B", HtmlTag::B},
    {"I", HtmlTag::I},
    {"H", HtmlTag::H},
    {"EM", HtmlTag::Em},
    {"STRONG", HtmlTag::Strong},
    {"U", HtmlTag::U},
    {"CITE", HtmlTag::Cite},
    {"VAR", HtmlTag::Var},
    {"TT", HtmlTag::Tt},
    {"CODE", HtmlTag::Code},
    {"KBD", HtmlTag::Kbd},
    {"SAMP", HtmlTag::Samp},
    {"OL", HtmlTag::Ol},
    {"UL", HtmlTag::Ul},
    {"DIR", HtmlTag::Dir},
    {"MENU", HtmlTag::Menu},
    {"DL", HtmlTag::Dl},
    {"A", HtmlTag::A},
    {"ADDRESS", HtmlTag::Address},
    {"BLOCKQUOTE", HtmlTag::Blockquote},
    {"PRE", HtmlTag::Pre},
    {"CENTER", HtmlTag::Center},
    {"TABLE", HtmlTag::Table},
    {"TD", HtmlTag::Td},
    {"TH", HtmlTag::Th},
    {"CAPTION", HtmlTag::Caption},
    {"FORM", HtmlTag::Form},
    {"TEXTAREA", HtmlTag::Textarea},
    {"SELECT", HtmlTag::Select},
    {"OPTION", HtmlTag::Option},
    {"FONT", HtmlTag::Font},
    {"SUB", HtmlTag::Sub},
    {"SUP", HtmlTag::Sup},
    {"BIG", HtmlTag::Big},
    {"SMALL", HtmlTag::Small},
    {"P", HtmlTag::P},
    {"LI", HtmlTag::Li},
    {"BR", HtmlTag::Br},
    {"HR", HtmlTag::Hr},
    {"DD", HtmlTag::Dd},
    {"DT", HtmlTag::Dt},
    {"IMG", HtmlTag::Img},
    {"BASE", HtmlTag::Base},
    {"TR", HtmlTag::Tr},
    {"BUTTON", HtmlTag::Button},
    {"INPUT", HtmlTag::Input},
    {"SELECTED", HtmlTag::Selected},
    {"BASEFONT", HtmlTag::Basefont},
}};

const std::array<const char *, HtmlTables::AttributeCount> Attributes = {
    "HREF",        "NAME",        "SRC",        "ALT",     "ALIGN",    "TEXT",
    "BGCOLOR",     "LINK",        "BACKGROUND", "COLSPAN", "ROWSPAN",  "BORDER",
    "CELLPADDING", "CELLSPACING", "VALIGN",     "WIDTH",   "START",    "VALUE",
    "TYPE",        "CHECKBOX",    "RADIO",      "METHOD",  "ACTION",   "CHECKED",
    "SIZE",        "MAXLENGTH",   "COLS",       "ROWS",    "MULTIPLE", "VALUE",
    "SELECTED",    "FACE",        "COLOR",      "TRANSP",  "CLEAR",    "ISMAP"};

const std::array<HtmlAttr, HtmlTables::AttributeCount> AttributeIds = {
    HtmlAttr::Href,        HtmlAttr::Name,        HtmlAttr::Src,      HtmlAttr::Alt,
    HtmlAttr::Align,       HtmlAttr::Text,        HtmlAttr::BgColor,  HtmlAttr::Link,
    HtmlAttr::Background,  HtmlAttr::ColSpan,     HtmlAttr::RowSpan,  HtmlAttr::Border,
    HtmlAttr::CellPadding, HtmlAttr::CellSpacing, HtmlAttr::VAlign,   HtmlAttr::Width,
    HtmlAttr::Start,       HtmlAttr::Value,       HtmlAttr::Type,     HtmlAttr::Checkbox,
    HtmlAttr::Radio,       HtmlAttr::Method,      HtmlAttr::Action,   HtmlAttr::Checked,
    HtmlAttr::Size,        HtmlAttr::MaxLength,   HtmlAttr::Cols,     HtmlAttr::Rows,
    HtmlAttr::Multiple,    HtmlAttr::Value,       HtmlAttr::Selected, HtmlAttr::Face,
    HtmlAttr::Color,       HtmlAttr::Transp,      HtmlAttr::Clear,    HtmlAttr::IsMap};

// The seven named characters, then the Latin-1 letters 192..255; codes 215 and 247 have no name.
const std::array<const char *, HtmlTables::EntityCount> EntityNames = {
    "amp",    "lt",     "gt",     "quot",   "nbsp",   "copy",   "reg",    "Agrave", "Aacute",
    "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",
    "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute",
    "Ocirc",  "Otilde", "Ouml",   "",       "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",
    "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",
    "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",
    "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};
const std::array<char16_t, 7> NamedCharacters = {38, 60, 62, 34, 160, 169, 174};

struct ColorEntry {
    const char *name;
    QRgb rgb;
};
const std::array<ColorEntry, HtmlTables::ColorCount> Colors = {{
    {"BLACK", 0x000000},
    {"MAROON", 0x800000},
    {"GREEN", 0x008000},
    {"OLIVE", 0x808000},
    {"NAVY", 0x000080},
    {"PURPLE", 0x800080},
    {"TEAL", 0x008080},
    {"GRAY", 0x808080},
    {"SILVER", 0xC0C0C0},
    {"RED", 0xFF0000},
    {"LIME", 0x00FF00},
    {"YELLOW", 0xFFFF00},
    {"BLUE", 0x0000FF},
    {"FUCHSIA", 0xFF00FF},
    {"AQUA", 0x00FFFF},
    {"WHITE", 0xFFFFFF},
}};

const std::array<int, 7> ProportionalSizes = {8, 10, 12, 14, 18, 24, 36};
const std::array<int, 7> FixedSizes = {7, 8, 10, 12, 15, 20, 30};

const QHash<QString, int> &tagIndex() {
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        for (int i = 0; i < int(Tags.size()); ++i)
            h.insert(QString::fromLatin1(Tags[i].name), i);
        return h;
    }();
    return index;
}

const QHash<QString, HtmlAttr> &attributeIndex() {
    static const QHash<QString, HtmlAttr> index = [] {
        QHash<QString, HtmlAttr> h;
        for (int i = 0; i < int(Attributes.size()); ++i)
            h.insert(QString::fromLatin1(Attributes[i]), AttributeIds[i]);
        return h;
    }();
    return index;
}

const QHash<QString, char16_t> &entityIndex() {
    static const QHash<QString, char16_t> index = [] {
        QHash<QString, char16_t> h;
        for (int i = 0; i < int(EntityNames.size()); ++i) {
            if (!*EntityNames[i])
                continue;
            const char16_t ch = i < 7 ? NamedCharacters[i] : char16_t(192 + i - 7);
            h.insert(QString::fromLatin1(EntityNames[i]), ch);
        }
        return h;
    }();
    return index;
}

} // namespace

namespace HtmlTables {

HtmlTag tagFromName(QStringView upperName, bool endForm) {
    if (upperName == u"SCRIPT")
        return HtmlTag::Script;
    if (upperName == u"STYLE")
        return HtmlTag::Style;
    const auto it = tagIndex().constFind(upperName.toString());
    if (it == tagIndex().constEnd())
        return HtmlTag::Unknown;
    if (endForm && *it >= TagsWithEndForm)
        return HtmlTag::Unknown;
    return Tags[*it].tag;
}

QString tagName(HtmlTag tag) {
    for (const TagEntry &e : Tags)
        if (e.tag == tag)
            return QString::fromLatin1(e.name);
    return {};
}

bool keepsAttributes(HtmlTag tag) {
    switch (tag) {
    case HtmlTag::Body:
    case HtmlTag::P:
    case HtmlTag::Br:
    case HtmlTag::H:
    case HtmlTag::Base:
    case HtmlTag::Ol:
    case HtmlTag::Img:
    case HtmlTag::A:
    case HtmlTag::Table:
    case HtmlTag::Td:
    case HtmlTag::Tr:
    case HtmlTag::Th:
    case HtmlTag::Caption:
    case HtmlTag::Input:
    case HtmlTag::Form:
    case HtmlTag::Textarea:
    case HtmlTag::Select:
    case HtmlTag::Option:
    case HtmlTag::Font:
    case HtmlTag::Basefont:
        return true;
    default:
        return false;
    }
}

HtmlAttr attributeFromName(QStringView upperName) {
    return attributeIndex().value(upperName.toString(), HtmlAttr::Unknown);
}

std::optional<char16_t> entityCharacter(QStringView name) {
    const auto it = entityIndex().constFind(name.toString());
    if (it == entityIndex().constEnd())
        return std::nullopt;
    return *it;
}

int entityTableSize() {
    return int(EntityNames.size());
}

std::optional<QRgb> namedColor(QStringView name) {
    const QString upper = name.toString().toUpper();
    for (const ColorEntry &e : Colors)
        if (upper == QLatin1String(e.name))
            return e.rgb;
    return std::nullopt;
}

std::optional<QRgb> parseColor(QStringView value) {
    value = value.trimmed();
    if (auto named = namedColor(value))
        return named;
    const qsizetype hash = value.indexOf(u'#');
    QString hex = value.toString();
    if (hash >= 0)
        hex.remove(hash, 1);
    if (hex.isEmpty() || hex.size() > 8)
        return std::nullopt;
    bool ok = false;
    const uint rgb = hex.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return QRgb(rgb & 0xFFFFFF);
}

int proportionalSize(int htmlSize) {
    return ProportionalSizes[qBound(1, htmlSize, 7) - 1];
}
int fixedSize(int htmlSize) {
    return FixedSizes[qBound(1, htmlSize, 7) - 1];
}

int htmlSizeOf(int points, bool fixedPitch) {
    const auto &scale = fixedPitch ? FixedSizes : ProportionalSizes;
    for (int i = 0; i < 7; ++i)
        if (scale[i] == points)
            return i + 1;
    return 0;
}

int headingSize(int level) {
    static const std::array<int, 7> sizes = {12, 24, 18, 15, 12, 10, 8};
    return level >= 1 && level <= 6 ? sizes[level] : sizes[0];
}

bool headingBold(int level) {
    return level >= 1 && level <= 6;
}

char16_t windows1252(uchar byte) {
    static const std::array<char16_t, 32> high = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (byte >= 0x80 && byte <= 0x9F)
        return high[byte - 0x80];
    return byte;
}

} // namespace HtmlTables
