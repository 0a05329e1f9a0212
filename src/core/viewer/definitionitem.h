// A term or definition of a definition list: indented like a list item, without a marker.
#pragma once

#include "viewer/bulletitem.h"

class DefinitionItem : public BulletItem {
public:
    using BulletItem::BulletItem;
    Kind kind() const override { return Kind::Definition; }

protected:
    void drawMarker(DrawContext &) const override {}
};
