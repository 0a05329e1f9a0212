// The vertical space before and after a heading; its height depends on the heading level.
#pragma once

#include "viewer/spacingsection.h"

class HeadingSpace : public SpacingSection {
public:
    explicit HeadingSpace(int level) : m_level(level) {}
    Kind kind() const override { return Kind::HeadingSpace; }
    int level() const { return m_level; }
    int nominalHeight() const override;

private:
    int m_level;
};
