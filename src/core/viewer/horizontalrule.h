// A horizontal rule: a fixed band of space with an engraved line across the available width.
#pragma once

#include "viewer/spacingsection.h"

class HorizontalRule : public SpacingSection {
public:
    Kind kind() const override { return Kind::Rule; }
    int nominalHeight() const override { return 20; }
    int layout(LayoutContext &ctx, int y, int width, IndentManager &indents,
               int &maxWidth) override;
    void draw(DrawContext &dc) const override;

    int left() const { return m_left; }
    int right() const { return m_right; }

private:
    int m_left = 0;
    int m_right = 0;
};
