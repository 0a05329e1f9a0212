// Left and right margins of a cell while it is laid out: list levels and floated images push
// the edges in for the vertical range they cover. One per cell and one for the document.
#pragma once

#include <vector>

class IndentManager {
public:
    struct Float {
        int x = 0;      // offset from the left base (left floats) or from the right edge (right)
        int top = 0;    // first y covered
        int bottom = 0; // last y covered
        int level = 0;  // list level of the record, 0 for images and ended list levels
    };

    static constexpr int ListIndent = 35;
    static constexpr int FloatGap = 5;
    static constexpr int OpenBottom = 9999999;

    void reset(int leftBase, int width);

    int leftBase() const { return m_leftBase; }
    int width() const { return m_width; }
    int level() const { return m_level; }

    int leftIndent(int y) const;
    int rightSide(int y) const;
    // The lowest bottom of the image floats of either side, 0 when there are none.
    int imageBottom() const;
    // Nothing indents or floats at y or below it: what is laid out from y lays out as it would
    // in a fresh manager.
    bool isClearAt(int y) const;

    // Brings the list level to `level` at y: each level added indents by ListIndent from the
    // left edge at y, each level removed ends at y - 1.
    void setLevel(int level, int y);
    // Register a floated image of the given size at y; return the image's x.
    int addLeftFloat(int y, int width, int height);
    int addRightFloat(int y, int width, int height);

private:
    void forgetEnded(int y);

    std::vector<Float> m_left;
    std::vector<Float> m_right;
    int m_leftBase = 0;
    int m_width = 0;
    int m_level = 0;
    int m_endedBottom = 0; // the lowest bottom of image floats already forgotten
    bool m_hasImages = false;
};
