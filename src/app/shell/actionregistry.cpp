#include "shell/actionregistry.h"

#include "shell/commandtable.h"
#include "widgets/icons.h"

#include <QMenu>
#include <QMenuBar>

namespace {

// A programming fault: the table and the code disagree about an id.
[[noreturn]] void unknownId(const char *what, const QString &id) {
    qFatal("%s \"%s\" is not in the command table or was never registered", what,
           qPrintable(id));
}

} // namespace

ActionRegistry::ActionRegistry(QWidget *window) : QObject(window), m_window(window) {
    setObjectName(QStringLiteral("commands"));
}

const CommandSpec &ActionRegistry::spec(const QString &id) {
    const CommandSpec *c = findCommand(id);
    if (!c)
        unknownId("Command", id);
    return *c;
}

QAction *ActionRegistry::add(const QString &id) {
    const CommandSpec &c = spec(id);
    auto *a = new QAction(c.texts.value(0), this);
    a->setObjectName(id);
    if (!c.icon.isEmpty())
        a->setIcon(marloIcon(c.icon));
    if (!c.toolTips.isEmpty())
        a->setToolTip(c.toolTips.first());
    // A standard key the platform does not bind stays off.
    QList<QKeySequence> keys = c.keys;
    keys.removeAll(QKeySequence());
    a->setShortcuts(keys);
    a->setCheckable(c.flags & CommandSpec::Checkable);
    if (c.flags & CommandSpec::ApplicationKey)
        a->setShortcutContext(Qt::ApplicationShortcut);
    if (c.flags & (CommandSpec::KeyShownOnly | CommandSpec::WidgetKey))
        a->setShortcutContext(Qt::WidgetShortcut);
    if (c.flags & CommandSpec::KeyShownOnly)
        a->setShortcutVisibleInContextMenu(true);
    if (c.flags & CommandSpec::OnWindow)
        m_window->addAction(a);
    m_actions.insert(id, a);

    for (const CommandSpec &t : commandTable()) {
        if (t.twinOf != id)
            continue;
        auto *twin = new QAction(t.texts.value(0), this);
        twin->setObjectName(t.id);
        connect(twin, &QAction::triggered, a, &QAction::trigger);
        m_actions.insert(t.id, twin);
    }
    return a;
}

QToolButton *ActionRegistry::addButton(const QString &id) {
    const CommandSpec &c = spec(id);
    auto *b = new QToolButton(m_window);
    b->setObjectName(id);
    b->setText(c.texts.value(0));
    if (!c.icon.isEmpty())
        b->setIcon(marloIcon(c.icon));
    b->setToolTip(c.toolTips.value(0));
    m_buttons.insert(id, b);
    return b;
}

void ActionRegistry::addGroup(const QString &id, const QList<QAction *> &actions) {
    m_groups.insert(id, actions);
    for (QAction *a : actions)
        if (!a->objectName().isEmpty())
            m_actions.insert(a->objectName(), a);
}

void ActionRegistry::onMenuShow(const QString &menuId, const QObject *context,
                                std::function<void()> handler) {
    if (QMenu *m = menu(menuId))
        connect(m, &QMenu::aboutToShow, context, std::move(handler));
    else
        m_showHandlers.append({menuId, context, std::move(handler)});
}

void ActionRegistry::buildMenus(QMenuBar *bar) {
    for (const MenuSpec &m : menuTable())
        if (!m_menus.contains(m.id))
            buildMenu(m);
    for (const QString &id : menuBarMenus())
        bar->addMenu(m_menus.value(id));
    for (const ShowHandler &h : std::as_const(m_showHandlers)) {
        QMenu *m = menu(h.menuId);
        if (!m)
            unknownId("Menu", h.menuId);
        connect(m, &QMenu::aboutToShow, h.context, h.handler);
    }
    m_showHandlers.clear();
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        const CommandSpec &c = spec(it.key());
        if (c.menu.isEmpty())
            continue;
        it.value()->setMenu(menu(c.menu));
        it.value()->setPopupMode(QToolButton::InstantPopup);
    }
}

QMenu *ActionRegistry::buildMenu(const MenuSpec &menuSpec) {
    auto *m = new QMenu(menuSpec.title, m_window);
    m->setObjectName(menuSpec.id);
    m_menus.insert(menuSpec.id, m);
    for (const QString &item : menuSpec.items) {
        if (item == QLatin1String("-")) {
            m->addSeparator();
        } else if (item.startsWith(QLatin1Char('@'))) {
            const QString group = item.mid(1);
            if (!m_groups.contains(group))
                unknownId("Group", group);
            m->addActions(m_groups.value(group));
        } else if (const MenuSpec *sub = findMenu(item)) {
            m->addMenu(m_menus.contains(item) ? m_menus.value(item) : buildMenu(*sub));
        } else if (QAction *a = action(item)) {
            m->addAction(a);
        } else {
            unknownId("Command", item);
        }
    }
    return m;
}

QAction *ActionRegistry::action(const QString &id) const { return m_actions.value(id); }

QToolButton *ActionRegistry::button(const QString &id) const { return m_buttons.value(id); }

QMenu *ActionRegistry::menu(const QString &id) const { return m_menus.value(id); }

QList<QAction *> ActionRegistry::group(const QString &id) const { return m_groups.value(id); }

void ActionRegistry::setState(const QString &id, int state) {
    const CommandSpec &c = spec(id);
    if (QAction *a = action(id)) {
        a->setText(c.texts.value(state, a->text()));
        if (state < c.toolTips.size())
            a->setToolTip(c.toolTips.at(state));
    }
    if (QToolButton *b = button(id)) {
        if (state < c.texts.size())
            b->setText(c.texts.at(state));
        if (state < c.toolTips.size())
            b->setToolTip(c.toolTips.at(state));
    }
}
