// What a viewer gives every page it shows before reading it: the default fonts, their size and
// the colours of text, links and background, for the page to change where it says so.
#pragma once

#include "viewer/sectionlist.h"

#include <QRgb>
#include <QString>

struct PageDefaults {
    QString fontName = QStringLiteral("Times New Roman");
    QString preFontName = QStringLiteral("Courier New");
    int fontSize = 12;
    QRgb fontColor = 0xFF000000;
    QRgb linkColor = 0xFF0000FF;
    QRgb backgroundColor = 0xFFC0C0C0;

    void applyTo(SectionList &doc) const {
        doc.setDefaultFontName(fontName);
        doc.setPreFontName(preFontName);
        doc.setBackgroundColor(backgroundColor);
        doc.setLinkColor(linkColor);
        doc.setFontColor(fontColor);
        doc.setDefaultFontSize(fontSize);
    }
};
