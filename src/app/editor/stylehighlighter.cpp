#include "editor/stylehighlighter.h"

#include <QTextBlockUserData>

namespace {
// What a block was last painted with; a block without it has never been painted.
struct PaintedStyles : QTextBlockUserData {
    explicit PaintedStyles(quint64 s) : signature(s) {}
    quint64 signature;
};
} // namespace

StyleHighlighter::StyleHighlighter(QTextDocument *document, const StyleBuffer &styles,
                                   const SoftBreaks &breaks)
    : QSyntaxHighlighter(document), m_styles(styles), m_breaks(breaks) {
    // Left connected, every change would repaint all blocks it touched, which for a loaded page
    // means every block; the editor asks for the blocks it is about to draw instead.
    disconnect(document, nullptr, this, nullptr);
    setColors(Qt::blue, QColor(0x80, 0, 0));
}

void StyleHighlighter::setColors(const QColor &tag, const QColor &comment) {
    m_tagFormat.setForeground(tag);
    m_commentFormat.setForeground(comment);
    ++m_colorGeneration;
}

quint64 StyleHighlighter::signature(const QTextBlock &block) const {
    const int length = block.length() - 1;
    const int pos = m_breaks.toText(block.position());
    if (pos + length > m_styles.size())
        return 0;
    return m_styles.hash(pos, length) ^ (m_colorGeneration * 0x9E3779B97F4A7C15ull);
}

bool StyleHighlighter::isCurrent(const QTextBlock &block) const {
    const auto *painted = static_cast<const PaintedStyles *>(block.userData());
    return painted && painted->signature == signature(block);
}

void StyleHighlighter::highlightBlock(const QString &text) {
    const QTextBlock block = currentBlock();
    const int pos = m_breaks.toText(block.position());
    const int length = int(text.size());
    if (pos + length > m_styles.size()) {
        setCurrentBlockUserData(nullptr);
        return;
    }
    int runStart = 0;
    CharStyle runStyle = CharStyle::Text;
    for (int i = 0; i <= length; ++i) {
        const CharStyle style = i < length ? m_styles.at(pos + i) : CharStyle::Text;
        if (i < length && style == runStyle)
            continue;
        if (runStyle != CharStyle::Text)
            setFormat(runStart, i - runStart,
                      runStyle == CharStyle::Tag ? m_tagFormat : m_commentFormat);
        runStart = i;
        runStyle = style;
    }
    setCurrentBlockUserData(new PaintedStyles(signature(block)));
}
