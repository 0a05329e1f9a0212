// Colours as the settings file stores them: a 32-bit value, either 0x00BBGGRR, a system colour
// (0x80000000 + index, resolved through the palette when drawn) or "none" (0x1FFFFFFF).
#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>

using ColorValue = quint32;

namespace ColorValues {
constexpr ColorValue Black = 0x000000;
constexpr ColorValue Maroon = 0x000080;
constexpr ColorValue Blue = 0xFF0000;
constexpr ColorValue Silver = 0xC0C0C0;
constexpr ColorValue White = 0xFFFFFF;
constexpr ColorValue SystemBase = 0x80000000u;
constexpr ColorValue Window = SystemBase + 5;
constexpr ColorValue WindowText = SystemBase + 8;
constexpr ColorValue None = 0x1FFFFFFF;

inline ColorValue fromRgb(int r, int g, int b) {
    return ColorValue(r & 0xFF) | (ColorValue(g & 0xFF) << 8) | (ColorValue(b & 0xFF) << 16);
}
inline bool isSystem(ColorValue v) { return (v & SystemBase) != 0; }
} // namespace ColorValues
