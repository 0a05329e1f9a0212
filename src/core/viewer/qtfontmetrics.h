// Font metrics of the installed fonts through QFontMetrics, with the advances of each font
// cached so that laying out a long page measures every character only once per font.
#pragma once

#include "viewer/fontmetricsport.h"

#include <QFontMetrics>
#include <QHash>
#include <array>
#include <memory>

class QtFontMetrics : public FontMetricsPort {
public:
    QtFontMetrics();
    ~QtFontMetrics() override;

    FontMetricsInfo metrics(const DocumentFont &font) const override;
    void advances(const DocumentFont &font, QStringView text, int *widths) const override;
    QFont qfont(const DocumentFont &font) const override;

    // Drops the cached fonts (after the installed fonts changed).
    void clear();

private:
    struct Entry;
    Entry &entry(const DocumentFont &font) const;

    mutable QHash<DocumentFont, std::shared_ptr<Entry>> m_entries;
    mutable DocumentFont m_lastKey;
    mutable Entry *m_last = nullptr;
};
