// Brings a page read and laid out from one text up to a text that differs from it in one
// stretch, as after an edit, without reading and laying out the whole page again: the text is
// read again from the reader's last checkpoint before the change up to the first checkpoint
// after it at which the reader is in the state it was in before; the top-level sections in
// between are replaced, and those after it keep what they are and move by the change in length
// and height.
#pragma once

#include "viewer/layoutcontext.h"

#include <QStringView>

class SectionList;

namespace PageUpdate {

// Returns false, leaving the page as it was, when that would take reading more than `budget`
// characters after the change (or the change comes before the first checkpoint): the caller
// then reads the page anew. `height` and `widest` become the page's height and widest width.
bool apply(SectionList &page, QStringView oldHtml, QStringView newHtml, LayoutContext &ctx,
           int width, int budget, int &height, int &widest);

} // namespace PageUpdate
