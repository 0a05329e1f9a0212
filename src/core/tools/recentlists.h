// The previously used links, images and colours: most-recently-used lists kept in the settings.
#pragma once

#include <QString>

struct AppSettings;

// Moves `entry` to the front of the links (images) list; the list keeps at most 20 entries and its
// 21st slot is always "[empty]". Empty entries and "[empty]" are ignored.
void pushRecentLink(AppSettings &s, const QString &entry);
void pushRecentImage(AppSettings &s, const QString &entry);
// Puts `color` in front of the 20 previously used colours (entries 17..36 of the colour list),
// dropping the oldest; a colour chosen twice stands twice. An empty text is ignored.
void pushRecentColor(AppSettings &s, const QString &color);

void clearRecentLinks(AppSettings &s);
void clearRecentImages(AppSettings &s);
void clearRecentColors(AppSettings &s);
