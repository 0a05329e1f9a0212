#include "viewer/inlineobjects.h"

#include "viewer/documentfont.h"
#include "viewer/drawcontext.h"
#include "viewer/fontmetricsport.h"
#include "viewer/imageprovider.h"
#include "viewer/layoutcontext.h"
#include "viewer/layoutmath.h"

#include <QPainter>

namespace {

using K = InlineObject::ControlKind;

const QColor Light(255, 255, 255);
const QColor Shadow(128, 128, 128);
const QColor Face(212, 208, 200);

void sizeImage(LayoutContext &ctx, InlineObject &o) {
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
}

void sizeControl(LayoutContext &ctx, InlineObject &o, const DocumentFont &font) {
    const FontMetricsInfo info = ctx.metrics->metrics(font);
    const int charWidth = qMax(1, ctx.metrics->textWidth(font, u"x"));
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

void drawImage(DrawContext &dc, const InlineObject &o, const QRect &box, const QColor &textColor) {
    QPainter &p = *dc.painter;
    const QRect inner = box.adjusted(o.border, o.border, -o.border, -o.border);
    QImage image;
    if (dc.viewImages && dc.images)
        image = dc.images->image(o.source);
    if (!image.isNull() && inner.isValid()) {
        p.drawImage(inner, image);
    } else {
        p.setPen(Shadow);
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
}

// A field's frame: shadow above and left, light below and right.
void drawSunken(QPainter &p, const QRect &r, const QColor &fill) {
    p.fillRect(r, fill);
    p.setPen(Shadow);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Light);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void drawTextField(QPainter &p, const InlineObject &o, const QRect &box) {
    drawSunken(p, box, Qt::white);
    p.setPen(Qt::black);
    QString shown = o.value;
    if (o.kind == K::Password)
        shown.fill(u'*');
    p.drawText(box.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, shown);
}

void drawButton(QPainter &p, const InlineObject &o, const QRect &box) {
    p.fillRect(box, Face);
    p.setPen(Light);
    p.drawLine(box.topLeft(), box.topRight());
    p.drawLine(box.topLeft(), box.bottomLeft());
    p.setPen(Shadow);
    p.drawLine(box.bottomLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomRight());
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, o.value);
}

void drawCheckbox(QPainter &p, const InlineObject &o, const QRect &box) {
    drawSunken(p, box, Qt::white);
    if (!o.checked)
        return;
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(box.left() + 3, box.center().y(), box.center().x(), box.bottom() - 3);
    p.drawLine(box.center().x(), box.bottom() - 3, box.right() - 3, box.top() + 3);
}

void drawRadio(QPainter &p, const InlineObject &o, const QRect &box) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Shadow);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    if (o.checked) {
        p.setBrush(Qt::black);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(box).adjusted(4, 4, -4, -4));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
}

// A list box shows its options with the chosen one marked; a drop-down the chosen option and
// its arrow button.
void drawSelect(QPainter &p, const InlineObject &o, const QRect &box, int lineHeight) {
    drawSunken(p, box, Qt::white);
    p.setPen(Qt::black);
    if (o.size > 1 || o.multiple) {
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
        return;
    }
    const int shown = o.selectedOption >= 0 ? o.selectedOption : 0;
    if (shown < o.options.size())
        p.drawText(box.adjusted(4, 0, -20, 0), Qt::AlignVCenter, o.options[shown]);
    const QRect button(box.right() - 17, box.top() + 2, 16, box.height() - 4);
    p.fillRect(button, Face);
    QPolygon arrow;
    const QPoint c = button.center();
    arrow << QPoint(c.x() - 4, c.y() - 2) << QPoint(c.x() + 4, c.y() - 2)
          << QPoint(c.x(), c.y() + 2);
    p.setBrush(Qt::black);
    p.drawPolygon(arrow);
    p.setBrush(Qt::NoBrush);
}

void drawTextArea(QPainter &p, const InlineObject &o, const QRect &box, int lineHeight) {
    drawSunken(p, box, Qt::white);
    p.setPen(Qt::black);
    p.save();
    p.setClipRect(box.adjusted(2, 2, -2, -2), Qt::IntersectClip);
    for (int i = 0; i < o.options.size(); ++i)
        p.drawText(QRect(box.left() + 4, box.top() + 3 + i * lineHeight, box.width() - 8,
                         lineHeight),
                   Qt::AlignVCenter, o.options[i]);
    p.restore();
}

void drawControl(QPainter &p, const QFont &font, const InlineObject &o, const QRect &box) {
    p.setFont(font);
    const int lineHeight = QFontMetrics(font).height();
    switch (o.kind) {
    case K::TextField:
    case K::Password:
        drawTextField(p, o, box);
        break;
    case K::Submit:
    case K::Reset:
    case K::Button:
        drawButton(p, o, box);
        break;
    case K::Checkbox:
        drawCheckbox(p, o, box);
        break;
    case K::Radio:
        drawRadio(p, o, box);
        break;
    case K::Select:
        drawSelect(p, o, box, lineHeight);
        break;
    case K::TextArea:
        drawTextArea(p, o, box, lineHeight);
        break;
    case K::Hidden:
        break;
    }
}

} // namespace

void sizeInlineObject(LayoutContext &ctx, InlineObject &object, const DocumentFont &font) {
    if (object.type == InlineObject::Type::Image)
        sizeImage(ctx, object);
    else
        sizeControl(ctx, object, font);
}

void drawInlineObject(DrawContext &dc, const InlineObject &o, const DocumentFont &font,
                      bool selected) {
    if (o.width <= 0 || o.height <= 0)
        return;
    const QRect box(dc.origin.x() + o.x, o.y, o.width, o.height);
    if (!box.intersects(dc.clip))
        return;
    QPainter &p = *dc.painter;
    if (o.type == InlineObject::Type::Image) {
        drawImage(dc, o, box, QColor::fromRgb(font.color));
    } else {
        drawControl(p, dc.metrics->qfont(font), o, box);
    }
    if (selected)
        p.fillRect(box, QColor(0, 0, 128, 96));
}
