// What layout needs to know about fonts: character advances and the vertical metrics of a font.
// The program answers with QFontMetrics; tests use fixed-width metrics so figures are exact.
#pragma once

#include "viewer/documentfont.h"

#include <QFont>
#include <QStringView>

struct FontMetricsInfo {
    int ascent = 0;
    int descent = 0;
    int height = 0; // ascent + descent
};

class FontMetricsPort {
public:
    virtual ~FontMetricsPort() = default;

    virtual FontMetricsInfo metrics(const DocumentFont &font) const = 0;
    // Writes the advance of each UTF-16 unit of `text` to `widths` (the second unit of a
    // surrogate pair gets 0).
    virtual void advances(const DocumentFont &font, QStringView text, int *widths) const = 0;
    // The font used to draw text measured with this port.
    virtual QFont qfont(const DocumentFont &font) const = 0;

    int textWidth(const DocumentFont &font, QStringView text) const;
};
