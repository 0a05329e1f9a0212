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
using LayoutMath::sum;

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

void TableSection::minMaxWidth(LayoutContext &ctx, int &minWidth, int &maxWidth) {
    std::vector<int> mn, mx, pct;
    columnFigures(ctx, mn, mx, pct);
    minWidth = add(add(sum(mn), m_spacing), m_padding);
    maxWidth = add(add(sum(mx), m_spacing), m_padding);
}

int TableSection::layout(LayoutContext &ctx, int y, int, IndentManager &indents, int &maxWidth) {
    m_y = y;
    const std::vector<int> columnX = placeColumns(ctx, y, indents, maxWidth);
    const std::vector<int> contentHeight = layOutCells(ctx, y, columnX);
    computeRowHeights(contentHeight);
    const int o = overhead();

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

// The table's width and place between the indents; returns the left edge of each column and
// the right edge of the last.
std::vector<int> TableSection::placeColumns(LayoutContext &ctx, int y, IndentManager &indents,
                                            int &maxWidth) {
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

    std::vector<int> columnX(size_t(m_columnCount) + 1, 0);
    columnX[0] = add(m_x, m_spacing);
    for (size_t c = 0; c < size_t(m_columnCount); ++c)
        columnX[c + 1] = add(columnX[c], m_columnWidths[c]);

    return columnX;
}

// The cells' contents at a provisional y (row heights need their heights); returns the height
// of each.
std::vector<int> TableSection::layOutCells(LayoutContext &ctx, int y,
                                           const std::vector<int> &columnX) {
    const int o = overhead();
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

    return contentHeight;
}

// Each row as high as its tallest cell; a cell spanning rows makes them taller together when
// they are not high enough for it.
void TableSection::computeRowHeights(const std::vector<int> &contentHeight) {
    const int o = overhead();
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

int TableSection::sourceAt(int position, const QString &link) const {
    if (m_caption && position >= m_caption->firstPosition() &&
        position < m_caption->endPosition())
        return m_caption->sourceAt(position, link);
    for (const Entry &e : m_entries)
        if (position >= e.content->firstPosition() && position < e.content->endPosition())
            return e.content->sourceAt(position, link);
    return -1;
}

void TableSection::collectSources(std::vector<SourcePlace> &out, int top) const {
    SectionBase::collectSources(out, top);
    if (m_caption)
        m_caption->collectSources(out, top);
    for (const Entry &e : m_entries)
        e.content->collectSources(out, top);
}

void TableSection::shiftSource(int from, int delta) {
    SectionBase::shiftSource(from, delta);
    if (m_caption)
        m_caption->shiftSource(from, delta);
    for (Entry &e : m_entries)
        e.content->shiftSource(from, delta);
}
