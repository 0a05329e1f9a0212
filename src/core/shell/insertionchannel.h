// The way dialogs hand text to the current editor. A hand-over is delivered by a queued signal,
// so the dialog that made it has closed before its text arrives; until then a later hand-over of
// the same kind replaces the earlier one.
#pragma once

#include "editor/textcommands.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

// Everything of one hand-over goes into the document as one undo step.
struct PendingInsertion {
    QString startText;
    QString endText;
    bool pending = false;
    // When set, the selection is first replaced by this text, which is then wrapped.
    std::optional<QString> selectionText;
};

// Lines of a multi-line insertion, then "\end", then the four-digit caret code (column, count).
struct PendingBlock {
    QStringList lines;
    bool pending = false;
    // Changes made first (a script's body attribute and element), then the caret goes to the
    // start of `caretLine` (when not -1) and the lines go in below it.
    TextEdits edits;
    int caretLine = -1;
};

class InsertionChannel : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Text to put before and after the selection of the current editor (see PendingInsertion).
    void setPendingInsertion(const QString &start, const QString &end,
                             const std::optional<QString> &selectionText = std::nullopt);
    // Whole lines to insert below the caret's line (see applyPendingBlock).
    void setPendingBlock(const QStringList &lines);
    void setPendingBlock(const PendingBlock &block);
    bool hasPending() const { return m_insertion.pending || m_block.pending; }

Q_SIGNALS:
    // Emitted from the event loop, an insertion before a block handed over at the same time.
    void insertionArrived(const PendingInsertion &insertion);
    void blockArrived(const PendingBlock &block);

private:
    void scheduleDelivery();
    void deliver();

    PendingInsertion m_insertion;
    PendingBlock m_block;
    bool m_scheduled = false;
};
