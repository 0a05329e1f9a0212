// The viewer's mouse and keyboard: pointing at and following links, selecting and copying text,
// scrolling while a selection is dragged past the edge, the context menu.
#include "viewer/htmlviewer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

QString HtmlViewer::linkAt(const QPoint &viewportPos) const {
    return m_doc->linkAt(toDocument(viewportPos));
}

int HtmlViewer::positionAt(const QPoint &viewportPos) const {
    const int c = m_doc->cursorAt(toDocument(viewportPos));
    return qMax(0, c);
}

void HtmlViewer::mousePressEvent(QMouseEvent *event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    m_pressPos = event->position().toPoint();
    m_lastMousePos = m_pressPos;
    const bool had = hasSelection();
    m_selectionAnchor = m_selectionCursor = positionAt(m_pressPos);
    m_selecting = !m_noSelect;
    if (had)
        viewport()->update();
}

void HtmlViewer::extendSelection(const QPoint &viewportPos) {
    const int c = positionAt(viewportPos);
    if (c != m_selectionCursor) {
        m_selectionCursor = c;
        viewport()->update();
    }
}

void HtmlViewer::mouseMoveEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    m_lastMousePos = pos;
    const QString link = linkAt(pos);
    if (link != m_hoverLink) {
        m_hoverLink = link;
        if (link.isEmpty())
            viewport()->unsetCursor();
        else
            viewport()->setCursor(Qt::PointingHandCursor);
        Q_EMIT hotSpotCovered(link);
    }
    if (m_selecting && (event->buttons() & Qt::LeftButton)) {
        extendSelection(pos);
        const bool outside = pos.y() < 0 || pos.y() >= viewport()->height();
        if (outside && !m_autoScroll.isActive()) {
            autoScroll();
            m_autoScroll.start();
        } else if (!outside) {
            m_autoScroll.stop();
        }
    }
}

// While the mouse is held above or below the page, the view scrolls one step (four when the
// mouse is further than 15 pixels away) every 100 ms and the selection follows.
void HtmlViewer::autoScroll() {
    const int y = m_lastMousePos.y();
    int delta = 0;
    if (y < 0)
        delta = y < -15 ? -4 * ScrollStep : -ScrollStep;
    else if (y >= viewport()->height())
        delta = y - viewport()->height() > 15 ? 4 * ScrollStep : ScrollStep;
    if (delta == 0 || !m_selecting) {
        m_autoScroll.stop();
        return;
    }
    verticalScrollBar()->setValue(verticalScrollBar()->value() + delta);
    extendSelection(m_lastMousePos);
}

void HtmlViewer::mouseReleaseEvent(QMouseEvent *event) {
    m_autoScroll.stop();
    const bool wasSelecting = m_selecting;
    m_selecting = false;
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    if ((pos - m_pressPos).manhattanLength() > QApplication::startDragDistance() && wasSelecting &&
        hasSelection())
        return;
    if (m_sourceClicks) {
        const int offset = sourceOffsetAt(pos);
        if (offset >= 0)
            Q_EMIT sourceClicked(offset);
        return;
    }
    const QString link = linkAt(pos);
    if (!link.isEmpty()) {
        m_selectionAnchor = m_selectionCursor;
        followLink(link);
    }
}

void HtmlViewer::mouseDoubleClickEvent(QMouseEvent *event) {
    // Selects the word under the mouse.
    if (m_noSelect || event->button() != Qt::LeftButton)
        return;
    const int at = positionAt(event->position().toPoint());
    int start = at, end = at;
    auto charAt = [&](int position) {
        QString one;
        m_doc->copyText(position, position + 1, one);
        return one.isEmpty() ? QChar(u' ') : one.at(0);
    };
    while (start > 0 && charAt(start - 1).isLetterOrNumber())
        --start;
    while (end < m_doc->positionCount() && charAt(end).isLetterOrNumber())
        ++end;
    m_selectionAnchor = start;
    m_selectionCursor = end;
    viewport()->update();
}

void HtmlViewer::leaveEvent(QEvent *event) {
    if (!m_hoverLink.isEmpty()) {
        m_hoverLink.clear();
        viewport()->unsetCursor();
        Q_EMIT hotSpotCovered(QString());
    }
    QAbstractScrollArea::leaveEvent(event);
}

void HtmlViewer::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Home:
        verticalScrollBar()->setValue(0);
        return;
    case Qt::Key_End:
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        return;
    case Qt::Key_Up:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return;
    case Qt::Key_Down:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return;
    case Qt::Key_PageUp:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
        return;
    case Qt::Key_PageDown:
    case Qt::Key_Space:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        return;
    case Qt::Key_Backspace:
        if (canGoBack()) {
            goBack();
            return;
        }
        break;
    default:
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

QString HtmlViewer::selectedText() const {
    if (!hasSelection())
        return {};
    QString text;
    m_doc->copyText(qMin(m_selectionAnchor, m_selectionCursor),
                   qMax(m_selectionAnchor, m_selectionCursor), text);
    while (text.endsWith(u'\n') || text.endsWith(u' '))
        text.chop(1);
    return text;
}

void HtmlViewer::copySelection() {
    const QString text = selectedText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void HtmlViewer::selectAll() {
    if (m_noSelect)
        return;
    m_selectionAnchor = 0;
    m_selectionCursor = m_doc->positionCount();
    viewport()->update();
}

void HtmlViewer::clearSelection() {
    if (!hasSelection())
        return;
    m_selectionAnchor = m_selectionCursor = 0;
    viewport()->update();
}

void HtmlViewer::setContextMenu(QMenu *menu) {
    m_contextMenu = menu;
}

void HtmlViewer::contextMenuEvent(QContextMenuEvent *event) {
    QMenu own;
    QMenu *menu = m_contextMenu ? m_contextMenu.data() : &own;
    QList<QAction *> added;
    if (m_historyMaxCount > 0) {
        m_backAction->setEnabled(canGoBack());
        m_forwardAction->setEnabled(canGoForward());
        if (!menu->isEmpty())
            added << menu->addSeparator();
        menu->addAction(m_backAction);
        menu->addAction(m_forwardAction);
        added << m_backAction << m_forwardAction;
    }
    if (!menu->isEmpty())
        menu->exec(event->globalPos());
    if (m_contextMenu)
        for (QAction *a : added) {
            m_contextMenu->removeAction(a);
            if (a != m_backAction && a != m_forwardAction)
                delete a;
        }
}
