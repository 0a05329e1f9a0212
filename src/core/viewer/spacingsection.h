// Common part of the sections that are only vertical space: a paragraph break, the space
// around a heading. Their nominal height is scaled by the document's default font size.
#pragma once

#include "viewer/sectionbase.h"

class SpacingSection : public SectionBase {
public:
    int layout(LayoutContext &ctx, int y, int width, IndentManager &indents,
               int &maxWidth) override;
    void minMaxWidth(LayoutContext &, int &minWidth, int &maxWidth) override {
        minWidth = 0;
        maxWidth = 0;
    }
    void copyText(int from, int to, QString &out) const override;
    int assignPositions(int start) override {
        m_position = start;
        return start + 1;
    }

    // The height at a default font size of 12.
    virtual int nominalHeight() const = 0;

protected:
    int m_position = 0;
};
