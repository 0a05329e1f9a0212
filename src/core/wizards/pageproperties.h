// The page's title and BODY attributes as the page-properties dialog edits them: read from the
// document text, written back as edits of the body tag and the title element, and the sample
// page that previews the colours.
#pragma once

#include "editor/textcommands.h"
#include "wizards/tagbuilders.h"

#include <QString>

struct PageProperties {
    QString title;
    QString background;
    // Colour texts; "default", "no" and empty leave the attribute out.
    QString bgcolor;
    QString text;
    QString link;
    QString vlink;
    QString alink;
    QString bgproperties;
    QString leftmargin;
    QString topmargin;
    QString other; // the body tag's remaining attributes, written back as they stand
};

// Reads the first title element (only when it is closed) and the first body tag (which may span
// lines). Colours come back normalised ("#" texts upper-cased, names lower-cased).
PageProperties readPageProperties(const QString &documentText);
// The new body start tag: known attributes in a fixed order, margins and BGPROPERTIES in capitals.
QString buildBodyTag(const PageProperties &p, const ReferenceMaker &reference);
// Replaces the first body tag and the first closed title element; a document without them is
// left alone.
TextEdits pagePropertiesEdits(const QString &documentText, const PageProperties &p,
                              const ReferenceMaker &reference);
// A small page showing the four text colours over the background image.
QString buildSamplePage(const PageProperties &p);
