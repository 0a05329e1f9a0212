// The vertical space of a paragraph break.
#pragma once

#include "viewer/spacingsection.h"

class ParagraphSpace : public SpacingSection {
public:
    Kind kind() const override { return Kind::ParagraphSpace; }
    int nominalHeight() const override { return 14; }
};
