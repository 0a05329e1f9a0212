// An item of an unordered list: a text section with a bullet before its first line. The
// bullet's shape follows the list level.
#pragma once

#include "viewer/textsection.h"

class BulletItem : public TextSection {
public:
    using TextSection::TextSection;
    Kind kind() const override { return Kind::Bullet; }

protected:
    void drawMarker(DrawContext &dc) const override;
    // Font metrics of the marker: those of the item's first character.
    int markerAscent(const DrawContext &dc) const;
};
