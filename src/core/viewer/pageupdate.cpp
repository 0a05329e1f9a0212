#include "viewer/pageupdate.h"

#include "viewer/htmlreader.h"
#include "viewer/sectionlist.h"

#include <algorithm>
#include <cstring>

namespace {

// Blocks of characters are compared a block at a time (memcmp), the last one by character:
// on a page of megabytes the edit is found in a fraction of the time.
constexpr int CompareBlock = 256;

int commonPrefix(QStringView a, QStringView b, int limit) {
    int n = 0;
    while (n + CompareBlock <= limit &&
           std::memcmp(a.data() + n, b.data() + n, CompareBlock * sizeof(QChar)) == 0)
        n += CompareBlock;
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

int commonSuffix(QStringView a, QStringView b, int limit) {
    const QChar *aEnd = a.data() + a.size(), *bEnd = b.data() + b.size();
    int n = 0;
    while (n + CompareBlock <= limit &&
           std::memcmp(aEnd - n - CompareBlock, bEnd - n - CompareBlock,
                       CompareBlock * sizeof(QChar)) == 0)
        n += CompareBlock;
    while (n < limit && aEnd[-1 - n] == bEnd[-1 - n])
        ++n;
    return n;
}

bool beforeSource(const ReadCheckpoint &c, int source) {
    return c.source < source;
}

// What the reader sets for the page as a whole.
struct WholePage {
    QRgb fontColor, linkColor, backgroundColor;
    QString backgroundImage, title, base;

    explicit WholePage(const SectionList &page)
        : fontColor(page.fontColor()), linkColor(page.linkColor()),
          backgroundColor(page.backgroundColor()), backgroundImage(page.backgroundImage()),
          title(page.title()), base(page.baseReference()) {}
    void restore(SectionList &page) const {
        page.setFontColor(fontColor);
        page.setLinkColor(linkColor);
        page.setBackgroundColor(backgroundColor);
        page.setBackgroundImage(backgroundImage);
        page.setTitle(title);
        page.setBaseReference(base);
    }
};

} // namespace

namespace PageUpdate {

bool apply(SectionList &page, QStringView oldHtml, QStringView newHtml, LayoutContext &ctx,
           int width, int budget, int &height, int &widest) {
    const int oldLength = int(oldHtml.size()), newLength = int(newHtml.size());
    const int shorter = std::min(oldLength, newLength);
    const int prefix = commonPrefix(oldHtml, newHtml, shorter);
    if (prefix == oldLength && prefix == newLength)
        return true;
    const int suffix = commonSuffix(oldHtml, newHtml, shorter - prefix);
    const int oldEnd = oldLength - suffix, newEnd = newLength - suffix;
    const int delta = newLength - oldLength;

    // Read again from the last checkpoint whose state depends on nothing after the change.
    const std::vector<ReadCheckpoint> &checkpoints = page.checkpoints();
    const auto after =
        std::lower_bound(checkpoints.begin(), checkpoints.end(), prefix, beforeSource);
    if (after == checkpoints.begin())
        return false;
    const size_t fromIndex = size_t(after - checkpoints.begin()) - 1;
    const ReadCheckpoint from = checkpoints[fromIndex];

    const WholePage whole(page);
    auto toNew = [&](int offset) {
        return offset < prefix ? offset : (offset >= oldEnd ? offset + delta : -1);
    };
    size_t metIndex = 0;
    auto meets = [&](const ReadCheckpoint &here) {
        if (here.source < newEnd)
            return false;
        const auto it = std::lower_bound(checkpoints.begin() + long(fromIndex) + 1,
                                         checkpoints.end(), here.source - delta, beforeSource);
        if (it == checkpoints.end() || it->source != here.source - delta ||
            !here.sameState(*it, toNew))
            return false;
        metIndex = size_t(it - checkpoints.begin());
        return true;
    };
    Cell fresh;
    std::vector<ReadCheckpoint> freshPoints;
    HtmlReader reader(page);
    const HtmlReader::Resumed how =
        reader.readFrom(newHtml, from, fresh, freshPoints, meets, newEnd + budget);
    if (how == HtmlReader::Resumed::OverBudget) {
        whole.restore(page);
        return false;
    }
    const bool met = how == HtmlReader::Resumed::Met;
    // From where the readings met, the rest of the page sets what it set before.
    if (met)
        whole.restore(page);

    const int first = from.sections;
    const int last = met ? checkpoints[metIndex].sections : int(page.sections().size());
    const int metSource = met ? checkpoints[metIndex].source : oldLength;
    std::vector<std::unique_ptr<SectionBase>> added = fresh.takeSections();
    const int addedCount = int(added.size());
    // Freed on return, once nothing points into them any more.
    const std::vector<std::unique_ptr<SectionBase>> removed =
        page.replaceSections(first, last, std::move(added));
    const int kept = first + addedCount;
    for (size_t i = size_t(kept); i < page.sections().size(); ++i)
        page.sections()[i]->shiftSource(oldEnd, delta);

    std::vector<ReadCheckpoint> points(checkpoints.begin(),
                                       checkpoints.begin() + long(fromIndex) + 1);
    points.insert(points.end(), std::make_move_iterator(freshPoints.begin()),
                  std::make_move_iterator(freshPoints.end()));
    if (met)
        for (size_t i = metIndex; i < checkpoints.size(); ++i) {
            ReadCheckpoint c = checkpoints[i];
            c.source += delta;
            c.sections += addedCount - (last - first);
            SectionBase::shiftOffset(c.linkSource, oldEnd, delta);
            SectionBase::shiftOffset(c.openSource, oldEnd, delta);
            points.push_back(std::move(c));
        }
    page.checkpoints().swap(points);

    std::vector<SectionList::AnchorPlace> anchors;
    for (const SectionList::AnchorPlace &a : page.anchorPlaces())
        if (a.source < from.source)
            anchors.push_back(a);
    for (SectionList::AnchorPlace &a : reader.takeAnchors())
        anchors.push_back(std::move(a));
    if (met)
        for (SectionList::AnchorPlace a : page.anchorPlaces())
            if (a.source >= metSource) {
                a.source += delta;
                anchors.push_back(std::move(a));
            }
    page.setAnchors(std::move(anchors));

    page.assignPositions(0);
    page.updateSourceIndex(first, last - first, addedCount, oldEnd, delta);
    ctx.document = &page;
    widest = 0;
    height = page.relayoutFrom(ctx, first, kept, qMax(1, width), widest);
    return true;
}

} // namespace PageUpdate
