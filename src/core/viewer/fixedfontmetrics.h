// Font metrics with round numbers and no font files: every character is half the point size
// wide, the ascent is the point size and the descent a quarter of it. Used by tests and the
// fuzzer so that layout figures can be computed by hand.
#pragma once

#include "viewer/fontmetricsport.h"

class FixedFontMetrics : public FontMetricsPort {
public:
    FontMetricsInfo metrics(const DocumentFont &font) const override;
    void advances(const DocumentFont &font, QStringView text, int *widths) const override;
    QFont qfont(const DocumentFont &font) const override;

    static int charWidth(int pointSize) { return qMax(1, pointSize / 2); }
};
