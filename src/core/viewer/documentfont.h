// A font as the document asks for it: family, nominal and scaled size, style, colour and the
// vertical-script mode. Sections refer to fonts by their index in the document's font table.
#pragma once

#include <QColor>
#include <QHashFunctions>
#include <QString>

struct DocumentFont {
    enum Script : quint8 { Normal = 0, Subscript = 1, Superscript = 2 };

    QString family;
    int nominalSize = 12; // as written in the markup, for a default font size of 12
    int pointSize = 12;   // the size used: nominal scaled by the document's default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false; // preformatted font: FONT sizes use the fixed-pitch scale
    quint8 script = Normal;
    QRgb color = 0xFF000000;

    bool operator==(const DocumentFont &o) const {
        return pointSize == o.pointSize && nominalSize == o.nominalSize && bold == o.bold &&
               italic == o.italic && underline == o.underline && fixedPitch == o.fixedPitch &&
               script == o.script && color == o.color && family == o.family;
    }
    bool operator!=(const DocumentFont &o) const { return !(*this == o); }
};

inline size_t qHash(const DocumentFont &f, size_t seed = 0) {
    return qHashMulti(seed, f.family, f.pointSize, f.nominalSize,
                      (int(f.bold) | int(f.italic) << 1 | int(f.underline) << 2 |
                       int(f.fixedPitch) << 3 | int(f.script) << 4),
                      f.color);
}
