// Colours as the settings file writes them: one of 42 names ("clBlue", "clWindow", "clNone") or
// "$" and eight hexadecimal digits; and the colour a stored value stands for on screen.
#pragma once

#include "shell/colorvalue.h"

#include <QColor>
#include <QPalette>
#include <QString>
#include <optional>

// The name of a named value, else "$%08X".
QString colorToText(ColorValue value);
// A name (any letter case), "$hex", "0x" hex or a decimal number (a negative one is the 32-bit
// pattern); anything else gives nothing and the caller keeps its default.
std::optional<ColorValue> colorFromText(const QString &text);
// System colours through the palette, "none" as transparent, any other value from 0x00BBGGRR.
QColor resolveColor(ColorValue value, const QPalette &palette);
