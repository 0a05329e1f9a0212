#include "wizards/framelayout.h"

#include "wizards/htmlattributes.h"
#include "wizards/tablebuilder.h"

#include <QtGlobal>
#include <cmath>

namespace {

// Round half to even, as the percentages have always been shown.
int roundEven(double value) { return int(std::nearbyint(value)); }

} // namespace

FrameLayout::FrameLayout(Direction direction, const QList<int> &framesPerGroup)
    : m_direction(direction) {
    const int groups = qBound(1, int(framesPerGroup.size()), MaxGroups);
    const bool columns = direction == Direction::Columns;
    int number = 1;
    for (int g = 0; g < groups; ++g) {
        const int frames = qBound(1, framesPerGroup.at(g), MaxFrames);
        QList<FrameRecord> list;
        for (int f = 0; f < frames; ++f) {
            FrameRecord r;
            r.number = number++;
            r.width = roundEven(double(AreaWidth) / (columns ? groups : frames));
            r.height = roundEven(double(AreaHeight) / (columns ? frames : groups));
            list << r;
        }
        m_frames << list;
    }
}

int FrameLayout::widthPercent(int units) { return roundEven(units / 3.0); }

int FrameLayout::heightPercent(int units) { return roundEven(units * 0.5); }

bool FrameLayout::setWidthPercent(int group, int index, int percent) {
    if (percent < 1)
        return false;
    return m_direction == Direction::Columns ? resizeGroup(group, percent * 3, true)
                                             : resizeFrame(group, index, percent * 3, true);
}

bool FrameLayout::setHeightPercent(int group, int index, int percent) {
    if (percent < 1)
        return false;
    return m_direction == Direction::Rows ? resizeGroup(group, percent * 2, false)
                                          : resizeFrame(group, index, percent * 2, false);
}

bool FrameLayout::resizeGroup(int group, int units, bool widths) {
    if (group + 1 >= groupCount())
        return false;
    auto size = [widths](FrameRecord &r) -> int & { return widths ? r.width : r.height; };
    const int d = units - size(m_frames[group][0]);
    if (size(m_frames[group + 1][0]) - d < 1)
        return false;
    for (FrameRecord &r : m_frames[group])
        size(r) += d;
    for (FrameRecord &r : m_frames[group + 1])
        size(r) -= d;
    return true;
}

bool FrameLayout::resizeFrame(int group, int index, int units, bool widths) {
    if (index + 1 >= frameCount(group))
        return false;
    FrameRecord &current = m_frames[group][index];
    FrameRecord &next = m_frames[group][index + 1];
    int &mine = widths ? current.width : current.height;
    int &theirs = widths ? next.width : next.height;
    const int d = units - mine;
    if (theirs - d < 2)
        return false;
    mine += d;
    theirs -= d;
    return true;
}

QStringList buildFramesetBlock(const FrameLayout &layout,
                               const std::function<QString(const QString &)> &reference) {
    const bool columns = layout.direction() == FrameLayout::Direction::Columns;
    // Columns share a width and split their height; rows the other way round.
    auto outerPercent = [columns](const FrameRecord &r) {
        return columns ? FrameLayout::widthPercent(r.width) : FrameLayout::heightPercent(r.height);
    };
    auto innerPercent = [columns](const FrameRecord &r) {
        return columns ? FrameLayout::heightPercent(r.height) : FrameLayout::widthPercent(r.width);
    };
    const QString outerName = columns ? QStringLiteral("COLS") : QStringLiteral("ROWS");
    const QString innerName = columns ? QStringLiteral("ROWS") : QStringLiteral("COLS");

    QString head = QStringLiteral("<FRAMESET ") + innerName + QStringLiteral("=\"100%\" ") +
                   outerName + QStringLiteral("=\"");
    for (int g = 0; g + 1 < layout.groupCount(); ++g)
        head += QString::number(outerPercent(layout.frame(g, 0))) + QStringLiteral("%,");
    head += QStringLiteral("*\"");
    head += attribute("BORDER", layout.frameset.border.toUpper());
    head += colorAttribute("BORDERCOLOR", layout.frameset.bordercolor, true);
    head += attribute("FRAMEBORDER", layout.frameset.frameborder.toUpper());
    head += QLatin1Char('>');

    QStringList lines{head};
    for (int g = 0; g < layout.groupCount(); ++g) {
        const int frames = layout.frameCount(g);
        if (frames > 1) {
            QString inner = QStringLiteral("     <FRAMESET ") + innerName + QStringLiteral("=\"");
            for (int f = 0; f + 1 < frames; ++f)
                inner += QString::number(innerPercent(layout.frame(g, f))) + QStringLiteral("%,");
            lines << inner + QStringLiteral("*\">");
        }
        for (int f = 0; f < frames; ++f) {
            const FrameRecord &r = layout.frame(g, f);
            const QString name =
                r.name.isEmpty() ? QStringLiteral("FRAME%1").arg(r.number) : r.name;
            QString line = QStringLiteral("          <FRAME NAME=\"") + name +
                           QStringLiteral("\" SRC=\"") + reference(r.url) +
                           QStringLiteral("\" SCROLLING=\"") + r.scrolling.toUpper() +
                           QLatin1Char('"');
            // A margin left at "0" (or emptied) is the browser's default: not written.
            if (r.marginHeight != QLatin1String("0"))
                line += attribute("MARGINHEIGHT", r.marginHeight);
            if (r.marginWidth != QLatin1String("0"))
                line += attribute("MARGINWIDTH", r.marginWidth);
            if (r.noResize)
                line += QStringLiteral(" NORESIZE");
            line += attribute("FRAMEBORDER", r.frameborder.toUpper());
            line += colorAttribute("BORDERCOLOR", r.bordercolor, true);
            line += attribute("FRAMESPACING", r.framespacing.toUpper());
            lines << line + QLatin1Char('>');
        }
        if (frames > 1)
            lines << QStringLiteral("     </FRAMESET>");
    }
    lines << QStringLiteral("</FRAMESET>") << BlockEnd << caretCode(0, 0);
    return lines;
}
