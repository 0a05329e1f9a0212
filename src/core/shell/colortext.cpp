#include "shell/colortext.h"

#include "shell/inistore.h"

#include <iterator>

namespace {

struct NamedColor {
    const char *name;
    ColorValue value;
};

constexpr NamedColor PlainColors[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
};

struct SystemColor {
    const char *name;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Indexed by the classic system-colour number; each mapped to the nearest palette role.
constexpr SystemColor SystemColors[] = {
    {"clScrollBar", QPalette::Active, QPalette::Midlight},
    {"clBackground", QPalette::Active, QPalette::Dark},
    {"clActiveCaption", QPalette::Active, QPalette::Highlight},
    {"clInactiveCaption", QPalette::Inactive, QPalette::Mid},
    {"clMenu", QPalette::Active, QPalette::Window},
    {"clWindow", QPalette::Active, QPalette::Base},
    {"clWindowFrame", QPalette::Active, QPalette::Shadow},
    {"clMenuText", QPalette::Active, QPalette::WindowText},
    {"clWindowText", QPalette::Active, QPalette::Text},
    {"clCaptionText", QPalette::Active, QPalette::HighlightedText},
    {"clActiveBorder", QPalette::Active, QPalette::Window},
    {"clInactiveBorder", QPalette::Inactive, QPalette::Window},
    {"clAppWorkSpace", QPalette::Active, QPalette::Dark},
    {"clHighlight", QPalette::Active, QPalette::Highlight},
    {"clHighlightText", QPalette::Active, QPalette::HighlightedText},
    {"clBtnFace", QPalette::Active, QPalette::Button},
    {"clBtnShadow", QPalette::Active, QPalette::Dark},
    {"clGrayText", QPalette::Disabled, QPalette::Text},
    {"clBtnText", QPalette::Active, QPalette::ButtonText},
    {"clInactiveCaptionText", QPalette::Disabled, QPalette::WindowText},
    {"clBtnHighlight", QPalette::Active, QPalette::Light},
    {"cl3DDkShadow", QPalette::Active, QPalette::Shadow},
    {"cl3DLight", QPalette::Active, QPalette::Midlight},
    {"clInfoText", QPalette::Active, QPalette::ToolTipText},
    {"clInfoBk", QPalette::Active, QPalette::ToolTipBase},
};

constexpr int SystemColorCount = int(std::size(SystemColors));
const char *const NoneName = "clNone";

} // namespace

QString colorToText(ColorValue value) {
    for (const NamedColor &c : PlainColors)
        if (c.value == value)
            return QLatin1String(c.name);
    if (value >= ColorValues::SystemBase && value < ColorValues::SystemBase + SystemColorCount)
        return QLatin1String(SystemColors[value - ColorValues::SystemBase].name);
    if (value == ColorValues::None)
        return QLatin1String(NoneName);
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<ColorValue> colorFromText(const QString &text) {
    const QString t = text.trimmed();
    for (const NamedColor &c : PlainColors)
        if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    for (int i = 0; i < SystemColorCount; ++i)
        if (t.compare(QLatin1String(SystemColors[i].name), Qt::CaseInsensitive) == 0)
            return ColorValues::SystemBase + ColorValue(i);
    if (t.compare(QLatin1String(NoneName), Qt::CaseInsensitive) == 0)
        return ColorValues::None;
    // Decimal beyond the signed range ("2147483653" for clWindow) is still a 32-bit pattern.
    bool ok = false;
    const qulonglong big = t.toULongLong(&ok, 10);
    if (ok && !t.startsWith(QLatin1Char('+')) && big <= 0xFFFFFFFFull)
        return ColorValue(big);
    int value = 0;
    if (IniStore::parseInt(t, &value))
        return ColorValue(quint32(value));
    return std::nullopt;
}

QColor resolveColor(ColorValue value, const QPalette &palette) {
    if (value == ColorValues::None)
        return QColor(Qt::transparent);
    if (ColorValues::isSystem(value)) {
        const ColorValue index = value - ColorValues::SystemBase;
        if (index >= ColorValue(SystemColorCount))
            return QColor(Qt::black); // an unknown system colour, as the classic lookup gives
        const SystemColor &c = SystemColors[index];
        return palette.color(c.group, c.role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
