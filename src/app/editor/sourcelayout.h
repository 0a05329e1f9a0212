// The line layout of the source editor. Qt's plain-text layout measures every line of the
// document again whenever its widest line gets narrower (a Backspace at the end of the longest
// line), and gives each line a layout object on the way: on a page of a million lines that is a
// second and some 300 MiB for one keystroke. This layout lays out the lines itself, the same way,
// and keeps the widest width seen until the text is replaced: the horizontal scroll bar may stay
// a little longer than the widest line, as in most editors.
#pragma once

#include <QPlainTextDocumentLayout>
#include <QPointer>
#include <QStringView>
#include <vector>

class SourceLayout : public QPlainTextDocumentLayout {
    Q_OBJECT
public:
    // `view` gives the width wrapped lines are laid out to.
    SourceLayout(QTextDocument *document, QWidget *view);

    QRectF blockBoundingRect(const QTextBlock &block) const override;
    QSizeF documentSize() const override;
    // The widget whose width wrapped lines take (none: no wrapping width).
    void setView(QWidget *view) { m_view = view; }
    // Makes the document at least as wide as these lines of its text will be once laid out, so
    // that the width is known before they are (a large page is laid out as it is shown).
    void reserveWidthFor(const std::vector<QStringView> &lines);

protected:
    void documentChanged(int from, int removed, int added) override;

private:
    void layOut(const QTextBlock &block);
    // The widget learns a new size once the event loop is back: it may be asking for a block's
    // geometry while it sizes its scroll bars.
    void announceSize();

    QPointer<QWidget> m_view;
    qreal m_widest = 0;
    int m_blocks = 1;
    bool m_sizePending = false;
};
