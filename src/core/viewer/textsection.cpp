#include "viewer/textsection.h"

#include "viewer/fontmetricsport.h"
#include "viewer/imageprovider.h"
#include "viewer/indentmanager.h"
#include "viewer/layoutmath.h"
#include "viewer/sectionlist.h"

#include <QPainter>
#include <algorithm>

namespace {

bool isPlaceholder(QChar c) {
    return c.unicode() == InlineObject::Placeholder || c.unicode() == 2;
}
bool isSpace(QChar c) {
    return c.unicode() == ' ';
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

TextSection::TextSection(int level, int alignment, int fontId, const QString &link)
    : m_level(level), m_alignment(alignment), m_fontId(fontId), m_link(link) {
    m_runs.push_back(Run{0, fontId, link});
}

int TextSection::indent() const {
    return LayoutMath::mulDiv(m_level, IndentManager::ListIndent, 1);
}

void TextSection::setStyle(int fontId, const QString &link) {
    m_fontId = fontId;
    m_link = link;
}

void TextSection::ensureRun() {
    Run &last = m_runs.back();
    if (last.fontId == m_fontId && last.link == m_link)
        return;
    if (last.start == m_text.size()) {
        last.fontId = m_fontId;
        last.link = m_link;
        // Merge with the run before when it has the same style again.
        if (m_runs.size() > 1) {
            const Run &prev = m_runs[m_runs.size() - 2];
            if (prev.fontId == m_fontId && prev.link == m_link)
                m_runs.pop_back();
        }
        return;
    }
    m_runs.push_back(Run{int(m_text.size()), m_fontId, m_link});
}

void TextSection::addText(QStringView text) {
    if (text.startsWith(u' ') && (m_text.isEmpty() || m_text.endsWith(u' ')))
        text = text.mid(1);
    appendText(text);
}

void TextSection::appendText(QStringView text) {
    if (text.isEmpty())
        return;
    ensureRun();
    m_text.append(text);
    m_measured = false;
}

void TextSection::addObject(InlineObject object) {
    ensureRun();
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
    if (o.type == InlineObject::Type::Image) {
        QSize size;
        if (ctx.images && !o.source.isEmpty())
            size = ctx.images->imageSize(o.source);
        if (size.isEmpty()) {
            o.width = o.height = 0;
            return;
        }
        const int border = qBound(0, o.border, 100);
        o.width = LayoutMath::add(qMin(size.width(), LayoutMath::Limit), 2 * border);
        o.height = LayoutMath::add(qMin(size.height(), LayoutMath::Limit), 2 * border);
        return;
    }
    const DocumentFont &font = ctx.document->font(fontIdAt(o.position));
    const FontMetricsInfo info = ctx.metrics->metrics(font);
    const int charWidth = qMax(1, ctx.metrics->textWidth(font, u"x"));
    using K = InlineObject::ControlKind;
    switch (o.kind) {
    case K::TextField:
    case K::Password:
        o.width = qBound(1, o.size > 0 ? o.size : 20, 500) * charWidth + 8;
        o.height = info.height + 6;
        break;
    case K::Submit:
    case K::Reset:
    case K::Button:
        o.width = ctx.metrics->textWidth(font, o.value) + 16;
        o.height = info.height + 8;
        break;
    case K::Radio:
    case K::Checkbox:
        o.width = o.height = 13;
        break;
    case K::Hidden:
        o.width = o.height = 0;
        break;
    case K::Select: {
        int widest = 0;
        for (const QString &option : o.options)
            widest = qMax(widest, ctx.metrics->textWidth(font, option));
        o.width = widest + 24;
        const int rows = o.size > 1 ? qMin(o.size, 100) : (o.multiple ? 4 : 1);
        o.height = rows * info.height + (rows > 1 ? 4 : 6);
        break;
    }
    case K::TextArea:
        o.width = qBound(1, o.cols > 0 ? o.cols : 20, 500) * charWidth + 24;
        o.height = qBound(1, o.rows > 0 ? o.rows : 2, 200) * info.height + 6;
        break;
    }
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

    qint64 x = line.x;
    for (int i = start; i < end; ++i) {
        if (m_text[i].unicode() == InlineObject::Placeholder) {
            auto it =
                std::lower_bound(m_objects.begin(), m_objects.end(), i,
                                 [](const InlineObject &o, int pos) { return o.position < pos; });
            if (it != m_objects.end() && it->position == i && !it->isFloat()) {
                InlineObject &o = *it;
                o.x = LayoutMath::clampToInt(x);
                const int fontTop = y + above;
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
    return line;
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

bool TextSection::hasUnplacedFloat(int start, int end) const {
    for (const InlineObject &o : m_objects) {
        if (o.position >= end)
            break;
        if (o.position >= start && o.isFloat() && !o.placed)
            return true;
    }
    return false;
}

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
    if (o.width <= 0 || o.height <= 0)
        return;
    QPainter &p = *dc.painter;
    const QRect box(dc.origin.x() + o.x, o.y, o.width, o.height);
    if (!box.intersects(dc.clip))
        return;
    const QColor textColor = QColor::fromRgb(dc.document->font(fontIdAt(o.position)).color);
    if (o.type == InlineObject::Type::Image) {
        const QRect inner = box.adjusted(o.border, o.border, -o.border, -o.border);
        QImage image;
        if (dc.viewImages && dc.images)
            image = dc.images->image(o.source);
        if (!image.isNull() && inner.isValid()) {
            p.drawImage(inner, image);
        } else {
            p.setPen(QColor(128, 128, 128));
            p.setBrush(Qt::NoBrush);
            p.drawRect(inner.adjusted(0, 0, -1, -1));
        }
        if (o.border > 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(textColor);
            p.drawRect(QRect(box.left(), box.top(), box.width(), o.border));
            p.drawRect(QRect(box.left(), box.bottom() - o.border + 1, box.width(), o.border));
            p.drawRect(QRect(box.left(), box.top(), o.border, box.height()));
            p.drawRect(QRect(box.right() - o.border + 1, box.top(), o.border, box.height()));
        }
    } else {
        using K = InlineObject::ControlKind;
        const QFont font = dc.metrics->qfont(dc.document->font(fontIdAt(o.position)));
        p.setFont(font);
        const QColor light(255, 255, 255), shadow(128, 128, 128), face(212, 208, 200);
        auto sunken = [&](const QRect &r, const QColor &fill) {
            p.fillRect(r, fill);
            p.setPen(shadow);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(light);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        };
        switch (o.kind) {
        case K::TextField:
        case K::Password: {
            sunken(box, Qt::white);
            p.setPen(Qt::black);
            QString shown = o.value;
            if (o.kind == K::Password)
                shown.fill(u'*');
            p.drawText(box.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, shown);
            break;
        }
        case K::Submit:
        case K::Reset:
        case K::Button:
            p.fillRect(box, face);
            p.setPen(light);
            p.drawLine(box.topLeft(), box.topRight());
            p.drawLine(box.topLeft(), box.bottomLeft());
            p.setPen(shadow);
            p.drawLine(box.bottomLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomRight());
            p.setPen(Qt::black);
            p.drawText(box, Qt::AlignCenter, o.value);
            break;
        case K::Checkbox:
            sunken(box, Qt::white);
            if (o.checked) {
                p.setPen(QPen(Qt::black, 2));
                p.drawLine(box.left() + 3, box.center().y(), box.center().x(), box.bottom() - 3);
                p.drawLine(box.center().x(), box.bottom() - 3, box.right() - 3, box.top() + 3);
            }
            break;
        case K::Radio:
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(shadow);
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
            if (o.checked) {
                p.setBrush(Qt::black);
                p.setPen(Qt::NoPen);
                p.drawEllipse(QRectF(box).adjusted(4, 4, -4, -4));
            }
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setBrush(Qt::NoBrush);
            break;
        case K::Select: {
            sunken(box, Qt::white);
            p.setPen(Qt::black);
            const bool list = o.size > 1 || o.multiple;
            if (list) {
                const int lineHeight = QFontMetrics(font).height();
                for (int i = 0; i < o.options.size(); ++i) {
                    const QRect row(box.left() + 2, box.top() + 2 + i * lineHeight, box.width() - 4,
                                    lineHeight);
                    if (row.bottom() > box.bottom())
                        break;
                    if (i == o.selectedOption) {
                        p.fillRect(row, QColor(0, 0, 128));
                        p.setPen(Qt::white);
                    }
                    p.drawText(row.adjusted(2, 0, 0, 0), Qt::AlignVCenter, o.options[i]);
                    p.setPen(Qt::black);
                }
            } else {
                const int shown = o.selectedOption >= 0 ? o.selectedOption : 0;
                if (shown < o.options.size())
                    p.drawText(box.adjusted(4, 0, -20, 0), Qt::AlignVCenter, o.options[shown]);
                const QRect button(box.right() - 17, box.top() + 2, 16, box.height() - 4);
                p.fillRect(button, face);
                QPolygon arrow;
                const QPoint c = button.center();
                arrow << QPoint(c.x() - 4, c.y() - 2) << QPoint(c.x() + 4, c.y() - 2)
                      << QPoint(c.x(), c.y() + 2);
                p.setBrush(Qt::black);
                p.drawPolygon(arrow);
                p.setBrush(Qt::NoBrush);
            }
            break;
        }
        case K::TextArea: {
            sunken(box, Qt::white);
            p.setPen(Qt::black);
            const int lineHeight = QFontMetrics(font).height();
            p.save();
            p.setClipRect(box.adjusted(2, 2, -2, -2), Qt::IntersectClip);
            for (int i = 0; i < o.options.size(); ++i)
                p.drawText(QRect(box.left() + 4, box.top() + 3 + i * lineHeight, box.width() - 8,
                                 lineHeight),
                           Qt::AlignVCenter, o.options[i]);
            p.restore();
            break;
        }
        case K::Hidden:
            break;
        }
    }
    if (selected)
        p.fillRect(box, QColor(0, 0, 128, 96));
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
