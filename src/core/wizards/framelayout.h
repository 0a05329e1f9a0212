// The frame wizard's model: a page divided into 2 to 9 rows or columns, each divided into 1 to 9
// frames, sized in units of a 300 x 200 area (1 % of the width is 3 units, 1 % of the height 2),
// and the FRAMESET block it turns into.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct FrameRecord {
    int number = 0;
    int width = 0;  // width units
    int height = 0; // height units
    QString url;
    QString marginWidth = QStringLiteral("0");
    QString marginHeight = QStringLiteral("0");
    QString scrolling = QStringLiteral("Auto");
    bool noResize = false;
    QString name;
    QString frameborder;
    QString bordercolor = QStringLiteral("no");
    QString framespacing;
};

struct FramesetAttributes {
    QString border;
    QString bordercolor = QStringLiteral("no");
    QString frameborder;
};

class FrameLayout {
public:
    enum class Direction { Rows, Columns };
    static constexpr int AreaWidth = 300;
    static constexpr int AreaHeight = 200;
    static constexpr int MaxGroups = 9;
    static constexpr int MaxFrames = 9;

    // One entry of `framesPerGroup` per row (or column), each clamped to 1..9; 2 to 9 groups.
    FrameLayout(Direction direction, const QList<int> &framesPerGroup);

    Direction direction() const { return m_direction; }
    int groupCount() const { return int(m_frames.size()); }
    int frameCount(int group) const { return int(m_frames.at(group).size()); }
    FrameRecord &frame(int group, int index) { return m_frames[group][index]; }
    const FrameRecord &frame(int group, int index) const { return m_frames.at(group).at(index); }

    // Percentages as shown and written: the units over 3 (widths) or 2 (heights), halves to even.
    static int widthPercent(int units);
    static int heightPercent(int units);

    // Sets the frame's width (height) to `percent`, taking the difference from the next row,
    // column or frame. Refused (false, nothing changes) for the last one, or when the next one
    // would shrink below its minimum: 1 unit for a row or column, 2 units for a frame.
    bool setWidthPercent(int group, int index, int percent);
    bool setHeightPercent(int group, int index, int percent);

    FramesetAttributes frameset;

private:
    // Resizes along the groups (the whole row or column moves) or within one group.
    bool resizeGroup(int group, int units, bool widths);
    bool resizeFrame(int group, int index, int units, bool widths);

    Direction m_direction;
    QList<QList<FrameRecord>> m_frames;
};

// The outer FRAMESET line, an inner FRAMESET per row or column of several frames, one FRAME line
// per frame, "</FRAMESET>", then "\end" and the caret code "0000". `reference` turns a URL into
// the text written into SRC.
QStringList buildFramesetBlock(const FrameLayout &layout,
                               const std::function<QString(const QString &)> &reference);
