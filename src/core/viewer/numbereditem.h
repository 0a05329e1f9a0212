// An item of an ordered list: a text section with its number before the first line.
#pragma once

#include "viewer/bulletitem.h"

class NumberedItem : public BulletItem {
public:
    NumberedItem(int level, int alignment, int fontId, const QString &link, int number)
        : BulletItem(level, alignment, fontId, link), m_number(number) {}
    Kind kind() const override { return Kind::Numbered; }
    int number() const { return m_number; }

protected:
    void drawMarker(DrawContext &dc) const override;

private:
    int m_number;
};
