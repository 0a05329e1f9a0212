// Colours as pages write them: "#RRGGBB" in upper-case hexadecimal or a lower-case colour name;
// the conversions both ways, and the list every colour drop-down offers.
#pragma once

#include "shell/colorvalue.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class Prompts;
struct AppSettings;

namespace HtmlColors {
// The value that stands for "no colour" (what an empty or unreadable colour text gives).
constexpr ColorValue NoColor = ColorValues::SystemBase + 4;
// Drop-down items that leave the colour attribute out of the generated tag.
inline const QString Default = QStringLiteral("default");
inline const QString No = QStringLiteral("no");
} // namespace HtmlColors

// "#RRGGBB" (exactly seven characters) gives that colour as 0x02BBGGRR; any other text is read as
// a colour name ("red" as "clRed"); empty or unreadable text gives HtmlColors::NoColor.
ColorValue htmlColorToColor(const QString &text);
// The same as a colour to draw with; invalid for no colour.
QColor htmlColorToQColor(const QString &text);
// One of the sixteen plain colour names, lower-cased, when the colour has one; else "#RRGGBB".
QString colorToHtmlText(const QColor &color);
// A colour read from a tag as the drop-downs hold it: texts longer than two characters are
// upper-cased when they start with "#", lower-cased otherwise.
QString normalizedHtmlColorText(const QString &text);
// True when a colour field's text adds no attribute: empty, "no" or "default".
bool leavesColorOut(const QString &text);
// The items of every colour drop-down: the sixteen fixed names, then the previously used colours,
// up to the first empty entry.
QStringList htmlColorList(const AppSettings &settings);
// Asks for a colour with the system colour dialog; the colour text, or nothing when cancelled.
std::optional<QString> pickHtmlColor(Prompts &prompts, const QString &initialText);
