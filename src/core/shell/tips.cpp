#include "shell/tips.h"

#include <array>
#include <limits>

namespace {

const std::array<const char *, TipCount> TipTexts = {
    "You can easily create <IMG>, <A HREF> and embedded object tags by dragging a file from the "
    "file viewer onto the edit window.",
    "To view the current document in the default external HTML viewer, click on the HTML preview "
    "button. Right clicking will open the secondary external viewer you specified in the "
    "preference dialog.",
    "You can easily create a custom tag by double clicking on tags and attributes in the Tag "
    "Wizard (CTRL-T).",
    "Did you notice that you can undock the tag toolbar by choosing \"Undock toolbar\" from the "
    "right-click menu?",
    "You can edit existing tags through dialog windows by selecting a tag and choosing \"Edit "
    "this tag\" from the right-click menu.",
    "Not sure which tags are supported by Netscape Navigator and Internet Explorer? Use the Tag "
    "Wizard (CTRL-T)!",
};

} // namespace

QString tipText(int n) {
    if (n < 1 || n > TipCount)
        return QStringLiteral("tip: error");
    return QString::fromLatin1(TipTexts[static_cast<size_t>(n - 1)]);
}

int nextTip(int totd) {
    // Written so that no input can overflow: the largest int simply wraps to the first tip.
    return (totd >= 0 && totd < TipCount) ? totd + 1 : 1;
}

int tipMagnitude(int totd) {
    if (totd == std::numeric_limits<int>::min())
        return std::numeric_limits<int>::max();
    return totd < 0 ? -totd : totd;
}

bool tipsShownAtStart(int totd) {
    return totd > 0;
}

int storedTotd(int totd, bool showOnStartup) {
    const int magnitude = tipMagnitude(totd);
    return showOnStartup ? magnitude : -magnitude;
}
