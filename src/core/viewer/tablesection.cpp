#include "viewer/tablesection.h"

#include "viewer/indentmanager.h"
#include "viewer/layoutmath.h"
#include "viewer/sectionlist.h"

#include <QPainter>
#include <algorithm>
#include <map>
#include <numeric>

using LayoutMath::add;
using LayoutMath::mulDiv;

namespace {

int sum(const std::vector<int> &v) {
    qint64 s = 0;
    for (int x : v)
        s += x;
    return LayoutMath::clampToInt(s);
}

} // namespace

TableSection::TableSection(Placement placement, int border, int padding, int spacing,
                           int widthPercent)
    : m_placement(placement), m_border(border), m_padding(padding), m_spacing(spacing),
      m_widthPercent(widthPercent) {}

TableSection::~TableSection() = default;

void TableSection::startRow() {
    ++m_rowCount;
}

Cell *TableSection::addCell(int colSpan, int rowSpan, int valign, bool hasBackground,
                            QRgb background, int widthPercent) {
    if (m_rowCount == 0)
        startRow();
    Entry e;
    e.content = std::make_unique<Cell>();
    e.row = m_rowCount - 1;
    e.colSpan = qBound(1, colSpan, MaxColSpan);
    e.rowSpan = qBound(1, rowSpan, MaxRowSpan);
    e.valign = valign;
    e.hasBackground = hasBackground;
    e.background = background;
    e.widthPercent = widthPercent;
    m_entries.push_back(std::move(e));
    return m_entries.back().content.get();
}

Cell *TableSection::openCaption(bool bottom) {
    if (!m_caption)
        m_caption = std::make_unique<Cell>();
    m_captionBottom = bottom;
    return m_caption.get();
}

void TableSection::finish() {
    // busy[c]: how many more rows column c is taken by a row span from above.
    std::vector<int> busy;
    size_t next = 0;
    for (int row = 0; row < m_rowCount; ++row) {
        int column = 0;
        for (; next < m_entries.size() && m_entries[next].row == row; ++next) {
            Entry &e = m_entries[next];
            while (column < int(busy.size()) && busy[size_t(column)] > 0)
                ++column;
            // Cells past the widest grid share its last column, so that no count can overflow.
            column = qMin(column, MaxColumns - 1);
            e.colSpan = qMin(e.colSpan, MaxColumns - column);
            e.column = column;
            e.rowSpan = qMin(e.rowSpan, m_rowCount - row);
            if (int(busy.size()) < column + e.colSpan)
                busy.resize(size_t(column + e.colSpan), 0);
            for (int k = 0; k < e.colSpan; ++k)
                busy[size_t(column + k)] = e.rowSpan;
            column += e.colSpan;
        }
        for (int &b : busy)
            if (b > 0)
                --b;
    }
    m_columnCount = int(busy.size());
    m_finished = true;
    m_figuresValid = false;
}

void TableSection::invalidateMetrics() {
    m_figuresValid = false;
    if (m_caption)
        m_caption->invalidateMetrics();
    for (Entry &e : m_entries)
        e.content->invalidateMetrics();
}

void TableSection::columnFigures(LayoutContext &ctx, std::vector<int> &minW, std::vector<int> &maxW,
                                 std::vector<int> &percent) {
    if (!m_finished)
        finish();
    if (!m_figuresValid) {
        const size_t n = size_t(m_columnCount);
        m_colMin.assign(n, 0);
        m_colMax.assign(n, 0);
        m_colPercent.assign(n, 0);
        // Cells grouped by column span, in document order within each group.
        std::map<int, std::vector<Entry *>> bySpan;
        for (Entry &e : m_entries)
            bySpan[e.colSpan].push_back(&e);
        const int o = overhead();
        // One pass per column span: single columns first, then the spans share out what the
        // columns they cover do not yet provide.
        for (auto &[k, group] : bySpan) {
            for (Entry *entry : group) {
                Entry &e = *entry;
                int cm = 0, cM = 0;
                e.content->minMaxWidth(ctx, cm, cM);
                const int m = add(cm, o), M = add(cM, o), q = e.widthPercent;
                const size_t c0 = size_t(e.column), c1 = c0 + size_t(k);
                if (k == 1) {
                    m_colMin[c0] = qMax(m_colMin[c0], m);
                    m_colMax[c0] = qMax(m_colMax[c0], M);
                    m_colPercent[c0] = qMax(m_colPercent[c0], q);
                    continue;
                }
                int sMin = 0, sMax = 0, Q = 0, without = 0;
                for (size_t c = c0; c < c1; ++c) {
                    sMin = add(sMin, m_colMin[c]);
                    sMax = add(sMax, m_colMax[c]);
                    Q += m_colPercent[c];
                    if (m_colPercent[c] == 0)
                        ++without;
                }
                if (q == 0 && Q == 0) {
                    for (size_t c = c0; c < c1; ++c) {
                        if (sMin == 0 || sMax == 0) {
                            m_colMin[c] = m / k;
                            m_colMax[c] = M / k;
                        } else {
                            m_colMin[c] = qMax(m_colMin[c], mulDiv(m, m_colMin[c], sMin));
                            m_colMax[c] = qMax(m_colMax[c], mulDiv(M, m_colMax[c], sMax));
                        }
                    }
                } else {
                    const int share = without > 0 ? qMax(0, mulDiv(q - Q, 1, without)) : 0;
                    const int T = qMax(q, Q);
                    if (without == 0 && q > Q)
                        for (size_t c = c0; c < c1; ++c)
                            m_colPercent[c] = mulDiv(m_colPercent[c], q, Q);
                    for (size_t c = c0; c < c1; ++c) {
                        if (m_colPercent[c] == 0)
                            m_colPercent[c] = share;
                        m_colMin[c] = qMax(m_colMin[c], mulDiv(m, m_colPercent[c], T));
                        m_colMax[c] = qMax(m_colMax[c], mulDiv(M, m_colPercent[c], T));
                    }
                }
            }
        }
        m_figuresValid = true;
    }
    minW = m_colMin;
    maxW = m_colMax;
    percent = m_colPercent;
}

std::vector<int> TableSection::distributeWidths(std::vector<int> minW, std::vector<int> maxW,
                                                const std::vector<int> &percent, int W,
                                                bool tableHasPercent) {
    const size_t n = minW.size();
    int sumMin = sum(minW), sumMax = sum(maxW);
    if (sumMin >= W)
        return minW;
    int P = 0;
    for (int p : percent)
        P = add(P, p);
    if ((P >= 1 && P <= 100) || tableHasPercent) {
        int N = 0, plainMax = 0;
        for (size_t c = 0; c < n; ++c) {
            if (percent[c] > 0)
                N = qMax(N, mulDiv(maxW[c], 100, percent[c]));
            else
                plainMax = add(plainMax, maxW[c]);
        }
        if (P < 100)
            N = qMax(N, mulDiv(plainMax, 100, 100 - P));
        else
            N = qMax(N, plainMax == 0 ? 0 : 30000);
        if (N <= W) {
            if (tableHasPercent)
                N = W;
            std::vector<int> widths(n);
            const int plainShare = mulDiv(N, 100 - P, 100);
            for (size_t c = 0; c < n; ++c)
                widths[c] = percent[c] > 0 ? mulDiv(N, percent[c], 100)
                                           : mulDiv(maxW[c], plainShare, plainMax);
            return widths;
        }
        // Too wide: columns whose share cannot hold their narrowest width give up their
        // percentage; the others are scaled into what remains.
        std::vector<int> pct = percent;
        for (int round = 0; round < 1000; ++round) {
            for (size_t c = 0; c < n; ++c)
                if (pct[c] > 0 && mulDiv(W, pct[c], 100) - 1 < minW[c])
                    pct[c] = 0;
            qint64 F = 0, R = 0;
            bool any = false;
            for (size_t c = 0; c < n; ++c) {
                if (pct[c] > 0) {
                    F += mulDiv(W, pct[c], 100) - 1;
                    any = true;
                } else {
                    R += minW[c];
                }
            }
            if (!any)
                break;
            if (F + R > W && F > 0) {
                for (size_t c = 0; c < n; ++c)
                    if (pct[c] > 0)
                        pct[c] = int(qint64(pct[c]) * (W - R) / F);
                continue;
            }
            for (size_t c = 0; c < n; ++c)
                if (pct[c] > 0)
                    minW[c] = maxW[c] = mulDiv(W, pct[c], 100);
            sumMin = sum(minW);
            sumMax = sum(maxW);
            break;
        }
    }
    std::vector<int> widths(n);
    if (W < sumMax && sumMax != sumMin) {
        for (size_t c = 0; c < n; ++c)
            widths[c] =
                qMax(0, add(minW[c], mulDiv(maxW[c] - minW[c], W - sumMin, sumMax - sumMin)));
    } else {
        widths = maxW;
    }
    return widths;
}

void TableSection::minMaxWidth(LayoutContext &ctx, int &minWidth, int &maxWidth) {
    std::vector<int> mn, mx, pct;
    columnFigures(ctx, mn, mx, pct);
    minWidth = add(add(sum(mn), m_spacing), m_padding);
    maxWidth = add(add(sum(mx), m_spacing), m_padding);
}

int TableSection::layout(LayoutContext &ctx, int y, int, IndentManager &indents, int &maxWidth) {
    m_y = y;
    std::vector<int> mn, mx, pct;
    columnFigures(ctx, mn, mx, pct);
    const int left = indents.leftIndent(y);
    const int right = indents.rightSide(y);
    int available = right - left;
    if (m_widthPercent > 0)
        available = mulDiv(available, m_widthPercent, 100);
    available -= m_spacing;
    m_columnWidths = distributeWidths(mn, mx, pct, available, m_widthPercent > 0);
    m_width = add(m_spacing, sum(m_columnWidths));
    switch (m_placement) {
    case Placement::Center:
        m_x = int((qint64(left) + right - m_width) / 2);
        break;
    case Placement::Right:
        m_x = right - m_width;
        break;
    default:
        m_x = left;
        break;
    }
    maxWidth = qMax(maxWidth, add(m_x, m_width));

    const int o = overhead();
    std::vector<int> columnX(size_t(m_columnCount) + 1, 0);
    columnX[0] = add(m_x, m_spacing);
    for (size_t c = 0; c < size_t(m_columnCount); ++c)
        columnX[c + 1] = add(columnX[c], m_columnWidths[c]);

    // Contents first, at a provisional y: row heights need their heights.
    std::vector<int> contentHeight(m_entries.size(), 0);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        Entry &e = m_entries[i];
        const int cellWidth = columnX[size_t(e.column + e.colSpan)] - columnX[size_t(e.column)];
        int used = 0;
        contentHeight[i] = e.content->doLogic(ctx, y, qMax(0, cellWidth - o), used);
        e.x = columnX[size_t(e.column)];
        e.width = cellWidth;
        e.contentX = add(e.x, m_padding);
    }

    m_rowHeights.assign(size_t(m_rowCount), 0);
    // Rows by the cells that start in them, grouped by row span.
    std::map<int, std::vector<size_t>> byRowSpan;
    for (size_t i = 0; i < m_entries.size(); ++i)
        byRowSpan[m_entries[i].rowSpan].push_back(i);
    for (auto &[k, group] : byRowSpan) {
        std::map<int, int> tallest; // row -> tallest content of the cells spanning k rows
        for (size_t i : group) {
            auto it = tallest.find(m_entries[i].row);
            if (it == tallest.end())
                tallest.emplace(m_entries[i].row, contentHeight[i]);
            else
                it->second = qMax(it->second, contentHeight[i]);
        }
        for (const auto &[r, content] : tallest) {
            if (r + k > m_rowCount)
                continue;
            const int h = add(content, o);
            if (k == 1) {
                m_rowHeights[size_t(r)] = h;
                continue;
            }
            int S = 0;
            for (int j = r; j < r + k; ++j)
                S = add(S, m_rowHeights[size_t(j)]);
            if (S < h) {
                const int grow = (h - S) / k + 1;
                for (int j = r; j < r + k; ++j)
                    m_rowHeights[size_t(j)] = add(m_rowHeights[size_t(j)], grow);
            }
        }
    }

    int top = y;
    m_captionHeight = 0;
    if (m_caption) {
        int used = 0;
        m_captionHeight = m_caption->doLogic(ctx, y, m_width, used);
        if (!m_captionBottom) {
            m_captionY = y;
            top = add(top, m_captionHeight);
        }
    }
    m_rowsTop = add(top, m_spacing);
    std::vector<int> rowY(size_t(m_rowCount) + 1, m_rowsTop);
    for (size_t r = 0; r < size_t(m_rowCount); ++r)
        rowY[r + 1] = add(rowY[r], m_rowHeights[r]);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        Entry &e = m_entries[i];
        e.y = rowY[size_t(e.row)];
        e.height = rowY[size_t(e.row + e.rowSpan)] - e.y;
        const int slack = e.height - contentHeight[i] - o;
        int offset = 0;
        if (e.valign == VAlignMiddle)
            offset = slack / 2;
        else if (e.valign == VAlignBottom)
            offset = slack;
        e.content->shiftY(add(e.y, m_padding + offset) - y);
    }
    const int rowsBottom = rowY[size_t(m_rowCount)];
    int height = add(add(rowsBottom, m_spacing) - y, 0);
    if (m_caption && m_captionBottom) {
        m_captionY = add(rowsBottom, m_spacing);
        m_caption->shiftY(m_captionY - y);
        height = add(height, m_captionHeight);
    } else if (m_caption) {
        m_caption->shiftY(m_captionY - y);
    }
    m_height = height;
    return m_height;
}

void TableSection::shiftY(int dy) {
    m_y += dy;
    m_rowsTop += dy;
    m_captionY += dy;
    if (m_caption)
        m_caption->shiftY(dy);
    for (Entry &e : m_entries) {
        e.y += dy;
        e.content->shiftY(dy);
    }
}

void TableSection::draw(DrawContext &dc) const {
    if (m_y > dc.clip.bottom() || bottom() < dc.clip.top())
        return;
    QPainter &p = *dc.painter;
    const QPoint origin = dc.origin;
    if (m_caption) {
        dc.origin = origin + QPoint(m_x, 0);
        m_caption->draw(dc);
        dc.origin = origin;
    }
    const QColor light(255, 255, 255), shadow(128, 128, 128);
    for (const Entry &e : m_entries) {
        const QRect box(origin.x() + e.x, e.y, e.width - m_spacing, e.height - m_spacing);
        if (box.top() > dc.clip.bottom() || box.bottom() < dc.clip.top())
            continue;
        if (e.hasBackground)
            p.fillRect(box, QColor::fromRgb(e.background));
        if (m_border > 0 && box.width() > 1 && box.height() > 1) {
            p.setPen(shadow);
            p.drawLine(box.topLeft(), box.topRight());
            p.drawLine(box.topLeft(), box.bottomLeft());
            p.setPen(light);
            p.drawLine(box.bottomLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomRight());
        }
        dc.origin = origin + QPoint(e.contentX, 0);
        e.content->draw(dc);
        dc.origin = origin;
    }
    if (m_border > 0) {
        const QRect outer(origin.x() + m_x, m_rowsTop - m_spacing, m_width,
                          m_height - m_captionHeight - m_spacing);
        const int b = qMin(m_border, 50);
        for (int i = 0; i < b; ++i) {
            const QRect r = outer.adjusted(i, i, -i - 1, -i - 1);
            if (r.width() <= 0 || r.height() <= 0)
                break;
            p.setPen(light);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(shadow);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        }
    }
}

const TableSection::Entry *TableSection::entryAt(QPoint p) const {
    for (const Entry &e : m_entries)
        if (p.x() >= e.x && p.x() < e.x + e.width && p.y() >= e.y && p.y() < e.y + e.height)
            return &e;
    return nullptr;
}

QString TableSection::linkAt(QPoint p) const {
    if (m_caption && p.y() >= m_captionY && p.y() < m_captionY + m_captionHeight)
        return m_caption->linkAt(p - QPoint(m_x, 0));
    if (const Entry *e = entryAt(p))
        return e->content->linkAt(p - QPoint(e->contentX, 0));
    return {};
}

int TableSection::cursorAt(QPoint p) const {
    if (m_caption && p.y() >= m_captionY && p.y() < m_captionY + m_captionHeight) {
        const int c = m_caption->cursorAt(p - QPoint(m_x, 0));
        if (c >= 0)
            return c;
    }
    // The cell under the point, else the nearest one.
    const Entry *best = entryAt(p);
    if (!best) {
        qint64 bestDistance = -1;
        for (const Entry &e : m_entries) {
            const qint64 dx = p.x() < e.x ? e.x - p.x() : qMax(0, p.x() - (e.x + e.width));
            const qint64 dy = p.y() < e.y ? e.y - p.y() : qMax(0, p.y() - (e.y + e.height));
            const qint64 d = dx * dx + dy * dy;
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                best = &e;
            }
        }
    }
    if (!best)
        return -1;
    return best->content->cursorAt(p - QPoint(best->contentX, 0));
}

bool TableSection::cursorToPoint(int position, QPoint &p, int &lineHeight) const {
    if (m_caption && m_caption->cursorToPoint(position, p, lineHeight)) {
        p += QPoint(m_x, 0);
        return true;
    }
    for (const Entry &e : m_entries)
        if (position >= e.content->firstPosition() && position < e.content->endPosition() &&
            e.content->cursorToPoint(position, p, lineHeight)) {
            p += QPoint(e.contentX, 0);
            return true;
        }
    return false;
}

void TableSection::copyText(int from, int to, QString &out) const {
    if (m_caption)
        m_caption->copyText(from, to, out);
    for (const Entry &e : m_entries)
        e.content->copyText(from, to, out);
}

int TableSection::findText(const QString &lowerText, int from) const {
    if (m_caption) {
        const int at = m_caption->findText(lowerText, from);
        if (at >= 0)
            return at;
    }
    for (const Entry &e : m_entries) {
        const int at = e.content->findText(lowerText, from);
        if (at >= 0)
            return at;
    }
    return -1;
}

int TableSection::assignPositions(int start) {
    if (m_caption)
        start = m_caption->assignPositions(start);
    for (Entry &e : m_entries)
        start = e.content->assignPositions(start);
    return start;
}
