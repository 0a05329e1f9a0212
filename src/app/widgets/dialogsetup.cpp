#include "widgets/dialogsetup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QBoxLayout>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

namespace {

// Widgets whose inner parts (an edit field, a viewport) are theirs alone.
bool isCompound(const QWidget *w) {
    if (qobject_cast<const QScrollArea *>(w))
        return false;
    return qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
           qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QLineEdit *>(w);
}

bool takesTab(const QWidget *w) {
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

class Walk {
public:
    explicit Walk(QWidget *root) : m_root(root) {}

    QList<QWidget *> order() {
        visitChildren(m_root);
        return m_found;
    }

private:
    void visitWidget(QWidget *w) {
        if (m_seen.contains(w) || w->isWindow())
            return;
        m_seen.append(w);
        if (takesTab(w))
            m_found.append(w);
        if (!isCompound(w))
            visitChildren(w);
    }

    // Through the widget's layout first, then whatever it holds outside a layout, by position.
    void visitChildren(QWidget *w) {
        if (w->layout())
            visitLayout(w->layout());
        QList<QWidget *> loose;
        for (QObject *o : w->children()) {
            auto *child = qobject_cast<QWidget *>(o);
            if (child && !child->isWindow() && !m_seen.contains(child))
                loose.append(child);
        }
        std::stable_sort(loose.begin(), loose.end(), [](const QWidget *a, const QWidget *b) {
            const QRect ra = a->geometry();
            const QRect rb = b->geometry();
            // Side by side when each one's middle lies within the other's height.
            const bool sameRow = ra.top() <= rb.center().y() && rb.center().y() <= ra.bottom() &&
                                 rb.top() <= ra.center().y() && ra.center().y() <= rb.bottom();
            if (sameRow)
                return ra.left() < rb.left();
            return ra.top() < rb.top();
        });
        for (QWidget *child : loose)
            visitWidget(child);
    }

    void visitItem(QLayoutItem *item) {
        if (!item)
            return;
        if (QWidget *w = item->widget())
            visitWidget(w);
        else if (QLayout *l = item->layout())
            visitLayout(l);
    }

    void visitLayout(QLayout *layout) {
        if (auto *form = qobject_cast<QFormLayout *>(layout)) {
            for (int r = 0; r < form->rowCount(); ++r)
                for (auto role : {QFormLayout::LabelRole, QFormLayout::FieldRole,
                                  QFormLayout::SpanningRole})
                    visitItem(form->itemAt(r, role));
            return;
        }
        QList<int> items;
        for (int i = 0; i < layout->count(); ++i)
            items.append(i);
        if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
            auto cell = [grid](int i) {
                int row = 0, column = 0, rows = 0, columns = 0;
                grid->getItemPosition(i, &row, &column, &rows, &columns);
                return qMakePair(row, column);
            };
            std::stable_sort(items.begin(), items.end(),
                             [&cell](int a, int b) { return cell(a) < cell(b); });
        } else if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
            const QBoxLayout::Direction d = box->direction();
            bool reversed = d == QBoxLayout::BottomToTop || d == QBoxLayout::RightToLeft;
            if (box->parentWidget() && box->parentWidget()->layoutDirection() == Qt::RightToLeft &&
                (d == QBoxLayout::LeftToRight || d == QBoxLayout::RightToLeft))
                reversed = !reversed;
            if (reversed)
                std::reverse(items.begin(), items.end());
        }
        for (int i : items)
            visitItem(layout->itemAt(i));
    }

    QWidget *m_root;
    QList<QWidget *> m_seen;
    QList<QWidget *> m_found;
};

bool takesInput(const QWidget *w) {
    return !qobject_cast<const QPushButton *>(w) && !qobject_cast<const QToolButton *>(w) &&
           !qobject_cast<const QTabBar *>(w);
}

// Keeps an editable drop-down's inline completion from turning the Enter that confirms the
// dialog into "put in the first list item": a text shown selected (as a field is, once it has
// the focus) is taken as it stands.
class EnterIsOk : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            auto *box = qobject_cast<QComboBox *>(watched);
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && box && box->lineEdit()) {
                QCompleter *c = box->lineEdit()->completer();
                const bool choosing = c && c->popup() && c->popup()->isVisible();
                if (!choosing)
                    box->lineEdit()->deselect();
            }
        }
        return false;
    }
};

class Arranger : public QObject {
public:
    Arranger(QDialog *dialog) : QObject(dialog), m_dialog(dialog), m_enter(new EnterIsOk(this)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != m_dialog)
            return false;
        if (event->type() == QEvent::Show) {
            arrange();
            // After the dialog has placed itself over its parent, which it does on this event.
            QMetaObject::invokeMethod(
                this, [this] { DialogSetup::keepOnScreen(m_dialog); }, Qt::QueuedConnection);
        } else if (event->type() == QEvent::Resize && m_dialog->isVisible()) {
            // A wizard's next page, say, grows the window where the smaller page stood.
            DialogSetup::keepOnScreen(m_dialog);
        }
        return false;
    }

private:
    void arrange() {
        // A container that hands its focus to a part of itself (a tab widget to its tab bar)
        // would be a second stop of that part in the chain: Tab visits the part alone.
        for (QWidget *w : m_dialog->findChildren<QWidget *>()) {
            QWidget *proxy = w->focusProxy();
            if (proxy && w->isAncestorOf(proxy) && !isCompound(w))
                w->setFocusPolicy(Qt::NoFocus);
        }
        const QList<QWidget *> order = DialogSetup::visualOrder(m_dialog);
        for (int i = 1; i < order.size(); ++i)
            QWidget::setTabOrder(order[i - 1], order[i]);
        for (QComboBox *box : m_dialog->findChildren<QComboBox *>()) {
            if (box->isEditable() && !box->property("marloEnterIsOk").toBool()) {
                box->installEventFilter(m_enter);
                box->setProperty("marloEnterIsOk", true);
            }
        }
        for (QTabWidget *tabs : m_dialog->findChildren<QTabWidget *>())
            focusFirstFieldOfEachPage(tabs);
        DialogSetup::focusFirstField(m_dialog);
        widenForTitle();
    }

    // Another page of tabs (Ctrl+Tab, or a click on its tab) takes the keys in its first field,
    // as the dialog does when it opens; the focus stays where it is when it was not on the tabs.
    static void focusFirstFieldOfEachPage(QTabWidget *tabs) {
        if (tabs->property("marloPageFocus").toBool())
            return;
        tabs->setProperty("marloPageFocus", true);
        QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [tabs](int index) {
            QWidget *focus = QApplication::focusWidget();
            QWidget *page = tabs->widget(index);
            if (page && focus && tabs->isAncestorOf(focus))
                DialogSetup::focusFirstField(page);
        });
    }

    void widenForTitle() {
        const int title = DialogSetup::titleWidth(m_dialog, m_dialog->windowTitle());
        QLayout *layout = m_dialog->layout();
        if (!layout || layout->sizeConstraint() != QLayout::SetFixedSize) {
            if (m_dialog->width() < title) {
                m_dialog->setMinimumWidth(title);
                m_dialog->resize(title, m_dialog->height());
            }
            return;
        }
        // A layout that fixes the window's size takes the room as an item of its own, once.
        const int deficit = title - m_dialog->sizeHint().width();
        if (deficit <= 0 || m_widened)
            return;
        m_widened = true;
        auto *box = qobject_cast<QBoxLayout *>(layout);
        if (box && (box->direction() == QBoxLayout::LeftToRight ||
                    box->direction() == QBoxLayout::RightToLeft))
            box->addSpacing(deficit);
        else
            layout->addItem(new QSpacerItem(title - layout->contentsMargins().left() -
                                                layout->contentsMargins().right(),
                                            0, QSizePolicy::Fixed, QSizePolicy::Minimum));
        layout->activate();
    }

    QDialog *m_dialog;
    EnterIsOk *m_enter;
    bool m_widened = false;
};

} // namespace

namespace DialogSetup {

void install(QDialog *dialog) {
    if (dialog->property("marloKeyboard").toBool())
        return;
    dialog->setProperty("marloKeyboard", true);
    dialog->installEventFilter(new Arranger(dialog));
}

QList<QWidget *> visualOrder(QWidget *dialog) { return Walk(dialog).order(); }

int titleWidth(const QWidget *window, const QString &title) {
    QFont font = window->font(); // title bars commonly use the bold system font
    font.setBold(true);
    const QFontMetrics metrics(font);
    // An icon and three buttons of about a line's height each, and some room between them.
    return metrics.horizontalAdvance(title) + 6 * metrics.height() + 24;
}

QWidget *firstField(QWidget *dialog) {
    for (QWidget *w : visualOrder(dialog))
        if (takesInput(w) && w->isVisibleTo(dialog->window()) && w->isEnabled())
            return w;
    return nullptr;
}

void keepOnScreen(QWidget *window) {
    const QScreen *screen = window->screen();
    if (!screen || window->property("marloPlacing").toBool())
        return;
    window->setProperty("marloPlacing", true);
    const QRect room = screen->availableGeometry();
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry(); // with the title bar, once the window has one
    QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                   outer.right() - inner.right(), outer.bottom() - inner.bottom());
    // Until the window manager has framed the window, it will have the frame its parent has.
    const QWidget *parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (frame.isNull() && parent && parent->isVisible() &&
        !(window->windowFlags() & Qt::FramelessWindowHint)) {
        const QRect pi = parent->geometry();
        const QRect po = parent->frameGeometry();
        frame = QMargins(pi.left() - po.left(), pi.top() - po.top(), po.right() - pi.right(),
                         po.bottom() - pi.bottom());
    }
    const QSize size =
        inner.size()
            .boundedTo(QSize(room.width() - frame.left() - frame.right(),
                             room.height() - frame.top() - frame.bottom()))
            .expandedTo(window->minimumSize());
    if (size != inner.size())
        window->resize(size);
    const QSize whole = size.grownBy(frame);
    QPoint at = inner.topLeft() - QPoint(frame.left(), frame.top());
    at.setX(qMax(room.left(), qMin(at.x(), room.right() + 1 - whole.width())));
    at.setY(qMax(room.top(), qMin(at.y(), room.bottom() + 1 - whole.height())));
    if (at != inner.topLeft() - QPoint(frame.left(), frame.top())) {
        // Not a place of the user's choosing: a dialog shown again is centred over its parent.
        const bool moved = window->testAttribute(Qt::WA_Moved);
        window->move(at);
        window->setAttribute(Qt::WA_Moved, moved);
    }
    window->setProperty("marloPlacing", false);
}

void focusFirstField(QWidget *container) {
    QWidget *first = firstField(container);
    if (!first)
        return;
    first->setFocus(Qt::TabFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(first))
        edit->selectAll();
    else if (auto *box = qobject_cast<QComboBox *>(first); box && box->lineEdit())
        box->lineEdit()->selectAll();
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(first))
        spin->selectAll();
}

} // namespace DialogSetup
