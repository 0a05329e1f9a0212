#include "viewer/headingspace.h"

#include <array>

int HeadingSpace::nominalHeight() const {
    static const std::array<int, 7> heights = {8, 16, 12, 10, 8, 6, 4};
    return m_level >= 0 && m_level <= 6 ? heights[size_t(m_level)] : 8;
}
