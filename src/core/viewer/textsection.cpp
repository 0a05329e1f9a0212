#include "viewer/textsection.h"

#include "viewer/fontmetricsport.h"
#include "viewer/imageprovider.h"
#include "viewer/inlineobjects.h"
#include "viewer/layoutmath.h"
#include "viewer/sectionlist.h"

#include <QPainter>
#include <algorithm>

TextSection::TextSection(int level, int alignment, int fontId, const QString &link)
    : m_level(level), m_alignment(alignment), m_fontId(fontId), m_link(link) {
    m_runs.push_back(Run{0, fontId, link});
}

int TextSection::indent() const {
    return LayoutMath::mulDiv(m_level, IndentManager::ListIndent, 1);
}

void TextSection::setStyle(int fontId, const QString &link, int linkSource) {
    m_fontId = fontId;
    m_link = link;
    m_linkSource = link.isEmpty() ? -1 : linkSource;
}

void TextSection::ensureRun() {
    Run &last = m_runs.back();
    auto sameStyle = [this](const Run &r) {
        return r.fontId == m_fontId && r.link == m_link && r.linkSource == m_linkSource;
    };
    if (sameStyle(last))
        return;
    if (last.start == m_text.size()) {
        last.fontId = m_fontId;
        last.link = m_link;
        last.linkSource = m_linkSource;
        // Merge with the run before when it has the same style again.
        if (m_runs.size() > 1 && sameStyle(m_runs[m_runs.size() - 2]))
            m_runs.pop_back();
        return;
    }
    m_runs.push_back(Run{int(m_text.size()), m_fontId, m_link, m_linkSource});
}

void TextSection::addText(QStringView text, const SourceMap &sources) {
    const bool dropSpace = text.startsWith(u' ') && (m_text.isEmpty() || m_text.endsWith(u' '));
    appendMapped(text, sources, dropSpace ? 1 : 0);
}

void TextSection::appendMapped(QStringView text, const SourceMap &sources, int skip) {
    if (text.size() <= skip)
        return;
    m_sources.append(sources, skip, int(m_text.size()));
    ensureRun();
    m_text.append(text.mid(skip));
    m_measured = false;
}

void TextSection::appendText(QStringView text, int source) {
    if (text.isEmpty())
        return;
    if (source >= 0)
        m_sources.add(int(m_text.size()), source);
    ensureRun();
    m_text.append(text);
    m_measured = false;
}

void TextSection::addObject(InlineObject object, int source) {
    ensureRun();
    if (source >= 0)
        m_sources.add(int(m_text.size()), source);
    object.position = int(m_text.size());
    m_text.append(QChar(InlineObject::Placeholder));
    m_objects.push_back(std::move(object));
    m_measured = false;
}

int TextSection::runIndexAt(int i) const {
    auto it = std::upper_bound(m_runs.begin(), m_runs.end(), i,
                               [](int pos, const Run &r) { return pos < r.start; });
    return it == m_runs.begin() ? 0 : int(it - m_runs.begin()) - 1;
}

int TextSection::fontIdAt(int i) const {
    return m_runs[size_t(runIndexAt(i))].fontId;
}

const DocumentFont &TextSection::fontOf(const DrawContext &dc, int runIndex) const {
    return dc.document->font(m_runs[size_t(runIndex)].fontId);
}

void TextSection::invalidateMetrics() {
    m_measured = false;
    m_minWidth = m_maxWidth = -1;
}

void TextSection::sizeObject(LayoutContext &ctx, InlineObject &o) {
    sizeInlineObject(ctx, o, ctx.document->font(fontIdAt(o.position)));
}

void TextSection::measure(LayoutContext &ctx) {
    if (m_measured)
        return;
    const int n = int(m_text.size());
    m_advances.assign(size_t(n), 0);
    for (size_t r = 0; r < m_runs.size(); ++r) {
        const int start = m_runs[r].start;
        const int end = r + 1 < m_runs.size() ? m_runs[r + 1].start : n;
        if (end > start)
            ctx.metrics->advances(ctx.document->font(m_runs[r].fontId),
                                  QStringView(m_text).mid(start, end - start),
                                  m_advances.data() + start);
    }
    for (InlineObject &o : m_objects) {
        sizeObject(ctx, o);
        m_advances[size_t(o.position)] = o.isFloat() ? 0 : o.width;
    }
    m_measured = true;
}

int TextSection::totalWidth() const {
    qint64 sum = 0;
    for (int w : m_advances)
        sum += w;
    return LayoutMath::clampToInt(sum);
}

void TextSection::minMaxWidth(LayoutContext &ctx, int &minWidth, int &maxWidth) {
    if (m_minWidth < 0) {
        measure(ctx);
        if (m_text.isEmpty()) {
            m_minWidth = m_maxWidth = 0;
        } else {
            int floats = 0, widestFloat = 0;
            for (const InlineObject &o : m_objects)
                if (o.isFloat()) {
                    floats = LayoutMath::add(floats, o.width);
                    widestFloat = qMax(widestFloat, o.width);
                }
            m_maxWidth = LayoutMath::add(LayoutMath::add(floats, totalWidth()), indent());
            int widestPiece = 0, piece = 0;
            for (qsizetype i = 0; i < m_text.size(); ++i) {
                if (isSpace(m_text[i])) {
                    piece = 0;
                    continue;
                }
                piece = LayoutMath::add(piece, m_advances[size_t(i)]);
                widestPiece = qMax(widestPiece, piece);
            }
            m_minWidth = LayoutMath::add(qMax(widestFloat, widestPiece), indent());
        }
    }
    minWidth = m_minWidth;
    maxWidth = m_maxWidth;
}

void TextSection::shiftY(int dy) {
    m_y += dy;
    for (Line &l : m_lines) {
        l.y += dy;
        l.baseline += dy;
    }
    for (InlineObject &o : m_objects)
        o.y += dy;
}

int TextSection::firstBaseline() const {
    return m_lines.empty() ? m_y : m_lines.front().baseline;
}

void TextSection::drawObject(DrawContext &dc, const InlineObject &o, bool selected) const {
    drawInlineObject(dc, o, dc.document->font(fontIdAt(o.position)), selected);
}

void TextSection::draw(DrawContext &dc) const {
    QPainter &p = *dc.painter;
    drawMarker(dc);
    const int selFrom = dc.selectionStart - m_position;
    const int selTo = dc.selectionEnd - m_position;
    const bool anySelection = dc.hasSelection() && selTo > 0 && selFrom < m_text.size();
    auto firstVisible =
        std::lower_bound(m_lines.begin(), m_lines.end(), dc.clip.top(),
                         [](const Line &l, int top) { return l.y + l.height <= top; });
    for (auto it = firstVisible; it != m_lines.end() && it->y <= dc.clip.bottom(); ++it) {
        const Line &line = *it;
        qint64 x = qint64(dc.origin.x()) + line.x;
        int i = line.start;
        while (i < line.end) {
            const int runIndex = runIndexAt(i);
            const int runEnd = runIndex + 1 < int(m_runs.size())
                                   ? qMin(m_runs[size_t(runIndex) + 1].start, line.end)
                                   : line.end;
            const bool selected = anySelection && i >= selFrom && i < selTo;
            if (m_text[i].unicode() == InlineObject::Placeholder) {
                auto obj = std::lower_bound(
                    m_objects.begin(), m_objects.end(), i,
                    [](const InlineObject &o, int pos) { return o.position < pos; });
                if (obj != m_objects.end() && obj->position == i && !obj->isFloat())
                    drawObject(dc, *obj, selected);
                x += m_advances[size_t(i)];
                ++i;
                continue;
            }
            int segEnd = i + 1;
            while (segEnd < runEnd && m_text[segEnd].unicode() != InlineObject::Placeholder &&
                   (anySelection ? ((segEnd >= selFrom && segEnd < selTo) == selected) : true))
                ++segEnd;
            // Keep surrogate pairs together.
            if (segEnd < line.end && m_text[segEnd].isLowSurrogate())
                ++segEnd;
            qint64 width = 0;
            for (int k = i; k < segEnd; ++k)
                width += m_advances[size_t(k)];
            const DocumentFont &runFont = fontOf(dc, runIndex);
            if (x <= dc.clip.right() && x + width >= dc.clip.left()) {
                if (selected)
                    p.fillRect(QRect(int(x), line.y, int(width), line.height),
                               dc.selectionBackground);
                int baseline = line.baseline;
                if (runFont.script != DocumentFont::Normal) {
                    const int size = qMax(1, runFont.pointSize);
                    baseline += runFont.script == DocumentFont::Superscript ? -size / 3 : size / 5;
                }
                p.setFont(dc.metrics->qfont(runFont));
                p.setPen(selected ? dc.selectionText : QColor::fromRgb(runFont.color));
                p.drawText(QPointF(qreal(x), baseline), m_text.mid(i, segEnd - i));
            }
            x += width;
            i = segEnd;
        }
    }
    for (const InlineObject &o : m_objects)
        if (o.isFloat() && o.placed)
            drawObject(dc, o, anySelection && o.position >= selFrom && o.position < selTo);
}

int TextSection::charAtX(const Line &line, int x, bool nearest) const {
    qint64 cx = line.x;
    for (int i = line.start; i < line.end; ++i) {
        const int w = m_advances[size_t(i)];
        if (nearest ? x < cx + w / 2 : x < cx + w)
            return i;
        cx += w;
    }
    return nearest ? line.end : -1;
}

QString TextSection::linkAt(QPoint p) const {
    for (const InlineObject &o : m_objects)
        if (o.isFloat() && o.placed && QRect(o.x, o.y, o.width, o.height).contains(p))
            return m_runs[size_t(runIndexAt(o.position))].link;
    auto it = std::upper_bound(m_lines.begin(), m_lines.end(), p.y(),
                               [](int y, const Line &l) { return y < l.y + l.height; });
    if (it == m_lines.end() || p.y() < it->y || p.x() < it->x)
        return {};
    const int i = charAtX(*it, p.x(), false);
    if (i < 0)
        return {};
    return m_runs[size_t(runIndexAt(i))].link;
}

int TextSection::cursorAt(QPoint p) const {
    if (m_lines.empty())
        return m_text.isEmpty() ? -1 : m_position;
    if (p.y() < m_lines.front().y)
        return m_position;
    auto it = std::upper_bound(m_lines.begin(), m_lines.end(), p.y(),
                               [](int y, const Line &l) { return y < l.y + l.height; });
    if (it == m_lines.end())
        --it;
    int i = charAtX(*it, p.x(), true);
    // The end of a line that wrapped is the start of the next one; stay on this line.
    if (i == it->end && i < m_text.size() && i > it->start && isSpace(m_text[i - 1]))
        --i;
    return m_position + i;
}

bool TextSection::cursorToPoint(int position, QPoint &p, int &lineHeight) const {
    const int i = position - m_position;
    if (i < 0 || i > m_text.size() || m_lines.empty())
        return false;
    for (const Line &line : m_lines) {
        if (i < line.end || &line == &m_lines.back()) {
            qint64 x = line.x;
            for (int k = line.start; k < i && k < line.end; ++k)
                x += m_advances[size_t(k)];
            p = QPoint(LayoutMath::clampToInt(x), line.y);
            lineHeight = line.height;
            return true;
        }
    }
    return false;
}

void TextSection::copyText(int from, int to, QString &out) const {
    const int len = int(m_text.size());
    if (len == 0)
        return;
    const int s = qMax(from, m_position) - m_position;
    const int e = qMin(to, m_position + len) - m_position;
    for (int i = s; i < e; ++i) {
        const QChar c = m_text[i];
        if (c.unicode() == InlineObject::Placeholder)
            continue;
        out.append(c.unicode() == 0xA0 ? QChar(u' ') : c);
    }
    if (to > m_position + len && from <= m_position + len) {
        while (out.endsWith(u' '))
            out.chop(1);
        out.append(u'\n');
    }
}

int TextSection::findText(const QString &lowerText, int from) const {
    const int start = qMax(0, from - m_position);
    if (start > m_text.size())
        return -1;
    const qsizetype at = m_text.indexOf(lowerText, start, Qt::CaseInsensitive);
    return at < 0 ? -1 : m_position + int(at);
}

int TextSection::assignPositions(int start) {
    m_position = start;
    return LayoutMath::add(start, int(m_text.size()) + 1);
}

int TextSection::sourceAt(int position, const QString &link) const {
    const int i = position - m_position;
    const int len = int(m_text.size());
    if (i < 0 || i > len)
        return -1;
    if (!link.isEmpty())
        for (int k : {i, i - 1})
            if (k >= 0 && k < len) {
                const Run &run = m_runs[size_t(runIndexAt(k))];
                if (run.link == link && run.linkSource >= 0)
                    return run.linkSource;
            }
    if (m_sources.isEmpty() || len == 0)
        return m_source;
    return i < len ? m_sources.sourceOf(i) : m_sources.sourceOf(len - 1) + 1;
}

void TextSection::shiftSource(int from, int delta) {
    SectionBase::shiftSource(from, delta);
    shiftOffset(m_linkSource, from, delta);
    for (Run &run : m_runs)
        shiftOffset(run.linkSource, from, delta);
    m_sources.shift(from, delta);
}

void TextSection::placeOfSource(int source, int &y, int &height) const {
    y = m_y;
    height = m_height;
    const int i = m_sources.indexOf(source, int(m_text.size()));
    QPoint p;
    int lineHeight = 0;
    if (i >= 0 && cursorToPoint(m_position + i, p, lineHeight)) {
        y = p.y();
        height = lineHeight;
    }
}
