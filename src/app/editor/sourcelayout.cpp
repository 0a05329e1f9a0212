#include "editor/sourcelayout.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QWidget>
#include <climits>
#include <cmath>

SourceLayout::SourceLayout(QTextDocument *document, QWidget *view)
    : QPlainTextDocumentLayout(document), m_view(view), m_blocks(document->blockCount()) {}

QRectF SourceLayout::blockBoundingRect(const QTextBlock &block) const {
    // Laid out here first, so that the base class finds the lines and lays out nothing itself.
    if (block.isValid() && block.layout()->lineCount() == 0)
        const_cast<SourceLayout *>(this)->layOut(block);
    return QPlainTextDocumentLayout::blockBoundingRect(block);
}

QSizeF SourceLayout::documentSize() const {
    // Wrapped lines are as wide as the view, whatever width they were laid out to before.
    const bool wrapped = document()->defaultTextOption().wrapMode() != QTextOption::NoWrap;
    return QSizeF(wrapped && m_view ? qreal(m_view->width()) : m_widest, document()->lineCount());
}

void SourceLayout::documentChanged(int from, int removed, int added) {
    QTextDocument *doc = document();
    if (from == 0 && added >= doc->characterCount() - 1)
        m_widest = 0; // a new text
    const int blocks = doc->blockCount();
    const QTextBlock first = doc->findBlock(from);
    const QTextBlock last = doc->findBlock(qMax(0, from + removed + added - 1));
    if (first == last && blocks == m_blocks) {
        // A change within one line (typing): the one case in which the base class lays out.
        if (first.isValid() && first.length()) {
            const qreal before = blockBoundingRect(first).height();
            layOut(first);
            if (blockBoundingRect(first).height() == before) {
                Q_EMIT updateBlock(first);
                return;
            }
        }
        Q_EMIT update(QRectF(0., -doc->documentMargin(), 1000000000., 1000000000.));
        return;
    }
    // Lines come or go: the base class drops their layouts and counts them, laying out nothing.
    m_blocks = blocks;
    QPlainTextDocumentLayout::documentChanged(from, removed, added);
}

void SourceLayout::layOut(const QTextBlock &block) {
    QTextDocument *doc = document();
    const qreal margin = doc->documentMargin();
    QTextLayout *layout = block.layout();
    const QTextOption option = doc->defaultTextOption();
    layout->setTextOption(option);
    qreal extra = 0;
    if (option.flags() & QTextOption::AddSpaceForLineAndParagraphSeparators)
        extra = QFontMetricsF(block.charFormat().font()).horizontalAdvance(QChar(0x21B5));
    qreal available = m_view ? qreal(m_view->width()) : 0;
    if (available <= 0)
        available = qreal(INT_MAX);
    available -= 2 * margin + extra;
    qreal height = 0;
    qreal widest = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(available);
        line.setPosition(QPointF(margin, height));
        height += line.height();
        if (line.leading() < 0)
            height += std::ceil(line.leading());
        widest = qMax(widest, line.naturalTextWidth() + 2 * margin);
    }
    layout->endLayout();
    const int linesBefore = doc->lineCount();
    QTextBlock(block).setLineCount(block.isVisible() ? layout->lineCount() : 0);
    if (widest > m_widest || doc->lineCount() != linesBefore) {
        m_widest = qMax(m_widest, widest);
        announceSize();
    }
}

void SourceLayout::reserveWidthFor(const std::vector<QStringView> &lines) {
    QTextDocument *doc = document();
    const QTextOption option = doc->defaultTextOption();
    if (option.wrapMode() != QTextOption::NoWrap)
        return; // wrapped lines are as wide as the view
    qreal widest = 0;
    for (const QStringView line : lines) {
        // As layOut measures a block.
        QTextLayout layout(line.toString(), doc->defaultFont());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(qreal(INT_MAX));
            widest = qMax(widest, l.naturalTextWidth());
        }
        layout.endLayout();
    }
    widest += 2 * doc->documentMargin();
    if (widest > m_widest) {
        m_widest = widest;
        announceSize();
    }
}

void SourceLayout::announceSize() {
    if (m_sizePending)
        return;
    m_sizePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_sizePending = false;
            Q_EMIT documentSizeChanged(documentSize());
        },
        Qt::QueuedConnection);
}
