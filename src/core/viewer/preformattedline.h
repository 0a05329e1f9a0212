// One line of preformatted text: every space is kept and the line never wraps.
#pragma once

#include "viewer/textsection.h"

class PreformattedLine : public TextSection {
public:
    static constexpr int LineWidth = 32000;
    static constexpr int NarrowestLimit = 500;

    using TextSection::TextSection;
    Kind kind() const override { return Kind::Preformatted; }
    void addText(QStringView text, const SourceMap &sources = SourceMap()) override;
    void minMaxWidth(LayoutContext &ctx, int &minWidth, int &maxWidth) override;

protected:
    int rightEdge(const IndentManager &indents, int y) const override;
};
