#include "viewer/fixedfontmetrics.h"

FontMetricsInfo FixedFontMetrics::metrics(const DocumentFont &font) const {
    FontMetricsInfo info;
    info.ascent = qMax(1, font.pointSize);
    info.descent = qMax(0, font.pointSize / 4);
    info.height = info.ascent + info.descent;
    return info;
}

void FixedFontMetrics::advances(const DocumentFont &font, QStringView text, int *widths) const {
    const int w = charWidth(font.pointSize);
    for (qsizetype i = 0; i < text.size(); ++i)
        widths[i] = text[i].isLowSurrogate() ? 0 : w;
}

QFont FixedFontMetrics::qfont(const DocumentFont &font) const {
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setPixelSize(qMax(1, font.pointSize));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}
