// The reader's state at a place of the page between two top-level sections, noted while a page
// is read so that a change of its text can be read again from the last such place before the
// change, up to the first place after it where the reader is in the state it was in before.
#pragma once

#include "viewer/documentfont.h"
#include "viewer/htmltables.h"

#include <QRgb>
#include <QString>
#include <functional>
#include <vector>

struct ReadCheckpoint {
    struct Font {
        DocumentFont font;
        HtmlTag pushedBy = HtmlTag::Unknown;
        bool operator==(const Font &o) const { return pushedBy == o.pushedBy && font == o.font; }
    };

    int source = 0;   // where reading goes on: the start of the symbol read next
    int sections = 0; // the top-level sections read by then

    // Styles in force.
    std::vector<Font> fonts;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int script = 0;
    QString link;
    int linkSource = -1;
    int baseSize = 3;
    int alignment = 1;
    bool anySectionAdded = false;

    // The section begun last, still without text (there is none when `open` is false).
    bool open = false;
    int openAlignment = 1;
    int openFontId = 0;
    QString openLink;
    int openLinkSource = -1;
    int openSource = -1;

    // What the page as a whole had by then.
    QRgb fontColor = 0;
    QRgb linkColor = 0;
    QRgb backgroundColor = 0;
    QString backgroundImage;
    QString title;
    QString base;

    // The same state as `older`, whose source offsets `map` turns into this reading's (-1 for
    // an offset that has no counterpart).
    bool sameState(const ReadCheckpoint &older, const std::function<int(int)> &map) const {
        auto sameOffset = [&](int mine, int theirs) {
            return mine < 0 ? theirs < 0 : (theirs >= 0 && map(theirs) == mine);
        };
        return fonts == older.fonts && bold == older.bold && italic == older.italic &&
               underline == older.underline && script == older.script &&
               link == older.link && sameOffset(linkSource, older.linkSource) &&
               baseSize == older.baseSize && alignment == older.alignment &&
               anySectionAdded == older.anySectionAdded && open == older.open &&
               (!open || (openAlignment == older.openAlignment &&
                          openFontId == older.openFontId && openLink == older.openLink &&
                          sameOffset(openLinkSource, older.openLinkSource) &&
                          sameOffset(openSource, older.openSource))) &&
               fontColor == older.fontColor && linkColor == older.linkColor &&
               backgroundColor == older.backgroundColor &&
               backgroundImage == older.backgroundImage && title == older.title &&
               base == older.base;
    }
};
