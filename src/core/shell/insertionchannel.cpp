#include "shell/insertionchannel.h"

#include <QMetaObject>

#include <utility>

void InsertionChannel::setPendingInsertion(const QString &start, const QString &end,
                                           const std::optional<QString> &selectionText) {
    m_insertion = {start, end, true, selectionText};
    scheduleDelivery();
}

void InsertionChannel::setPendingBlock(const QStringList &lines) {
    PendingBlock block;
    block.lines = lines;
    setPendingBlock(block);
}

void InsertionChannel::setPendingBlock(const PendingBlock &block) {
    m_block = block;
    m_block.pending = true;
    scheduleDelivery();
}

void InsertionChannel::scheduleDelivery() {
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(this, &InsertionChannel::deliver, Qt::QueuedConnection);
}

void InsertionChannel::deliver() {
    m_scheduled = false;
    // Taken out first: a receiver may hand over something new while it works.
    const PendingInsertion insertion = std::exchange(m_insertion, {});
    const PendingBlock block = std::exchange(m_block, {});
    if (insertion.pending)
        Q_EMIT insertionArrived(insertion);
    if (block.pending)
        Q_EMIT blockArrived(block);
}
