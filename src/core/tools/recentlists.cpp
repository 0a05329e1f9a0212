#include "tools/recentlists.h"

#include "shell/appsettings.h"

namespace {

using RecentList = std::array<QString, AppSettings::RecentListSlots>;

void pushRecent(RecentList &list, const QString &entry) {
    if (entry.isEmpty() || entry == MarkerEmpty)
        return;
    const int last = int(list.size()) - 1; // the end marker's slot
    int from = last - 1;                   // a new entry pushes the oldest out
    for (int i = 0; i < int(list.size()) && list[i] != MarkerEmpty; ++i) {
        if (list[i] == entry) {
            if (i == 0)
                return;
            from = qMin(i, last - 1);
            break;
        }
    }
    for (int i = from; i > 0; --i)
        list[i] = list[i - 1];
    list[0] = entry;
    list[last] = MarkerEmpty;
}

} // namespace

void pushRecentLink(AppSettings &s, const QString &entry) {
    pushRecent(s.previousLinks, entry);
}

void pushRecentImage(AppSettings &s, const QString &entry) {
    pushRecent(s.previousImages, entry);
}

void pushRecentColor(AppSettings &s, const QString &color) {
    if (color.isEmpty())
        return;
    for (int i = AppSettings::ColorListSize - 1; i > AppSettings::FixedColorCount; --i)
        s.colorList[i] = s.colorList[i - 1];
    s.colorList[AppSettings::FixedColorCount] = color;
}

void clearRecentLinks(AppSettings &s) {
    s.previousLinks.fill(MarkerEmpty);
}

void clearRecentImages(AppSettings &s) {
    s.previousImages.fill(MarkerEmpty);
}

void clearRecentColors(AppSettings &s) {
    for (int i = AppSettings::FixedColorCount; i < AppSettings::ColorListSize; ++i)
        s.colorList[i].clear();
}
