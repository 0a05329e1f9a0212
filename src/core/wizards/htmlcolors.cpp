#include "wizards/htmlcolors.h"

#include "shell/appsettings.h"
#include "shell/colortext.h"
#include "shell/prompts.h"

#include <QPalette>

namespace {

struct PlainColor {
    const char *name;
    QRgb rgb;
};

constexpr PlainColor PlainColors[] = {
    {"black", 0x000000},  {"maroon", 0x800000}, {"green", 0x008000}, {"olive", 0x808000},
    {"navy", 0x000080},   {"purple", 0x800080}, {"teal", 0x008080},  {"gray", 0x808080},
    {"silver", 0xC0C0C0}, {"red", 0xFF0000},    {"lime", 0x00FF00},  {"yellow", 0xFFFF00},
    {"blue", 0x0000FF},   {"fuchsia", 0xFF00FF}, {"aqua", 0x00FFFF}, {"white", 0xFFFFFF},
};

bool isHexPair(const QString &text, int at, int *value) {
    bool ok = false;
    *value = text.mid(at, 2).toInt(&ok, 16);
    return ok && text.at(at).isLetterOrNumber() && text.at(at + 1).isLetterOrNumber();
}

} // namespace

ColorValue htmlColorToColor(const QString &text) {
    if (text.isEmpty())
        return HtmlColors::NoColor;
    if (text.size() == 7 && text.startsWith(QLatin1Char('#'))) {
        int r = 0, g = 0, b = 0;
        if (isHexPair(text, 1, &r) && isHexPair(text, 3, &g) && isHexPair(text, 5, &b))
            return 0x02000000u | ColorValues::fromRgb(r, g, b);
        return HtmlColors::NoColor;
    }
    const QString name = text.trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char(' ')))
        return HtmlColors::NoColor;
    const std::optional<ColorValue> value = colorFromText(QStringLiteral("cl") + name);
    // Only a name counts here: "cl" followed by digits is no colour name.
    if (!value || !name.at(0).isLetter() || *value == ColorValues::None)
        return HtmlColors::NoColor;
    return *value;
}

QColor htmlColorToQColor(const QString &text) {
    const ColorValue value = htmlColorToColor(text);
    if (value == HtmlColors::NoColor)
        return QColor();
    return resolveColor(value & 0x80FFFFFFu, QPalette());
}

QString colorToHtmlText(const QColor &color) {
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    for (const PlainColor &c : PlainColors)
        if (c.rgb == rgb)
            return QLatin1String(c.name);
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

QString normalizedHtmlColorText(const QString &text) {
    if (text.size() <= 2)
        return text;
    return text.startsWith(QLatin1Char('#')) ? text.toUpper() : text.toLower();
}

bool leavesColorOut(const QString &text) {
    return text.isEmpty() || text == HtmlColors::No || text == HtmlColors::Default;
}

QStringList htmlColorList(const AppSettings &settings) {
    QStringList names;
    for (const QString &name : settings.colorList) {
        if (name.isEmpty())
            break;
        names.append(name);
    }
    return names;
}

std::optional<QString> pickHtmlColor(Prompts &prompts, const QString &initialText) {
    QColor initial = htmlColorToQColor(initialText);
    if (!initial.isValid())
        initial = Qt::white;
    const std::optional<QColor> chosen = prompts.pickColor(initial);
    if (!chosen || !chosen->isValid())
        return std::nullopt;
    return colorToHtmlText(*chosen);
}
