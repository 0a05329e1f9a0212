// Paints blocks of a source editor's document from the editor's per-character styles: tags and
// comments get their colour as a layout format, text keeps the editor's text colour. Owned by the
// SourceEditor, which asks for the blocks about to be drawn; formats never enter the undo history.
#pragma once

#include "editor/softbreaks.h"
#include "editor/stylebuffer.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class StyleHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    StyleHighlighter(QTextDocument *document, const StyleBuffer &styles, const SoftBreaks &breaks);

    void setColors(const QColor &tag, const QColor &comment);
    // True when the block shows its current styles in the current colours.
    bool isCurrent(const QTextBlock &block) const;

protected:
    void highlightBlock(const QString &text) override;

private:
    quint64 signature(const QTextBlock &block) const;

    const StyleBuffer &m_styles;
    const SoftBreaks &m_breaks; // styles are kept by text position
    QTextCharFormat m_tagFormat;
    QTextCharFormat m_commentFormat;
    quint64 m_colorGeneration = 1;
};
