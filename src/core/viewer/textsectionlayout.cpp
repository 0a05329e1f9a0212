// The line layout of a text section: where lines break, how high each is and where its
// pictures, controls and floated pictures stand.
#include "viewer/textsection.h"

#include "viewer/fontmetricsport.h"
#include "viewer/indentmanager.h"
#include "viewer/layoutmath.h"
#include "viewer/sectionlist.h"

#include <algorithm>

namespace {

bool isPlaceholder(QChar c) {
    return c.unicode() == InlineObject::Placeholder || c.unicode() == 2;
}

// Controls with a caption or text inside sit on the bottom of the line; the others stand on
// the baseline like pictures.
bool controlOnBaseline(const InlineObject &o) {
    switch (o.kind) {
    case InlineObject::ControlKind::Checkbox:
    case InlineObject::ControlKind::Radio:
    case InlineObject::ControlKind::TextArea:
        return true;
    case InlineObject::ControlKind::Select:
        return o.size > 1 || o.multiple;
    default:
        return false;
    }
}

} // namespace

int TextSection::layout(LayoutContext &ctx, int y, int, IndentManager &indents, int &maxWidth) {
    m_y = y;
    m_lines.clear();
    indents.setLevel(m_level, y);
    measure(ctx);
    for (InlineObject &o : m_objects)
        o.placed = false;
    m_firstLeft = indents.leftIndent(y);
    const int n = int(m_text.size());
    int pos = 0;
    int lineY = y;
    while (pos < n) {
        placeFloats(indents, pos, n, lineY, true, maxWidth);
        const int left = indents.leftIndent(lineY);
        const int right = rightEdge(indents, lineY);
        if (m_lines.empty())
            m_firstLeft = left;
        const qint64 available = qint64(right) - left;
        int fitting = pos;
        qint64 sum = 0;
        while (fitting < n && sum + m_advances[size_t(fitting)] <= available) {
            sum += m_advances[size_t(fitting)];
            ++fitting;
        }
        const int end = breakLine(pos, fitting);
        // Floats further in also begin at the line's y; the line is then measured again
        // between the edges they leave, so its text runs beside them. Each pass places at least
        // one float, so this ends.
        if (hasUnplacedFloat(pos, end)) {
            placeFloats(indents, pos, end, lineY, false, maxWidth);
            continue;
        }
        m_lines.push_back(finishLine(ctx, pos, end, lineY, left, right));
        const Line &line = m_lines.back();
        maxWidth = qMax(maxWidth, LayoutMath::add(line.x, line.width));
        lineY = LayoutMath::add(lineY, line.height);
        pos = end;
    }
    m_height = qMax(lineY - y, indents.imageBottom() - y);
    return m_height;
}

bool TextSection::hasUnplacedFloat(int start, int end) const {
    for (const InlineObject &o : m_objects) {
        if (o.position >= end)
            break;
        if (o.position >= start && o.isFloat() && !o.placed)
            return true;
    }
    return false;
}

// Registers the floated pictures among the characters from start to end at the line's y. With
// leadingOnly, only those before the first word: they are placed before the line is measured.
void TextSection::placeFloats(IndentManager &indents, int start, int end, int y, bool leadingOnly,
                              int &maxWidth) {
    for (InlineObject &o : m_objects) {
        if (o.position < start)
            continue;
        if (o.position >= end)
            break;
        if (leadingOnly) {
            bool leading = true;
            for (int i = start; i < o.position; ++i)
                if (!isSpace(m_text[i]) && m_text[i].unicode() != InlineObject::Placeholder) {
                    leading = false;
                    break;
                }
            if (!leading)
                break;
        }
        if (!o.isFloat() || o.placed)
            continue;
        if (o.width <= 0 || o.height <= 0) {
            o.placed = true;
            o.y = y;
            continue;
        }
        o.x = o.align == InlineObject::ImageAlign::Left
                  ? indents.addLeftFloat(y, o.width, o.height)
                  : indents.addRightFloat(y, o.width, o.height);
        o.y = y;
        o.placed = true;
        maxWidth = qMax(maxWidth, LayoutMath::add(o.x, o.width));
    }
}

int TextSection::rightEdge(const IndentManager &indents, int y) const {
    return indents.rightSide(y);
}

int TextSection::breakLine(int pos, int fitting) const {
    const int n = int(m_text.size());
    if (fitting >= n)
        return n;
    if (fitting > pos && isSpace(m_text[fitting - 1])) {
        int end = fitting;
        while (end < n && isSpace(m_text[end]))
            ++end;
        return end;
    }
    if (fitting > pos && isPlaceholder(m_text[fitting]))
        return fitting;
    for (int k = fitting - 1; k >= pos; --k)
        if (isSpace(m_text[k]) || isPlaceholder(m_text[k]))
            return k + 1;
    // A word wider than the line stays whole and sticks out.
    int end = pos;
    while (end < n && !isSpace(m_text[end]) && !isPlaceholder(m_text[end]))
        ++end;
    if (end == pos)
        end = pos + 1;
    while (end < n && isSpace(m_text[end]))
        ++end;
    return end;
}

TextSection::Line TextSection::finishLine(LayoutContext &ctx, int start, int end, int y, int left,
                                          int right) {
    Line line;
    line.start = start;
    line.end = end;
    line.y = y;
    int tallest = 0, descent = 0;
    for (int r = runIndexAt(start); r < int(m_runs.size()) && m_runs[size_t(r)].start < end; ++r) {
        const FontMetricsInfo info =
            ctx.metrics->metrics(ctx.document->font(m_runs[size_t(r)].fontId));
        if (info.height > tallest) {
            tallest = info.height;
            descent = info.descent;
        }
    }
    const int ascent = tallest - descent;
    int above = 0, below = 0;
    for (const InlineObject &o : m_objects) {
        if (o.position < start || o.position >= end || o.isFloat())
            continue;
        const int h = o.height;
        if (o.type == InlineObject::Type::Image) {
            switch (o.align) {
            case InlineObject::ImageAlign::Top:
                below = qMax(below, h - tallest);
                break;
            case InlineObject::ImageAlign::Middle:
                above = qMax(above, (h - tallest) / 2 + 1);
                below = qMax(below, (h - tallest) / 2 + 1);
                break;
            default:
                above = qMax(above, h - ascent);
                break;
            }
        } else {
            above = qMax(above, controlOnBaseline(o) ? h - ascent : h - tallest);
        }
    }
    line.height = LayoutMath::add(LayoutMath::add(tallest, above), below);
    line.baseline = LayoutMath::add(LayoutMath::add(y, above), ascent);

    qint64 width = 0;
    int last = end;
    while (last > start && isSpace(m_text[last - 1]))
        --last;
    for (int i = start; i < last; ++i)
        width += m_advances[size_t(i)];
    line.width = LayoutMath::clampToInt(width);
    switch (m_alignment) {
    case AlignCenter:
        line.x = int((qint64(left) + right - line.width) / 2);
        break;
    case AlignRight:
        line.x = right - line.width;
        break;
    default:
        line.x = left;
        break;
    }

    placeLineObjects(line, y + above, tallest);
    return line;
}

// Puts the line's pictures and controls in place: `fontTop` is where its tallest font begins.
void TextSection::placeLineObjects(const Line &line, int fontTop, int tallest) {
    qint64 x = line.x;
    for (int i = line.start; i < line.end; ++i) {
        if (m_text[i].unicode() == InlineObject::Placeholder) {
            auto it =
                std::lower_bound(m_objects.begin(), m_objects.end(), i,
                                 [](const InlineObject &o, int pos) { return o.position < pos; });
            if (it != m_objects.end() && it->position == i && !it->isFloat()) {
                InlineObject &o = *it;
                o.x = LayoutMath::clampToInt(x);
                if (o.type == InlineObject::Type::Image) {
                    switch (o.align) {
                    case InlineObject::ImageAlign::Top:
                        o.y = fontTop;
                        break;
                    case InlineObject::ImageAlign::Middle:
                        o.y = fontTop + (tallest - o.height) / 2;
                        break;
                    default:
                        o.y = line.baseline - o.height;
                        break;
                    }
                } else {
                    o.y = controlOnBaseline(o) ? line.baseline - o.height
                                               : fontTop + tallest - o.height;
                }
                o.placed = true;
            }
        }
        x += m_advances[size_t(i)];
    }
}
